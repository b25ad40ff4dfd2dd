#pragma once

// The about page `Body_About`: the logo, the course title, the platform and
// version lines and the maker's web address, which opens the maker's page.

#include <QLabel>
#include <QString>
#include <QWidget>

#include "mainwindow/web_link.h"
#include "ui/clickable_label.h"
#include "ui/picture_cache.h"

namespace qv {

// "For Windows", "For Linux", ...: the platform this copy was built for.
QString PlatformLine();

class AboutPage : public QWidget {
    Q_OBJECT

public:
    AboutPage(QWidget* parent, PictureCache& pictures);

    // `ProgramName`: the course title.
    void SetProgramName(const QString& name) { ProgramName->setText(name); }
    // The link's opener (tests replace its parts).
    WebLink& webLink() { return link_; }

private:
    QLabel* ProgramName;
    QLabel* Label36;
    QLabel* Label39;
    ClickableLabel* lbl_QVURL;
    WebLink link_;
};

}  // namespace qv
