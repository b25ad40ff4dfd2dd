#include "mainwindow/trash_page.h"

#include "mainwindow/page_kit.h"

namespace qv {

TrashPage::TrashPage(QWidget* parent, PictureCache&) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_Trash"));
    auto* heading = MakeLabel(this, QStringLiteral("TrashHeading"), QStringLiteral("Trash past results"),
                              UiFont(10, true));
    heading->setGeometry(16, 16, 360, 22);
    SetTextColour(heading, kHeadingColour);
}

}  // namespace qv
