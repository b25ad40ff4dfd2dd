#pragma once

// Small builders every window shares: filled panels, coloured labels and the
// numbered names of controls ("Topic3", "ToolBar03").

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace qv {

void Fill(QWidget* widget, const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font);

QString NumberedName(const char* stem, int n);
QString TwoDigitName(const char* stem, int n);

}  // namespace qv
