#pragma once

// Small builders the main window's pages share: labels, pictures and the
// plain white page itself. The fonts and colours are the skin's (ui/look.h).

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/look.h"

namespace qv {

void Fill(QWidget* widget, const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font);
// A white page, hidden until the page switcher places it.
QWidget* MakePage(QWidget* parent, const QString& name);
void DressPage(QWidget* page, const QString& name);
// A picture box; the picture is stretched when it is not the box's size.
QLabel* PictureLabel(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry);

// "Topic3", "Tab03".
QString NumberedName(const char* stem, int n);
QString TwoDigitName(const char* stem, int n);

}  // namespace qv
