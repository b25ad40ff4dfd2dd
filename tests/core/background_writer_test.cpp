// The writer's thread: a write waits out its settling time, only the latest
// write of a file is made, and a caller who waits gets them at once.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "course/background_writer.h"

namespace {

using namespace std::chrono_literals;

TEST(BackgroundWriter, AWriteSettlesFirstAndWaitingBeginsItAtOnce) {
    qv::BackgroundWriter writer(10s);
    std::atomic<int> written{0};
    writer.Post("answers", [&] { written += 1; return qv::IoStatus::Ok; }, nullptr);
    writer.Post("answers", [&] { written += 10; return qv::IoStatus::Ok; }, nullptr);  // the newer content
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(written, 0) << "written before its settling time";
    const auto start = std::chrono::steady_clock::now();
    writer.Wait();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "Wait sat out the settling time";
    EXPECT_EQ(written, 10);
}

}  // namespace
