#include "course/results_store.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "course/atomic_file.h"
#include "course/file_system.h"
#include "course/record_file.h"
#include "course/text.h"
#include "course/text_lines.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

std::string_view Stem(ResultKind kind) {
    switch (kind) {
        case ResultKind::Marks: return "marks";
        case ResultKind::FirstAnswers: return "first";
        case ResultKind::SecondAnswers: return "second";
        case ResultKind::FirstResults: return "fresults";
        case ResultKind::SecondResults: return "sresults";
        case ResultKind::Trend: return "trend";
    }
    return "results";
}

std::tm LocalTime(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

}  // namespace

std::string ResultFileName(ResultKind kind, int slot, std::string_view code) {
    std::string name(Stem(kind));
    name += std::to_string(slot);
    name += code;
    name += ".txt";
    return name;
}

fs::path ResultFilePath(const fs::path& workDir, ResultKind kind, int slot, std::string_view code) {
    return workDir / ResultFileName(kind, slot, code);
}

bool AnyResultFileMissing(const fs::path& workDir, int slot, std::string_view code) {
    for (ResultKind kind : kResultKinds) {
        if (InspectPath(ResultFilePath(workDir, kind, slot, code)).kind == PathKind::Missing) return true;
    }
    return false;
}

std::string BackupFolderName(std::chrono::system_clock::time_point now) {
    const std::tm local = LocalTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

bool ModuleMarks::Read(MarksRecord record, int paperNumber) const {
    const std::vector<bool>& fields = unread[MarksIndex(record)];
    if (paperNumber < 1 || paperNumber > static_cast<int>(fields.size())) return false;
    return !fields[static_cast<std::size_t>(paperNumber - 1)];
}

namespace {

bool IsMarkedState(MarksRecord record) {
    return record == MarksRecord::FirstMarked || record == MarksRecord::SecondMarked;
}

}  // namespace

ModuleMarks ReadMarksRecords(const fs::path& marksFile, int papers) {
    ModuleMarks marks;
    const auto count = static_cast<std::size_t>(std::clamp(papers, 0, kMaxPapers));
    for (MarksRecord r : kMarksRecords) {
        marks.lists[r].assign(count, std::string());
        marks.stored[r].assign(count, std::string());
        marks.unread[MarksIndex(r)].assign(count, true);
    }
    const auto text = ReadRecordText(marksFile);
    marks.status = text.status;
    if (!text.usable()) return marks;
    const std::vector<std::string_view> lines = SplitLines(text.value);
    bool damaged = false;
    for (MarksRecord r : kMarksRecords) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](std::string_view l) { return LineHasKey(l, kMarksKeys[MarksIndex(r)]); });
        if (line == lines.end()) {
            damaged = count > 0;
            continue;
        }
        // The fields start at the separator's fixed place after the key.
        const bool inShape = line->size() > FirstSeparatorIndex(3) && (*line)[FirstSeparatorIndex(3)] == '>';
        const auto separators =
            inShape ? static_cast<std::size_t>(std::count(line->begin(), line->end(), '>')) : std::size_t{0};
        marks.stored[r] = SplitRecordLine(*line, static_cast<int>(count));
        const bool state = IsMarkedState(r);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& field = marks.stored[r][i];
            const bool whole = i < separators && (i + 1 < count || separators == count);
            // A '#' would let a reader take the field for another record's key;
            // a '>' would not stay one field.
            const bool keyLike = field.find_first_of("#>") != std::string::npos;
            const bool sound = field.size() <= kMaxMarksFieldBytes && !keyLike &&
                               (!state || TrimSpacesAndTabs(field) == "0" || TrimSpacesAndTabs(field) == "1");
            if (whole && sound) {
                marks.lists[r][i] = field;
                marks.unread[MarksIndex(r)][i] = false;
            } else {
                damaged = true;
                // Only a field that stood whole is kept as it stood, and never one that looks like a key.
                if (!whole || keyLike) marks.stored[r][i].clear();
            }
        }
    }
    if (damaged) marks.status = IoStatus::Damaged;
    return marks;
}

ReadResult<MarksLists> ReadModuleMarks(const fs::path& marksFile, int papers) {
    ModuleMarks marks = ReadMarksRecords(marksFile, papers);
    return {std::move(marks.lists), marks.status};
}

IoStatus UpdateModuleMarks(const fs::path& marksFile, int papers, int paperNumber,
                           const std::vector<MarksField>& changes, MarksLists& written) {
    ModuleMarks marks = ReadMarksRecords(marksFile, papers);
    written = marks.lists;
    if (marks.status == IoStatus::Missing) {
        // A file made anew starts as the template does: no paper marked.
        marks.lists = marks.stored = UnmarkedLists(marks.lists.firstScores.size());
        for (MarksRecord r : {MarksRecord::FirstMarked, MarksRecord::SecondMarked}) {
            std::fill(marks.unread[MarksIndex(r)].begin(), marks.unread[MarksIndex(r)].end(), false);
        }
    } else if (marks.status != IoStatus::Ok && marks.status != IoStatus::Damaged) {
        return marks.status;
    }
    // A field that was read is written as read. One that was not is written
    // as it stood when it stood whole (too long, or a marked state that is no
    // state), so it still reads as not read; otherwise (cut off, or run into
    // by more fields) it is written empty: a state left empty still reads as
    // not known, never as "not marked".
    MarksLists lines = marks.lists;
    for (MarksRecord r : kMarksRecords) {
        for (std::size_t i = 0; i < lines[r].size(); ++i) {
            if (marks.unread[MarksIndex(r)][i]) lines[r][i] = marks.stored[r][i];
        }
    }
    for (const MarksField& change : changes) {
        if (paperNumber < 1 || paperNumber > static_cast<int>(lines[change.record].size())) continue;
        lines[change.record][static_cast<std::size_t>(paperNumber - 1)] = change.value;
        marks.lists[change.record][static_cast<std::size_t>(paperNumber - 1)] = change.value;
    }
    written = marks.lists;
    return WriteMarksFile(lines, static_cast<int>(lines.firstScores.size()), marksFile);
}

IoStatus AppendTrend(const fs::path& trendFile, std::string_view score) {
    const auto line = ReadRecordLine(trendFile, kTrendKey);
    if (!line.ok()) return line.status;
    // A file without the record gets one, so the trend stays readable.
    std::string record = line.value.empty() ? "#" + std::string(kTrendKey) + "#" : line.value;
    record += '>';
    record += NeutraliseFieldValue(score);
    record += "\r\n";
    return AtomicWriteFile(trendFile, record, Durability::Synced);
}

}  // namespace qv
