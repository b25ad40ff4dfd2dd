#pragma once

// Six result files per configured module slot, directly in the working
// folder. They start as copies of the slot's empty templates and are
// rewritten whole by their writers.

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "course/io_status.h"
#include "course/marks_lists.h"
#include "course/resources.h"

namespace qv {

// In the order of their template resources.
enum class ResultKind { Marks = 1, FirstAnswers, SecondAnswers, FirstResults, SecondResults, Trend };

inline constexpr std::array<ResultKind, 6> kResultKinds = {
    ResultKind::Marks,        ResultKind::FirstAnswers,  ResultKind::SecondAnswers,
    ResultKind::FirstResults, ResultKind::SecondResults, ResultKind::Trend};

inline constexpr std::string_view kTrendKey = "TRD";

// "marks2QEN.txt", "first2QEN.txt", ...
std::string ResultFileName(ResultKind kind, int slot, std::string_view code);
std::filesystem::path ResultFilePath(const std::filesystem::path& workDir, ResultKind kind, int slot,
                                     std::string_view code);
inline int ResultTemplateId(int slot, ResultKind kind) {
    return 30100 + 10 * slot + static_cast<int>(kind);
}

// True when one of the slot's six files is not there at all. A path that holds
// something else (a folder, a link that leads nowhere) or that cannot be
// looked at is not missing.
bool AnyResultFileMissing(const std::filesystem::path& workDir, int slot, std::string_view code);

// While a reset runs, this file in the working folder names the backup folder
// of the files being replaced; a start that finds it finishes the reset.
inline constexpr std::string_view kResetMarkerName = "resetting.txt";

// Writes the six templates of every configured slot over its result files,
// whole or not at all: nothing is written unless every template is there and
// every file can be replaced (none is read-only or a folder). A write that
// fails half-way (a full disk) leaves the marker file, and the next start
// finishes the reset. Returns a sentence for each problem.
std::vector<std::string> ResetResults(const ResourceSource& source, const std::filesystem::path& workDir,
                                      const CourseConfig& config);

// Erases the pupil's results when asked to: the result files are copied
// into the backup folder first (as BackupResults does), then the reset is
// run as above. Nothing is overwritten when the copy cannot be made. When
// not everything was erased, `message` says so and names each file that was
// not reset and why.
struct [[nodiscard]] EraseOutcome {
    bool erased = false;  // every result file of every configured slot is its template again
    bool begun = false;   // some files may already hold their templates
    std::filesystem::path backupFolder;
    std::vector<std::string> problems;
    std::string message;
};
EraseOutcome EraseResults(const ResourceSource& source, const std::filesystem::path& workDir,
                          const CourseConfig& config, std::chrono::system_clock::time_point now);
// Why an erase would be refused before anything is copied or changed (a
// template missing, a result file read-only or not a file), in words for the
// pupil; empty when it can go ahead.
std::string EraseRefusal(const ResourceSource& source, const std::filesystem::path& workDir,
                         const CourseConfig& config);

// Copies every existing result file of the configured slots into
// "backup/<date>_<time>" of the working folder (a new folder each time,
// "-2", "-3", ... added when the name is taken). The folder gets its name
// only once every copy is on the disk.
struct [[nodiscard]] BackupOutcome {
    bool ok = false;
    std::filesystem::path folder;  // where the copies are; empty when nothing was copied
    std::vector<std::string> problems;
};
BackupOutcome BackupResults(const std::filesystem::path& workDir, const CourseConfig& config,
                            std::chrono::system_clock::time_point now);

// Makes sure every result file of every configured slot exists. A missing
// file is made again from its template and the others are kept, with a
// notice naming it (none for a slot that had no files yet). Only when none of
// the files there holds any of its records are all result files reset to
// their templates, after a copy of them has been put into the backup folder.
// When that copy cannot be made, or a result path holds something that is
// not a file, nothing is overwritten: only the missing files are created. A reset that
// an earlier start left half-done is finished first, and what a backup
// stopped half-way left in the backup folder is removed.
struct [[nodiscard]] EnsureOutcome {
    bool reset = false;               // all files were reset to their templates
    std::filesystem::path backupFolder;
    std::vector<std::string> problems;
    // Which file was missing and made again; when results the pupil had were
    // reset, that they were and where the copies are. Empty otherwise.
    std::string notice;
};
EnsureOutcome EnsureResultFiles(const ResourceSource& source, const std::filesystem::path& workDir,
                                const CourseConfig& config, std::chrono::system_clock::time_point now);

// The six records of a marks file (FSE, SSE, LTM, CDD, FST, SST), each with
// `papers` fields, and which fields could not be read: those of a record
// that is missing or has fewer fields than papers, the last field of a record
// with more, a field longer than kMaxMarksFieldBytes or holding a '#', and a
// marked state that is neither "0" nor "1". A field not read is empty in `lists` and the
// status is Damaged; `stored` keeps its text when it stood whole.
inline constexpr std::size_t kMaxMarksFieldBytes = 256;
struct ModuleMarks {
    MarksLists lists;
    MarksLists stored;
    std::array<std::vector<bool>, kMarksRecords.size()> unread;  // by MarksIndex
    IoStatus status = IoStatus::Ok;

    bool Read(MarksRecord record, int paperNumber) const;  // paper numbers from 1
};
ModuleMarks ReadMarksRecords(const std::filesystem::path& marksFile, int papers);
// The same, as lists alone.
ReadResult<MarksLists> ReadModuleMarks(const std::filesystem::path& marksFile, int papers);

// One field of the marks file: its record and its value.
struct MarksField {
    MarksRecord record = MarksRecord::FirstScore;
    std::string value;
};

// Rewrites the marks file with field `paperNumber` (1-based) of the given
// records changed and every other field as the file holds it now. A field
// that could not be read is never written as a guess: it is kept as it stood
// when it stood whole, and is written empty otherwise, so a
// marked state that was not read still reads as not known. A file that
// exists but cannot be read is not written. `written` receives the six lists
// as they now read (or would have).
IoStatus UpdateModuleMarks(const std::filesystem::path& marksFile, int papers, int paperNumber,
                           const std::vector<MarksField>& changes, MarksLists& written);

// Appends one score to the trend record: the file afterwards holds the one
// line "#TRD#>old...>score" and CR LF.
IoStatus AppendTrend(const std::filesystem::path& trendFile, std::string_view score);

// "2026-12-08_22-40-05" in local time.
std::string BackupFolderName(std::chrono::system_clock::time_point now);

}  // namespace qv
