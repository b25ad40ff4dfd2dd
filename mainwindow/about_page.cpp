#include "mainwindow/about_page.h"

#include "mainwindow/page_kit.h"

namespace qv {

AboutPage::AboutPage(QWidget* parent, PictureCache& pictures) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_About"));
    PictureLabel(this, QStringLiteral("Logo"), pictures.Get(QStringLiteral("Logo.gif")), {16, 16, 150, 60});
    ProgramName = MakeLabel(this, QStringLiteral("ProgramName"), QString(), UiFont(10, true));
    ProgramName->setGeometry(16, 84, 360, 22);
    SetTextColour(ProgramName, kHeadingColour);
}

}  // namespace qv
