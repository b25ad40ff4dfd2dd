#include "course/marking_journal.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

#include "course/atomic_file.h"
#include "course/file_system.h"
#include "course/record_file.h"
#include "course/text.h"
#include "course/text_lines.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHead = "#MRK#>";
constexpr std::string_view kRecord = "#REC#>";
constexpr std::string_view kField = "#FLD#>";
constexpr std::string_view kTrend = "#TRD#>";
constexpr std::string_view kEnd = "#END#>";

// A check of the journal's bytes, so that a journal changed or cut short by
// anything but this program is never taken for a whole one.
std::string Checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kDigits[hash & 15];
    return text;
}

std::string PaperTag(int paperNumber) { return "#" + std::to_string(100 + paperNumber) + "#"; }

bool IsPerPaperKind(ResultKind kind) { return kind != ResultKind::Marks && kind != ResultKind::Trend; }

// "a>b>c" -> {"a", "b", "c"}; the last part runs to the end.
std::vector<std::string_view> SplitAt(std::string_view text, std::size_t parts) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        const std::size_t at = text.find('>');
        if (at == std::string_view::npos) break;
        out.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    out.push_back(text);
    return out;
}

std::optional<int> Number(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int value = std::stoi(std::string(text));
    if (value < low || value > high) return std::nullopt;
    return value;
}

fs::path FileOf(const fs::path& workDir, const MarkingJournal& journal, ResultKind kind) {
    return ResultFilePath(workDir, kind, journal.slot, journal.code);
}

fs::path JournalPath(const fs::path& workDir) { return workDir / std::string(kMarkingJournalName); }

// One step of a marking: one result file written. Each can be done again
// without harm, so a start may repeat what a stopped marking had done.
struct Step {
    fs::path file;
    IoStatus (*apply)(const fs::path& file, const MarkingJournal& journal, std::size_t index);
    std::size_t index = 0;  // into journal.records for a record step
};

IoStatus ApplyRecord(const fs::path& file, const MarkingJournal& journal, std::size_t index) {
    const std::string& line = journal.records[index].line;
    auto lines = ReadPaperLines(file, journal.paperCount);
    if (!lines.ok() && lines.status != IoStatus::Missing) return lines.status;
    const int parts = static_cast<int>(std::count(line.begin(), line.end(), '>'));
    const Fields values = SplitFields(line, FirstSeparatorIndex(3), parts);
    return SavePaperRecord(lines.value, values, journal.paperNumber, std::to_string(100 + journal.paperNumber),
                           journal.paperCount, parts, file);
}

IoStatus ApplyMarks(const fs::path& file, const MarkingJournal& journal, std::size_t) {
    MarksLists written;
    return UpdateModuleMarks(file, journal.paperCount, journal.paperNumber, journal.marks, written);
}

IoStatus ApplyTrend(const fs::path& file, const MarkingJournal& journal, std::size_t) {
    return AtomicWriteFile(file, *journal.trendLine + "\r\n", Durability::Synced);
}

std::vector<Step> StepsOf(const fs::path& workDir, const MarkingJournal& journal) {
    std::vector<Step> steps;
    for (std::size_t i = 0; i < journal.records.size(); ++i) {
        steps.push_back({FileOf(workDir, journal, journal.records[i].kind), ApplyRecord, i});
    }
    if (!journal.marks.empty()) steps.push_back({FileOf(workDir, journal, ResultKind::Marks), ApplyMarks, 0});
    if (journal.trendLine) steps.push_back({FileOf(workDir, journal, ResultKind::Trend), ApplyTrend, 0});
    return steps;
}

struct Applied {
    IoStatus status = IoStatus::Ok;
    std::size_t done = 0;  // steps that were written
    fs::path file;
};

Applied ApplySteps(const std::vector<Step>& steps, const MarkingJournal& journal) {
    Applied applied;
    for (const Step& step : steps) {
        applied.status = step.apply(step.file, journal, step.index);
        if (applied.status != IoStatus::Ok) {
            applied.file = step.file;
            return applied;
        }
        ++applied.done;
    }
    return applied;
}

