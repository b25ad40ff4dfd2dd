#include "ui/caret_rest.h"

#include <QApplication>
#include <QEvent>

namespace qv {

CaretRest::CaretRest(std::chrono::milliseconds after, QObject* parent)
    : QObject(parent), flashTime_(QApplication::cursorFlashTime()) {
    timer_.setSingleShot(true);
    timer_.setInterval(static_cast<int>(after.count()));
    connect(&timer_, &QTimer::timeout, this, &CaretRest::Rest);
    qApp->installEventFilter(this);
    timer_.start();
}

CaretRest::~CaretRest() {
    if (!qApp) return;
    qApp->removeEventFilter(this);
    if (resting_) QApplication::setCursorFlashTime(flashTime_);
}

void CaretRest::Rest() {
    if (flashTime_ <= 0) return;  // the caret does not blink anyway
    resting_ = true;
    QApplication::setCursorFlashTime(0);
}

void CaretRest::Wake() {
    if (resting_) {
        resting_ = false;
        QApplication::setCursorFlashTime(flashTime_);
    }
    timer_.start();
}

bool CaretRest::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
            Wake();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace qv
