#include "practice/paper_records.h"

#include <algorithm>

#include "course/atomic_file.h"
#include "course/course_limits.h"
#include "course/results_store.h"
#include "course/text_lines.h"

namespace qv {

namespace fs = std::filesystem;

ReadResult<Fields> ReadPaperRecords(const fs::path& path, int paperCount) {
    Fields records(static_cast<std::size_t>(std::max(paperCount, 0)));
    auto file = ReadRecordText(path);
    if (!file.usable()) return {records, file.status};
    const auto lines = SplitLines(file.value);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string key = std::to_string(kPaperKeyOffset + 1 + i);
        const std::string tag = "#" + key + "#";
        // A record begins with its key (its fields are found from there), so
        // an answer typed as "#102#" in paper 101's record is never taken for
        // paper 102's.
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](std::string_view line) { return line.starts_with(tag); });
        if (found != lines.end()) records[i] = std::string(*found);
    }
    return {records, file.status};
}

Fields SplitPaperRecord(std::string_view line, int parts) {
    return SplitFields(line, FirstSeparatorIndex(3), parts);
}

namespace {

// A file that is there but cannot be read is never rewritten: what it holds
// would be lost. A damaged one is rewritten with what could be read of it.
bool CanRewrite(IoStatus status) {
    return status == IoStatus::Ok || status == IoStatus::Missing || status == IoStatus::Damaged;
}

}  // namespace

IoStatus ReplacePaperRecord(const fs::path& path, int paperCount, int paperNumber, const Fields& values,
                            int parts, Fields& lines, Durability durability) {
    auto current = ReadPaperRecords(path, paperCount);
    if (!CanRewrite(current.status)) return current.status;
    lines = std::move(current.value);
    return SavePaperRecord(lines, values, paperNumber, std::to_string(kPaperKeyOffset + paperNumber), paperCount, parts,
                           path, durability);
}

IoStatus UpdateMarksFields(const fs::path& path, int paperCount, int paperNumber,
                           const std::vector<MarksChange>& changes, MarksLists& marks) {
    return UpdateModuleMarks(path, paperCount, paperNumber, changes, marks);
}

}  // namespace qv
