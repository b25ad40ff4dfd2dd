#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace qv {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    down_ = true;
    second_ = false;
    emit pressed();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    // Some platforms send a press before the double-click, some do not.
    if (!down_) {
        down_ = true;
        emit pressed();
    }
    second_ = true;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !down_) return;
    down_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    const bool second = second_;
    second_ = false;
    emit released();
    if (inside && !second) click();
}

}  // namespace qv
