#pragma once

#include <QLockFile>
#include <QString>

namespace qv {

// Keeps a second copy of the program off a working folder while this one
// runs: the lock file "quorvale.lock" in the folder is held for the run and
// removed at the end. A lock left behind by a copy that died is taken over.
class FolderLock {
public:
    explicit FolderLock(const QString& folder);

    // True when this copy now holds the folder; otherwise error() says, in
    // words for the pupil, why the program cannot go on.
    bool Acquire();
    const QString& error() const { return error_; }

private:
    QString folder_;
    QLockFile lock_;
    QString error_;
};

}  // namespace qv
