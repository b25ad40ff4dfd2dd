#include "practice/paper_records.h"

#include <algorithm>

#include "course/atomic_file.h"
#include "course/course_limits.h"
#include "course/results_store.h"
#include "course/text_lines.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

// Fills `records` (one entry a paper) from the file, reading it into `text`;
// the memory of both is kept for the next read.
IoStatus ReadPaperRecordsInto(const fs::path& path, int paperCount, Fields& records, std::string& text) {
    records.resize(static_cast<std::size_t>(std::max(paperCount, 0)));
    for (std::string& record : records) record.clear();
    auto file = ReadRecordText(path, std::move(text));
    text = std::move(file.value);
    if (!file.usable()) return file.status;
    const auto lines = SplitLines(text);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string key = std::to_string(kPaperKeyOffset + 1 + i);
        const std::string tag = "#" + key + "#";
        // A record begins with its key (its fields are found from there), so
        // an answer typed as "#102#" in paper 101's record is never taken for
        // paper 102's.
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](std::string_view line) { return line.starts_with(tag); });
        if (found != lines.end()) records[i].assign(*found);
    }
    return file.status;
}

}  // namespace

ReadResult<Fields> ReadPaperRecords(const fs::path& path, int paperCount) {
    Fields records;
    std::string text;
    const IoStatus status = ReadPaperRecordsInto(path, paperCount, records, text);
    return {std::move(records), status};
}

Fields SplitPaperRecord(std::string_view line, int parts) {
    return SplitFields(line, FirstSeparatorIndex(3), parts);
}

namespace {

// A file that is there but cannot be read whole is never rewritten: what it
// holds would be lost. A damaged one (grown past what a reader takes) opens
// with the records read in its first megabytes; records after them were not
// read and would not be written back.
bool CanRewrite(IoStatus status) { return status == IoStatus::Ok || status == IoStatus::Missing; }

}  // namespace

IoStatus ReplacePaperRecord(const fs::path& path, int paperCount, int paperNumber, const Fields& values,
                            int parts, Fields& lines, Durability durability) {
    RecordBuffers buffers;
    const IoStatus status = ReplacePaperRecord(path, paperCount, paperNumber, values, parts, buffers, durability);
    lines = std::move(buffers.lines);
    return status;
}

IoStatus ReplacePaperRecord(const fs::path& path, int paperCount, int paperNumber, const Fields& values,
                            int parts, RecordBuffers& buffers, Durability durability) {
    const IoStatus read = ReadPaperRecordsInto(path, paperCount, buffers.lines, buffers.text);
    if (read == IoStatus::Damaged) return IoStatus::TooLarge;
    if (!CanRewrite(read)) return read;
    return SavePaperRecord(buffers.lines, values, paperNumber, std::to_string(kPaperKeyOffset + paperNumber),
                           paperCount, parts, path, durability, buffers.bytes);
}

IoStatus UpdateMarksFields(const fs::path& path, int paperCount, int paperNumber,
                           const std::vector<MarksChange>& changes, MarksLists& marks) {
    return UpdateModuleMarks(path, paperCount, paperNumber, changes, marks);
}

}  // namespace qv
