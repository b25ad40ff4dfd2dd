#pragma once

// Small steps on files and folders that the writers and the start-up share.
// None of them throws: every std::filesystem call here takes an error code.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "course/io_status.h"

namespace qv {

// What stands at a path.
enum class PathKind {
    File,        // a regular file, or a link to one
    Missing,     // nothing at all
    NotAFile,    // a folder, a fifo, a device, a link that leads nowhere
    Unreadable,  // it could not be looked at: no permission, a link loop, a name too long
};

struct PathInfo {
    PathKind kind = PathKind::Missing;
    std::uintmax_t size = 0;  // of a file
    std::filesystem::perms permissions = std::filesystem::perms::none;  // of a file
    bool readOnly = false;  // a file that may not be written to
};

// Looks at `path` without opening it; a link is followed.
PathInfo InspectPath(const std::filesystem::path& path);
// The same, for a file about to be read: whether it may be written to is not
// looked at (`readOnly` stays false), which spares a call to the system.
PathInfo InspectForReading(const std::filesystem::path& path);

// True when `path` is a folder, or a link to one.
bool IsFolder(const std::filesystem::path& path);

// Ok for a file; Missing, NotAFile or Unreadable otherwise.
IoStatus StatusOf(const PathInfo& info);

// The status for the error number of a failed write: a full disk is told
// as such, anything else is WriteFailed.
IoStatus WriteStatusFromError(int error);

// Temporary files and folders of this program are named ".<name>.XXXXXX.qvtmp",
// XXXXXX being random letters and digits.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path);
bool IsTemporaryName(std::string_view fileName);

// Removes the temporary files and folders of this program that an earlier
// run left in `folder` (when it was stopped in the middle of a write).
// Nothing else is touched; links are removed, never followed.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// What an earlier run left in the working folder, removed in one pass: the
// temporaries above, and the scratch files that earlier versions of the
// program extracted and left when they ended without closing their windows:
// question pages ("temppaper" + the question id + ".mht") and course texts
// ("temptext.txt", "temptext30000.txt"), by those exact names. Of
// those only files and links are removed; a folder of such a name is left
// alone. For a link to a file kept elsewhere, the temporaries of that file
// beside it go too.
void RemoveLeftoverFiles(const std::filesystem::path& workDir);

enum class FolderCreation { Created, Exists, Failed };
// Creates one folder; Exists when anything already stands at the path.
FolderCreation CreateFolderExclusive(const std::filesystem::path& folder);

// Makes a rename or removal in `folder` durable. False when it could not be
// done (some file systems cannot); the files themselves are already synced.
bool SyncFolder(const std::filesystem::path& folder);

// True when the disk that holds `folder` has no room left for a new file.
bool IsDiskFull(const std::filesystem::path& folder);

// Each step that makes a write of results durable (a file written and
// flushed, renamed into place, a folder synced, a journal removed) is told to
// the hook, when one is set. The kill tests stop the program there.
using WriteStepHook = void (*)();
void SetWriteStepHook(WriteStepHook hook);
void NoteWriteStep();

// Creates `to` (it must not exist) with the bytes of `from`, flushed to the
// disk. A failure removes the partial copy.
IoStatus CopyFileSynced(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace qv
