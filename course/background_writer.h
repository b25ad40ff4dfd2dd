#pragma once

// Writes files one after another on a thread of its own, so that whoever
// asks for a write goes on at once. A write asked for under a key replaces
// one under the same key that has not begun: only the latest content of a
// file is written. Wait() returns once every write asked for has ended; the
// destructor waits too. Should no thread be available, a write is made at
// once, on the caller's thread.

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

    BackgroundWriter() = default;
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
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> queue_;
    bool writing_ = false;
    bool stop_ = false;
    std::thread thread_;  // started by the first write asked for
};

}  // namespace qv
