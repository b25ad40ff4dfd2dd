#pragma once

// The about page `Body_About`: the logo and the program's name.

#include <QLabel>
#include <QString>
#include <QWidget>

#include "ui/picture_button.h"
#include "ui/picture_cache.h"

namespace qv {

class AboutPage : public QWidget {
    Q_OBJECT

public:
    AboutPage(QWidget* parent, PictureCache& pictures);

    // `ProgramName`: the course title.
    void SetProgramName(const QString& name) { ProgramName->setText(name); }

private:
    QLabel* ProgramName;
};

}  // namespace qv
