#pragma once

#include <QString>
#include <QStringList>

#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "ui/skin.h"

namespace qv {

// Everything the pupil is to be told about the start, each sentence once:
// the working folder's notice, the problems with the files, what the window
// found while it was built and the pictures that are missing.
QStringList GatherStartNotices(const QString& folderNotice, const StartupData& startup, MainWindow& window,
                               const PictureCache& pictures);

// Shows the notices in one message box as soon as the window is on screen.
void TellWhenShown(MainWindow& window, const QStringList& notices);

}  // namespace qv
