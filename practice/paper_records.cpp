#include "practice/paper_records.h"

#include <algorithm>

#include "course/atomic_file.h"
#include "course/results_store.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

}  // namespace

ReadResult<Fields> ReadPaperRecords(const fs::path& path, int paperCount) {
    Fields records(static_cast<std::size_t>(std::max(paperCount, 0)));
    auto file = ReadWholeFile(path);
    if (!file.ok()) return {records, file.status};
    const auto lines = SplitLines(file.value);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string key = std::to_string(101 + i);
        const std::string tag = "#" + key + "#";
        // A record begins with its key (its fields are found from there), so
        // an answer typed as "#102#" in paper 101's record is never taken for
        // paper 102's.
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](std::string_view line) { return line.starts_with(tag); });
        if (found != lines.end()) records[i] = std::string(*found);
    }
    return {records, IoStatus::Ok};
}

Fields SplitPaperRecord(std::string_view line, int parts) {
    return SplitFields(line, FirstSeparatorIndex(3), parts);
}

namespace {

// A file that is there but cannot be read whole is never rewritten: what it
// holds would be lost.
bool CanRewrite(IoStatus status) { return status == IoStatus::Ok || status == IoStatus::Missing; }

}  // namespace

IoStatus ReplacePaperRecord(const fs::path& path, int paperCount, int paperNumber, const Fields& values,
                            int parts, Fields& lines, Durability durability) {
    auto current = ReadPaperRecords(path, paperCount);
    if (!CanRewrite(current.status)) return current.status;
    lines = std::move(current.value);
    return SavePaperRecord(lines, values, paperNumber, std::to_string(100 + paperNumber), paperCount, parts, path,
                           durability);
}

IoStatus UpdateMarksFields(const fs::path& path, int paperCount, int paperNumber,
                           const std::vector<MarksChange>& changes, MarksLists& marks) {
    auto current = ReadModuleMarks(path, paperCount);
    if (!CanRewrite(current.status)) return current.status;
    marks = std::move(current.value);
    for (const MarksChange& change : changes) {
        if (change.record >= marks.size()) continue;
        Fields& list = marks[change.record];
        if (paperNumber < 1 || paperNumber > static_cast<int>(list.size())) continue;
        list[static_cast<std::size_t>(paperNumber - 1)] = change.value;
    }
    return WriteMarksFile(marks, kMarksKeys, paperCount, path);
}

}  // namespace qv
