#pragma once

// Builders the main window's pages share: pictures and the plain white
// page itself (labels and panels come from ui/widget_kit.h). The fonts and colours are the skin's (ui/look.h).

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/look.h"
#include "ui/widget_kit.h"

namespace qv {

// A white page, hidden until the page switcher places it.
QWidget* MakePage(QWidget* parent, const QString& name);
void DressPage(QWidget* page, const QString& name);
// A picture box; the picture is stretched when it is not the box's size.
QLabel* PictureLabel(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry);

}  // namespace qv
