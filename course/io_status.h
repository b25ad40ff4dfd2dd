#pragma once

#include <filesystem>
#include <string>

namespace qv {

// What became of a file operation. Readers and writers never throw; they
// report one of these and the caller decides what to tell the pupil.
enum class IoStatus {
    Ok,
    Missing,     // the file does not exist
    Unreadable,  // it exists but could not be opened or read
    WriteFailed, // it could not be written; the old file is untouched
};

// A sentence for the pupil, naming the file.
std::string DescribeIoStatus(IoStatus status, const std::filesystem::path& path);

// A value read from a file together with the status of the read. On any
// status but Ok the value is its default (empty text, empty list).
template <typename T>
struct ReadResult {
    T value{};
    IoStatus status = IoStatus::Ok;

    bool ok() const { return status == IoStatus::Ok; }
};

}  // namespace qv
