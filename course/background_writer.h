#pragma once

// Writes files one after another on a thread of its own, so that whoever
// asks for a write goes on at once. A write begins once it has waited its
// settling time, so that it does not compete with what the caller does
// straight after asking (drawing the next question). A write asked for under
// a key replaces one under the same key that has not begun: only the latest
// content of a file is written. Wait() begins every write asked for at once
// and returns when they have ended; the destructor waits too. Should no
// thread be available, a write is made at once, on the caller's thread.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "course/io_status.h"

namespace qv {

class BackgroundWriter {
  public:
    using Write = std::function<IoStatus()>;
    // Called on the writer's thread once a write has ended.
    using Ended = std::function<void(IoStatus)>;

    explicit BackgroundWriter(std::chrono::milliseconds settle = {}) : settle_(settle) {}
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void Post(std::string key, Write write, Ended ended);
    void Wait();

  private:
    struct Job {
        std::string key;
        Write write;
        Ended ended;
        std::chrono::steady_clock::time_point due;  // kept when a newer write replaces it
    };
    void Run();

    const std::chrono::milliseconds settle_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> queue_;
    int waiting_ = 0;  // callers in Wait(), for whom the writes begin at once
    bool writing_ = false;
    bool stop_ = false;
    std::thread thread_;  // started by the first write asked for
};

}  // namespace qv
