#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace qv {

// What became of a file operation. Readers and writers never throw; they
// report one of these and the caller decides what to tell the pupil.
enum class [[nodiscard]] IoStatus {
    Ok,
    Missing,      // the file does not exist
    Unreadable,   // it exists but could not be looked at, opened or read
    WriteFailed,  // it could not be written; the old file is untouched
    DiskFull,     // it could not be written because the disk is full; the old file is untouched
    TooLarge,     // far larger than anything this program writes: damaged, not read
    Damaged,      // read, but some records are missing or out of shape and were not taken
    WouldBeTooLarge,  // not written: the file would be larger than it may be read back
    NotAFile,     // a folder, a fifo or a link that leads nowhere stands at the path
    ReadOnly,     // a result file that may not be written to; it was not replaced
    BadRecord,    // the record to be saved has no place in the file; nothing was written
};

// No file this program reads is anywhere near this size. A writer refuses to
// make a larger file, so that every file written can be read back; a record
// file found larger is damaged, and only its sound lines are read.
inline constexpr std::uintmax_t kMaxFileBytes = 4u << 20;
// The longest line a record file is read with; a longer one is damage.
inline constexpr std::size_t kMaxRecordLineBytes = 1u << 20;

// A sentence for the pupil, naming the file.
std::string DescribeIoStatus(IoStatus status, const std::filesystem::path& path);

// A value read from a file together with the status of the read. On any
// status but Ok and Damaged the value is its default (empty text, empty
// list); a Damaged read holds what could be read.
template <typename T>
struct [[nodiscard]] ReadResult {
    T value{};
    IoStatus status = IoStatus::Ok;

    bool ok() const { return status == IoStatus::Ok; }
    // Something was read: the whole file, or its sound part.
    bool usable() const { return status == IoStatus::Ok || status == IoStatus::Damaged; }
};

}  // namespace qv
