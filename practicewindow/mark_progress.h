#pragma once

#include <QLabel>
#include <array>
#include <chrono>
#include <functional>

namespace qv {

// The marking progress display: fifteen bars appear one after another on
// their panel. The event loop keeps running while it waits, so the window
// repaints and never looks frozen, but every key and mouse press aimed at
// the window is dropped until the display ends.
class MarkProgress {
public:
    MarkProgress(QLabel* panel, const std::array<QLabel*, 15>& bars) : panel_(panel), bars_(bars) {}

    // Shows the bars, one every `step`, then hides the panel. Returns false
    // as soon as `alive` says the window is going away.
    bool Run(std::chrono::milliseconds step, const std::function<bool()>& alive);
    // How long the display lasts when nothing else holds up the event loop.
    std::chrono::milliseconds Duration(std::chrono::milliseconds step) const {
        return step * static_cast<int>(bars_.size());
    }

private:
    QLabel* panel_;
    std::array<QLabel*, 15> bars_;
};

}  // namespace qv
