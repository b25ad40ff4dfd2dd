#include "app/folder_lock.h"

#include <QDir>
#include <QSysInfo>

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
        case QLockFile::LockFailedError: {
            // A lock of another computer (a folder on the network) is never taken
            // over: this one cannot tell whether the program still runs there.
            qint64 pid = 0;
            QString app, host;
            if (lock_.getLockInfo(&pid, &host, &app) && !host.isEmpty() && host != QSysInfo::machineHostName()) {
                error_ = QStringLiteral("Quorvale Practice is open on the folder %1 on the computer \"%2\", or it "
                                        "was when that computer stopped. Close it there; if it is not open there, "
                                        "delete the file \"quorvale.lock\" in that folder. Then start the program "
                                        "again.")
                             .arg(folder, host);
                break;
            }
            error_ = QStringLiteral("Quorvale Practice is already open on the folder %1. Use the window that is "
                                    "open, or close it before you start the program again.")
                         .arg(folder);
            break;
        }
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
