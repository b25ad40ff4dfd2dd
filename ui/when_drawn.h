#pragma once

#include <QWidget>
#include <functional>

namespace qv {

// Runs `act` once the shown top-level `window` has been put on the screen and
// drawn, so that a message opened by `act` comes over a finished window. A
// window the system never puts on show (started minimised) still gets it
// after a second. Nothing runs once the window has been deleted.
void WhenDrawn(QWidget& window, std::function<void()> act);

}  // namespace qv
