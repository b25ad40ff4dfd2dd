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
#include "course/resources.h"

namespace qv {

// In the order of their template resources.
enum class ResultKind { Marks = 1, FirstAnswers, SecondAnswers, FirstResults, SecondResults, Trend };

inline constexpr std::array<ResultKind, 6> kResultKinds = {
    ResultKind::Marks,        ResultKind::FirstAnswers,  ResultKind::SecondAnswers,
    ResultKind::FirstResults, ResultKind::SecondResults, ResultKind::Trend};

// The records of the marks file, in file order.
inline const std::array<std::string, 6> kMarksKeys = {"FSE", "SSE", "LTM", "CDD", "FST", "SST"};
inline constexpr std::string_view kTrendKey = "TRD";

// "marks2QEN.txt", "first2QEN.txt", ...
std::string ResultFileName(ResultKind kind, int slot, std::string_view code);
std::filesystem::path ResultFilePath(const std::filesystem::path& workDir, ResultKind kind, int slot,
                                     std::string_view code);
inline int ResultTemplateId(int slot, ResultKind kind) {
    return 30100 + 10 * slot + static_cast<int>(kind);
}

bool AnyResultFileMissing(const std::filesystem::path& workDir, int slot, std::string_view code);

// Writes the six templates of every configured slot over its result files.
// A template that cannot be written leaves that file as it was; the others
// are still written. Returns a sentence for each file that failed.
std::vector<std::string> ResetResults(const ResourceSource& source, const std::filesystem::path& workDir,
                                      const CourseConfig& config);

// Copies every existing result file of the configured slots into
// "backup/<date>_<time>" of the working folder (a new folder each time).
struct BackupOutcome {
    bool ok = false;
    std::filesystem::path folder;  // where the copies are; empty when nothing was copied
    std::vector<std::string> problems;
};
BackupOutcome BackupResults(const std::filesystem::path& workDir, const CourseConfig& config,
                            std::chrono::system_clock::time_point now);

// Makes sure every result file of every configured slot exists. When one is
// missing, all result files are reset to their templates, after a copy of the
// files being replaced has been put into the backup folder. When that copy
// cannot be made, nothing is overwritten: only the missing files are created.
struct EnsureOutcome {
    bool reset = false;               // all files were reset to their templates
    std::filesystem::path backupFolder;
    std::vector<std::string> problems;
};
EnsureOutcome EnsureResultFiles(const ResourceSource& source, const std::filesystem::path& workDir,
                                const CourseConfig& config, std::chrono::system_clock::time_point now);

// The six records of a marks file (FSE, SSE, LTM, CDD, FST, SST), each with
// `papers` fields.
ReadResult<std::array<std::vector<std::string>, 6>> ReadModuleMarks(const std::filesystem::path& marksFile,
                                                                     int papers);

// Appends one score to the trend record: the file afterwards holds the one
// line "#TRD#>old...>score" and CR LF.
IoStatus AppendTrend(const std::filesystem::path& trendFile, std::string_view score);

// "2026-12-08_22-40-05" in local time.
std::string BackupFolderName(std::chrono::system_clock::time_point now);

}  // namespace qv
