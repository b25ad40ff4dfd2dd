#include "ui/widget_kit.h"

#include <QPalette>

namespace qv {

void Fill(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    return label;
}

QString NumberedName(const char* stem, int n) { return QString::fromLatin1(stem) + QString::number(n); }

QString TwoDigitName(const char* stem, int n) {
    return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace qv
