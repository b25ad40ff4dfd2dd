#pragma once

// The packed course and pictures lie in the program's read-only data. Reading
// one resource brings the pages around it into the program's memory (on a
// recent Linux, in blocks of hundreds of kilobytes), and they stay there
// although the bytes were copied out. Dropping them costs nothing that a later
// read does not pay again: the pages come back from the file on their next use.

#include <cstdint>
#include <span>

namespace qv {

// The addresses of the whole pages of `pageSize` bytes that lie inside
// `bytes`: [begin, end), empty when none does.
struct PageRange {
    std::uintptr_t begin = 0, end = 0;
};
PageRange WholePagesWithin(std::span<const unsigned char> bytes, std::uintptr_t pageSize);

// Takes the whole pages that lie inside `bytes` out of the program's memory;
// where the system has no such call, nothing happens. `bytes` must be
// read-only data of the program's file, which is never written to.
void DropResidentPages(std::span<const unsigned char> bytes);

}  // namespace qv
