#pragma once

// The skin's fonts and colours, shared by every window.

#include <QColor>
#include <QFont>
#include <QString>

#include "ui/strip_colour.h"

namespace qv {

// Page backgrounds.
inline const QColor kPageColour(255, 255, 255);
// Headings on the pages: dark blue.
inline const QColor kHeadingColour(31, 78, 140);
// Title text of an active and of an inactive window.
inline const QColor kActiveTitleColour(255, 255, 255);
inline const QColor kInactiveTitleColour(128, 128, 128);

// Captions, headings and labels of the skin.
inline QFont UiFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Message text and the dialog's button captions (metric-compatible with Arial).
inline QFont TextFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The title-bar label of every window.
inline QFont TitleFont() { return UiFont(9.75, true); }

}  // namespace qv
