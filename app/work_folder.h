#pragma once

#include <QString>
#include <QStringList>

namespace qv {

struct WorkFolderChoice {
    QString path;      // empty when no folder can be used
    QString notice;    // a sentence to show the pupil once, or empty
    QString error;     // why no folder can be used
};

// The working folder: "--data-dir DIR" when given; otherwise, for an
// installed copy, the per-user data folder (`fallback`), without ever writing
// beside the executable; otherwise the program's own folder when it can be
// written to; otherwise the per-user data folder, with a notice the first
// time that folder is made.
WorkFolderChoice ChooseWorkFolder(const QStringList& arguments, const QString& programFolder,
                                  const QString& fallback);

// Where the install step puts the file that tells an installed copy from a
// portable one, relative to the program's folder.
QString InstallMarkerFromProgramFolder();

// True when a file can be created in the folder.
bool FolderIsWritable(const QString& folder);

}  // namespace qv
