#pragma once

#include <QObject>
#include <QPointer>

#include "ui/cursor_source.h"

class QTimer;
class QWidget;

namespace qv {

// Runs a window's 100 ms hover timer only while a look can change: while the
// pointer is over the window or a mouse button is held, and for one tick
// after anything else that may change a look (a key, a press or release, a
// change of focus, activation or window state, the pointer coming or going).
// With the pointer elsewhere and nothing happening, the timer rests and the
// window does no work at all. The tick itself is the window's and decides
// every look as before.
class HoverTicker : public QObject {
    Q_OBJECT

public:
    // `timer` is the window's hover timer, already connected to its tick.
    HoverTicker(QWidget* window, QTimer* timer, const CursorSource& cursor);
    ~HoverTicker() override;

    // From now on the timer runs whenever a look can change; it starts now.
    void Start();
    // Stops the timer for good (the window is going).
    void Stop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Wake();
    void AfterTick();

    QPointer<QWidget> window_;
    QTimer* timer_;
    const CursorSource& cursor_;
    bool running_ = false;
    bool pressed_ = false;  // a button was pressed on the window and not yet released there
};

}  // namespace qv
