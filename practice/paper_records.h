#pragma once

// Writing one paper's records into the module's result files without
// touching any other paper's. Each writer reads the file again just before it
// rewrites it and replaces only this paper's record or fields, so whatever
// else has changed in the file meanwhile (all results erased, another
// window's work) is kept.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "course/io_status.h"
#include "course/record_file.h"
#include "course/results_store.h"

namespace qv {

// Entry i (0-based) is the line of paper key 101 + i: the first line that
// begins with "#key#", wherever it stands, so one missing or misplaced record
// costs only its own entry. A missing file gives empty entries and Missing.
ReadResult<Fields> ReadPaperRecords(const std::filesystem::path& path, int paperCount);

// The fields of one paper's record line.
Fields SplitPaperRecord(std::string_view line, int parts);

// Rewrites a per-paper file with `paperCount` lines: the record of paper
// `paperNumber` (1-based) rebuilt from the first `parts` values, every other
// line as the file holds it now. A file that exists but cannot be read whole is
// not written (Unreadable; TooLarge when it has grown past what a reader
// takes, whose later records were not read). `lines` receives the lines
// written (or, on a failed write, the lines that were meant; on a file not
// read, empty entries).
IoStatus ReplacePaperRecord(const std::filesystem::path& path, int paperCount, int paperNumber,
                            const Fields& values, int parts, Fields& lines,
                            Durability durability = Durability::Synced);

// The memory of one rewrite kept for the next: the file as read, its records
// and the file as written. A pupil's file may be megabytes; rewritten at every
// move, it is read and written into memory asked for once, not three times a
// move (asked for, filled page by page and given back).
struct RecordBuffers {
    std::string text;
    Fields lines;
    std::string bytes;
};

// As above, with the lines written left in `buffers.lines`.
IoStatus ReplacePaperRecord(const std::filesystem::path& path, int paperCount, int paperNumber,
                            const Fields& values, int parts, RecordBuffers& buffers, Durability durability);

using MarksChange = MarksField;

// Rewrites the marks file with field `paperNumber` (1-based) of the given
// records changed and every other field as the file holds it now (see
// UpdateModuleMarks). `marks` receives the six lists written (or meant).
IoStatus UpdateMarksFields(const std::filesystem::path& path, int paperCount, int paperNumber,
                           const std::vector<MarksChange>& changes, MarksLists& marks);

}  // namespace qv
