#include "ui/hover_ticker.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace qv {

namespace {

// Events after which a look may be different.
bool MayChangeALook(QEvent::Type type) {
    switch (type) {
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::Drop:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::WindowStateChange:
        case QEvent::Show:
            return true;
        default:
            return false;
    }
}

}  // namespace

HoverTicker::HoverTicker(QWidget* window, QTimer* timer, const CursorSource& cursor)
    : QObject(window), window_(window), timer_(timer), cursor_(cursor) {
    connect(timer_, &QTimer::timeout, this, &HoverTicker::AfterTick);
    // Keys and presses go to the widget under them or with the focus, so the
    // events of every widget are looked at; only their kind and window.
    qApp->installEventFilter(this);
}

HoverTicker::~HoverTicker() {
    if (qApp) qApp->removeEventFilter(this);
}

void HoverTicker::Start() {
    running_ = true;
    timer_->start();
}

void HoverTicker::Stop() {
    running_ = false;
    timer_->stop();
}

void HoverTicker::Wake() {
    if (running_ && !timer_->isActive()) timer_->start();
}

// Once a tick has shown the looks of this moment, the timer rests unless the
// pointer may be over the window or a button pressed on it is still held.
void HoverTicker::AfterTick() {
    if (!window_) return;
    if (pressed_ && QGuiApplication::mouseButtons() != Qt::NoButton) return;
    if (cursor_.MayBeOver(*window_)) return;
    timer_->stop();
}

bool HoverTicker::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (running_ && MayChangeALook(type) && watched->isWidgetType() && window_ &&
        static_cast<QWidget*>(watched)->window() == window_) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) pressed_ = true;
        if (type == QEvent::MouseButtonRelease) pressed_ = false;
        Wake();
    }
    return false;
}

}  // namespace qv
