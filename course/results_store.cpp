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

bool ModuleMarks::Read(std::size_t record, int paperNumber) const {
    if (record >= unread.size() || paperNumber < 1 || paperNumber > static_cast<int>(unread[record].size())) {
        return false;
    }
    return !unread[record][static_cast<std::size_t>(paperNumber - 1)];
}

ModuleMarks ReadMarksRecords(const fs::path& marksFile, int papers) {
    ModuleMarks marks;
    const auto count = static_cast<std::size_t>(std::clamp(papers, 0, kMaxPapers));
    for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
        marks.lists[r].assign(count, std::string());
        marks.stored[r].assign(count, std::string());
        marks.unread[r].assign(count, true);
    }
    const auto text = ReadRecordText(marksFile);
    marks.status = text.status;
    if (!text.usable()) return marks;
    const std::vector<std::string_view> lines = SplitLines(text.value);
    bool damaged = false;
    for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](std::string_view l) { return LineHasKey(l, kMarksKeys[r]); });
        if (line == lines.end()) {
            damaged = count > 0;
            continue;
        }
        // The fields start at the separator's fixed place after the key.
        const bool inShape = line->size() > FirstSeparatorIndex(3) && (*line)[FirstSeparatorIndex(3)] == '>';
        const auto separators =
            inShape ? static_cast<std::size_t>(std::count(line->begin(), line->end(), '>')) : std::size_t{0};
        marks.stored[r] = SplitRecordLine(*line, static_cast<int>(count));
        const bool state = r >= 4;
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
                marks.unread[r][i] = false;
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

ReadResult<std::array<std::vector<std::string>, 6>> ReadModuleMarks(const fs::path& marksFile, int papers) {
    ModuleMarks marks = ReadMarksRecords(marksFile, papers);
    return {std::move(marks.lists), marks.status};
}

IoStatus UpdateModuleMarks(const fs::path& marksFile, int papers, int paperNumber,
                           const std::vector<MarksField>& changes, std::array<std::vector<std::string>, 6>& written) {
    ModuleMarks marks = ReadMarksRecords(marksFile, papers);
    written = marks.lists;
    if (marks.status == IoStatus::Missing) {
        // A file made anew starts as the template does: no paper marked.
        for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
            if (r < 4) continue;
            std::fill(marks.stored[r].begin(), marks.stored[r].end(), "0");
            std::fill(marks.unread[r].begin(), marks.unread[r].end(), false);
        }
        marks.lists = marks.stored;
    } else if (marks.status != IoStatus::Ok && marks.status != IoStatus::Damaged) {
        return marks.status;
    }
    // A field that was read is written as read. One that was not is written
    // as it stood when it stood whole (too long, or a marked state that is no
    // state), so it still reads as not read; otherwise (cut off, or run into
    // by more fields) it is written empty: a state left empty still reads as
    // not known, never as "not marked".
    std::array<std::vector<std::string>, 6> lines = marks.lists;
    for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
        for (std::size_t i = 0; i < lines[r].size(); ++i) {
            if (marks.unread[r][i]) lines[r][i] = marks.stored[r][i];
        }
    }
    for (const MarksField& change : changes) {
        if (change.record >= lines.size() || paperNumber < 1 || paperNumber > static_cast<int>(lines[change.record].size())) {
            continue;
        }
        lines[change.record][static_cast<std::size_t>(paperNumber - 1)] = change.value;
        marks.lists[change.record][static_cast<std::size_t>(paperNumber - 1)] = change.value;
    }
    written = marks.lists;
    return WriteMarksFile(lines, kMarksKeys, static_cast<int>(lines[0].size()), marksFile);
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
