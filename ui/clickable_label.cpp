#include "ui/clickable_label.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/focus_ring.h"

namespace qv {

// Any button presses the label; only the left one clicks it. While one button
// holds the label down, the others are ignored.
void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (down_) return;
    down_ = true;
    button_ = event->button();
    second_ = false;
    emit pressed();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    // Some platforms send a press before the double-click, some do not.
    if (!down_) {
        down_ = true;
        button_ = event->button();
        emit pressed();
    }
    if (event->button() == button_) second_ = true;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!down_ || event->button() != button_) return;
    down_ = false;
    const bool clicks = button_ == Qt::LeftButton && !second_ && rect().contains(event->position().toPoint());
    second_ = false;
    emit released();
    if (clicks) click();
}

void ClickableLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled() && down_) {
        down_ = false;
        second_ = false;
        emit released();
    }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && !event->isAutoRepeat() &&
        (event->key() == Qt::Key_Space || (enter && !qobject_cast<QDialog*>(window())))) {
        event->accept();
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    DrawFocusRing(*this);
}

CaptionLabel::CaptionLabel(const QString& name, const QString& text, ClickableLabel* button)
    : ClickableLabel(text, button) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(button);
    setAlignment(Qt::AlignCenter);
    connect(this, &CaptionLabel::clicked, button, &ClickableLabel::click);
}

}  // namespace qv
