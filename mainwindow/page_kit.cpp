#include "mainwindow/page_kit.h"

#include <QPalette>

namespace qv {

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


}  // namespace qv
