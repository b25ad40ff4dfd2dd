#include "mainwindow/page_kit.h"

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

void DressPage(QWidget* page, const QString& name) {
    page->setObjectName(name);
    Fill(page, kPageColour);
    page->hide();
}

QWidget* MakePage(QWidget* parent, const QString& name) {
    auto* page = new QWidget(parent);
    DressPage(page, name);
    return page;
}

QLabel* PictureLabel(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(pixmap);
    picture->setScaledContents(pixmap.size() != geometry.size());
    picture->setGeometry(geometry);
    return picture;
}

QString NumberedName(const char* stem, int n) { return QString::fromLatin1(stem) + QString::number(n); }

QString TwoDigitName(const char* stem, int n) {
    return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace qv
