#include "app/folder_lock.h"

#include <QDir>

#include "course/file_system.h"
#include "ui/record_text.h"

namespace qv {

FolderLock::FolderLock(const QString& folder)
    : folder_(folder), lock_(QDir(folder).filePath(QStringLiteral("quorvale.lock"))) {
    // Only a dead owner makes a lock stale, never its age: the program may
    // stay open for days.
    lock_.setStaleLockTime(0);
}

bool FolderLock::Acquire() {
    if (lock_.tryLock(0)) return true;
    const QString folder = QDir::toNativeSeparators(folder_);
    if (lock_.error() != QLockFile::LockFailedError && IsDiskFull(ToPath(folder_))) {
        error_ = QStringLiteral("The disk that holds the folder %1 is full, so the program cannot keep your results "
                                "there. Free some space on it and start the program again.")
                     .arg(folder);
        return false;
    }
    switch (lock_.error()) {
        case QLockFile::LockFailedError:
            error_ = QStringLiteral("Quorvale Practice is already open on the folder %1. Use the window that is "
                                    "open, or close it before you start the program again.")
                         .arg(folder);
            break;
        case QLockFile::PermissionError:
            error_ = QStringLiteral("The folder %1 cannot be written to, so your results could not be kept there.")
                         .arg(folder);
            break;
        default:
            error_ = QStringLiteral("The program could not make sure that it is the only copy open on the folder "
                                    "%1, so it stops to keep your results safe.")
                         .arg(folder);
            break;
    }
    return false;
}

}  // namespace qv
