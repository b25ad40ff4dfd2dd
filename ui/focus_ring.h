#pragma once

// The ring a control shows while it has the keyboard focus: two pixels of
// the skin's heading blue just inside its edge, so it shows on every picture.

#include <QPainter>
#include <QPen>
#include <QWidget>

#include "ui/look.h"

namespace qv {

// Draws the ring on `surface`, whoever holds the focus (a scroll area's viewport).
inline void DrawRing(QWidget& surface) {
    QPainter painter(&surface);
    QPen pen(kHeadingColour, 2, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(surface.rect().adjusted(1, 1, -2, -2));
}

inline void DrawFocusRing(QWidget& widget) {
    // A caption passes its focus to its button, which draws the ring.
    if (widget.focusPolicy() == Qt::NoFocus || !widget.hasFocus()) return;
    DrawRing(widget);
}

}  // namespace qv