bool RemoveJournal(const fs::path& workDir) {
    std::error_code error;
    fs::remove(JournalPath(workDir), error);
    NoteWriteStep();
    SyncFolder(workDir);
    return !error;
}

std::optional<MarkingJournal> ReadJournal(const fs::path& workDir, IoStatus& status) {
    const auto bytes = ReadWholeFile(JournalPath(workDir));
    status = bytes.status;
    if (!bytes.ok()) return std::nullopt;
    return DecodeMarkingJournal(bytes.value);
}

}  // namespace

std::string EncodeMarkingJournal(const MarkingJournal& journal) {
    std::string bytes;
    int lines = 0;
    auto add = [&](std::string_view tag, const std::string& rest) {
        bytes += tag;
        bytes += rest;
        bytes += "\r\n";
        ++lines;
    };
    add(kHead, std::to_string(journal.slot) + ">" + journal.code + ">" + std::to_string(journal.paperNumber) + ">" +
                   std::to_string(journal.paperCount));
    for (const auto& record : journal.records) add(kRecord, std::to_string(static_cast<int>(record.kind)) + ">" + record.line);
    for (const MarksField& field : journal.marks) add(kField, std::to_string(MarksIndex(field.record)) + ">" + field.value);
    if (journal.trendLine) add(kTrend, *journal.trendLine);
    bytes += std::string(kEnd) + std::to_string(lines) + ">" + Checksum(bytes) + "\r\n";
    return bytes;
}

std::optional<MarkingJournal> DecodeMarkingJournal(std::string_view bytes) {
    const std::size_t endAt = bytes.rfind(kEnd);
    if (endAt == std::string_view::npos || (endAt > 0 && bytes[endAt - 1] != '\n')) return std::nullopt;
    const std::vector<std::string_view> end = SplitAt(bytes.substr(endAt + kEnd.size()), 2);
    const std::vector<std::string_view> lines = SplitLines(bytes.substr(0, endAt));
    if (end.size() != 2 || end[1] != Checksum(bytes.substr(0, endAt)) + "\r\n" ||
        end[0] != std::to_string(lines.size()) || lines.empty() || !lines[0].starts_with(kHead)) {
        return std::nullopt;
    }
    MarkingJournal journal;
    const auto head = SplitAt(lines[0].substr(kHead.size()), 4);
    if (head.size() != 4) return std::nullopt;
    const auto slot = Number(head[0], 1, kSlotCount);
    const auto paperCount = Number(head[3], 1, kMaxPapers);
    const auto paper = paperCount ? Number(head[2], 1, *paperCount) : std::nullopt;
    if (!slot || !paper || !IsValidCourseCode(head[1])) return std::nullopt;
    journal.slot = *slot;
    journal.code = std::string(head[1]);
    journal.paperNumber = *paper;
    journal.paperCount = *paperCount;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with(kRecord)) {
            const auto parts = SplitAt(line.substr(kRecord.size()), 2);
            const auto kind = parts.size() == 2 ? Number(parts[0], 1, 6) : std::nullopt;
            if (!kind || !IsPerPaperKind(static_cast<ResultKind>(*kind)) || !parts[1].starts_with(PaperTag(*paper))) {
                return std::nullopt;
            }
            journal.records.push_back({static_cast<ResultKind>(*kind), std::string(parts[1])});
        } else if (line.starts_with(kField)) {
            const auto parts = SplitAt(line.substr(kField.size()), 2);
            const auto record = parts.size() == 2 ? Number(parts[0], 0, 5) : std::nullopt;
            if (!record || parts[1].find('>') != std::string_view::npos) return std::nullopt;
            journal.marks.push_back({kMarksRecords[static_cast<std::size_t>(*record)], std::string(parts[1])});
        } else if (line.starts_with(kTrend) && !journal.trendLine) {
            // The trend record as the marking read it, which may have had
            // something before its key (a file edited by hand).
            const std::string_view trend = line.substr(kTrend.size());
            if (!LineHasKey(trend, kTrendKey)) return std::nullopt;
            journal.trendLine = std::string(trend);
        } else {
            return std::nullopt;
        }
    }
    if (journal.records.empty() && journal.marks.empty()) return std::nullopt;
    return journal;
}

