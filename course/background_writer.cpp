#include "course/background_writer.h"

#include <algorithm>
#include <system_error>

namespace qv {

BackgroundWriter::~BackgroundWriter() {
    Wait();
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void BackgroundWriter::Post(std::string key, Write write, Ended ended) {
    {
        std::lock_guard lock(mutex_);
        const auto same = std::find_if(queue_.begin(), queue_.end(),
                                       [&](const Job& job) { return job.key == key; });
        if (same != queue_.end()) {
            same->write = std::move(write);
            same->ended = std::move(ended);
            return;
        }
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread([this] { Run(); });
            } catch (const std::system_error&) {
                // No thread: the write is made here and now.
            }
        }
        if (thread_.joinable()) {
            queue_.push_back({std::move(key), std::move(write), std::move(ended)});
            wake_.notify_one();
            return;
        }
    }
    const IoStatus status = write();
    if (ended) ended(status);
}

void BackgroundWriter::Wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !writing_; });
}

void BackgroundWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, with nothing left to write
        Job job = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        lock.unlock();
        const IoStatus status = job.write();
        if (job.ended) job.ended(status);
        lock.lock();
        writing_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}

}  // namespace qv
