#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "course/io_status.h"

namespace qv {

enum class Durability {
    Normal,  // scratch files and pictures: rename is enough
    Synced,  // the pupil's results: flushed to the disk before the rename
};

// Replaces `path` with exactly `bytes`: the bytes go to "<name>.tmp" in the
// same folder, which is then renamed over the old file. A failure at any
// step leaves the old file as it was and removes the temporary file.
IoStatus AtomicWriteFile(const std::filesystem::path& path, std::string_view bytes,
                         Durability durability = Durability::Normal);

// Reads a whole file as bytes.
ReadResult<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace qv