MarkingCommit CommitMarking(const fs::path& workDir, const MarkingJournal& journal) {
    const fs::path journalFile = JournalPath(workDir);
    if (InspectPath(journalFile).kind != PathKind::Missing) {
        IoStatus status = IoStatus::Ok;
        const auto earlier = ReadJournal(workDir, status);
        if (earlier) {
            const Applied applied = ApplySteps(StepsOf(workDir, *earlier), *earlier);
            // Still unfinished: the new marking has not begun, so it is simply not made.
            if (applied.status != IoStatus::Ok) return {applied.status, applied.file, false};
        } else if (status != IoStatus::Ok) {
            return {status, journalFile, false};
        }
        RemoveJournal(workDir);
    }

    // What every file holds now, to put back if a later file cannot be written.
    const std::vector<Step> steps = StepsOf(workDir, journal);
    std::vector<std::optional<std::string>> before;
    for (const Step& step : steps) {
        auto bytes = ReadWholeFile(step.file);
        if (bytes.status == IoStatus::Missing) {
            before.emplace_back();
        } else if (!bytes.ok()) {
            return {bytes.status, step.file, false};
        } else {
            before.emplace_back(std::move(bytes.value));
        }
    }

    if (const IoStatus written = AtomicWriteFile(journalFile, EncodeMarkingJournal(journal), Durability::Synced);
        written != IoStatus::Ok) {
        return {written, journalFile, false};
    }
    const Applied applied = ApplySteps(steps, journal);
    if (applied.status == IoStatus::Ok) {
        RemoveJournal(workDir);  // when it stays, the next start writes the same records again
        return {};
    }
    bool restored = true;
    for (std::size_t i = applied.done; i-- > 0;) {
        std::error_code error;
        if (before[i]) restored = AtomicWriteFile(steps[i].file, *before[i], Durability::Synced) == IoStatus::Ok && restored;
        else restored = fs::remove(steps[i].file, error) && !error && restored;
    }
    const bool pending = !(restored && RemoveJournal(workDir));
    return {applied.status, applied.file, pending};
}

MarkingRecovery FinishInterruptedMarking(const fs::path& workDir, const CourseConfig& config) {
    MarkingRecovery recovery;
    const fs::path journalFile = JournalPath(workDir);
    const PathInfo info = InspectPath(journalFile);
    if (info.kind == PathKind::Missing) return recovery;
    recovery.found = true;
    if (info.kind != PathKind::File) {
        recovery.problems.push_back(DescribeIoStatus(StatusOf(info), journalFile));
        return recovery;
    }
    IoStatus status = IoStatus::Ok;
    const auto journal = ReadJournal(workDir, status);
    if (!journal && status != IoStatus::Ok && status != IoStatus::TooLarge) {
        recovery.problems.push_back(DescribeIoStatus(status, journalFile));
        return recovery;
    }
    const bool belongs = journal && journal->code == config.code && config.module(journal->slot).configured() &&
                         config.module(journal->slot).paperCount == journal->paperCount;
    if (!belongs || AnyResultFileMissing(workDir, journal->slot, journal->code)) {
        RemoveJournal(workDir);
        recovery.notice = "When the program last stopped, it had just begun to mark a paper; that marking could "
                          "not be finished, so the paper is not marked and your results are as they were before.";
        return recovery;
    }
    const Applied applied = ApplySteps(StepsOf(workDir, *journal), *journal);
    if (applied.status != IoStatus::Ok) {
        recovery.problems.push_back(DescribeIoStatus(applied.status, applied.file) +
                                    " A marking that was stopped half-way could not be finished; it will be "
                                    "finished the next time the program starts.");
        return recovery;
    }
    RemoveJournal(workDir);
    recovery.finished = true;
    recovery.notice = "When the program last stopped, it was in the middle of marking a paper; that marking has "
                      "now been finished.";
    return recovery;
}

void DropMarkingJournal(const fs::path& workDir) {
    if (InspectPath(JournalPath(workDir)).kind == PathKind::File) RemoveJournal(workDir);
}

}  // namespace qv
