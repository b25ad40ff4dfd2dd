#pragma once

// The ring a control shows while it has the keyboard focus: two pixels of
// the skin's heading blue just inside its edge, so it shows on every picture.

#include <QPainter>
#include <QPen>
#include <QWidget>

#include "ui/look.h"

namespace qv {

inline void DrawFocusRing(QWidget& widget) {
    // A caption passes its focus to its button, which draws the ring.
    if (widget.focusPolicy() == Qt::NoFocus || !widget.hasFocus()) return;
    QPainter painter(&widget);
    QPen pen(kHeadingColour, 2, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget.rect().adjusted(1, 1, -2, -2));
}

}  // namespace qv
