#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "course/io_status.h"

namespace qv {

enum class Durability {
    Normal,    // scratch files and pictures: rename is enough
    Unsynced,  // the pupil's results in the middle of a piece of work (a move):
               // never written over a read-only file, and flushed to the disk
               // before the rename (so a power cut leaves the old file or the
               // new one, never an empty one), but the folder is not synced
    Synced,    // the pupil's results at the end of a piece of work: as Unsynced,
               // and the folder synced after the rename, so the new file stays
};

// Replaces `path` with exactly `bytes`. The bytes go to a new temporary file
// of a unique name in the same folder (".<name>.XXXXXX.qvtmp", created
// exclusively, never through a link), which then takes the old file's
// permissions and is renamed over it. A failure at any step leaves the old
// file as it was and removes the temporary file. Anything at `path` that is
// not a file (a folder, a fifo, a link that leads nowhere) is left alone and
// reported as NotAFile; a full disk is DiskFull. A link to a file is kept:
// the file it leads to is replaced, its temporary file made beside it. More than kMaxFileBytes is
// never written (WouldBeTooLarge), since no reader would take it back.
IoStatus AtomicWriteFile(const std::filesystem::path& path, std::string_view bytes,
                         Durability durability = Durability::Normal);

// Reads a whole file as bytes. A file over kMaxFileBytes is TooLarge and not
// read; anything that is not a file is NotAFile and is never opened. The
// bytes are read into `reuse`'s memory: a caller that reads a large file
// again and again hands back the string it was given last time.
ReadResult<std::string> ReadWholeFile(const std::filesystem::path& path, std::string reuse = {});

// The text of a record file for its readers. A file up to kMaxFileBytes is
// read whole. A larger one is damaged (Damaged): it is read line by line, and
// only its sound lines are kept, each ending in LF: none longer than
// kMaxRecordLineBytes, and no more than kMaxFileBytes in all. A UTF-8
// byte-order mark at the start is left out. `reuse` as for ReadWholeFile.
ReadResult<std::string> ReadRecordText(const std::filesystem::path& path, std::string reuse = {});

}  // namespace qv
