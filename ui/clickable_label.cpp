#include "ui/clickable_label.h"

#include <QEvent>
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

void ClickableLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled() && down_) {
        down_ = false;
        second_ = false;
        emit released();
    }
}

CaptionLabel::CaptionLabel(const QString& name, const QString& text, ClickableLabel* button)
    : ClickableLabel(text, button) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    connect(this, &CaptionLabel::clicked, button, &ClickableLabel::click);
}

}  // namespace qv
