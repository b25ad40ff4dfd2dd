#include "app/work_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace qv {

// Set by the build from the install layout (binaries and data folders).
QString InstallMarkerFromProgramFolder() { return QStringLiteral(QUORVALE_INSTALL_MARKER); }

namespace {

// An installed copy has the install step's marker file in its prefix.
bool IsInstalledCopy(const QString& programFolder) {
    return QFileInfo(QDir(programFolder).filePath(InstallMarkerFromProgramFolder())).isFile();
}

}  // namespace

bool FolderIsWritable(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("write-test-XXXXXX.tmp")));
    return probe.open();
}

WorkFolderChoice ChooseWorkFolder(const QStringList& arguments, const QString& programFolder,
                                  const QString& fallback) {
    WorkFolderChoice choice;
    const qsizetype at = arguments.indexOf(QStringLiteral("--data-dir"));
    if (at >= 0) {
        if (at + 1 >= arguments.size()) {
            choice.error = QStringLiteral("--data-dir needs the name of a folder.");
            return choice;
        }
        const QString folder = QDir(arguments.at(at + 1)).absolutePath();
        QDir().mkpath(folder);
        if (!FolderIsWritable(folder)) {
            choice.error = QStringLiteral("The folder %1 cannot be written to, so your results could not be kept there.")
                               .arg(QDir::toNativeSeparators(folder));
            return choice;
        }
        choice.path = folder;
        return choice;
    }
    // An installed copy is not even probed: its folder is shared by every user.
    const bool installed = IsInstalledCopy(programFolder);
    if (!installed && FolderIsWritable(programFolder)) {
        choice.path = QDir(programFolder).absolutePath();
        return choice;
    }
    const bool isNew = !QFileInfo::exists(fallback);
    QDir().mkpath(fallback);
    if (!FolderIsWritable(fallback)) {
        choice.error = installed
                           ? QStringLiteral("The folder %1 cannot be written to, so your results could not be kept.")
                           : QStringLiteral("Neither the program's folder nor %1 can be written to, so your results could not be kept.");
        choice.error = choice.error.arg(QDir::toNativeSeparators(fallback));
        return choice;
    }
    choice.path = QDir(fallback).absolutePath();
    // The per-user folder is an installed copy's usual place: nothing to tell.
    if (isNew && !installed) {
        choice.notice = QStringLiteral("The program's folder cannot be written to, so your results are kept in %1.")
                            .arg(QDir::toNativeSeparators(choice.path));
    }
    return choice;
}

}  // namespace qv
