// Resetting the result files to their templates, whole or not at all, with
// a copy of the files it replaces.
//
// A reset first copies the result files into a dated folder in "backup"
// (result_backup.cpp). Then the marker file "resetting.txt" (naming that
// folder) is written, every template is written over its file, and the marker
// is removed. A start that finds the marker finishes the reset (copying first
// what was saved since it stopped); a start that finds a temporary backup
// folder removes it, since no result file was touched yet.

#include <algorithm>
#include <array>
#include <system_error>

#include "course/atomic_file.h"
#include "course/file_system.h"
#include "course/text.h"
#include "course/marking_journal.h"
#include "course/record_file.h"
#include "course/record_keys.h"
#include "course/results_store.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarkerKey = "BKP";

struct ResultFile {
    int templateId;
    fs::path path;
    int slot;
};

std::vector<ResultFile> ConfiguredFiles(const fs::path& workDir, const CourseConfig& config) {
    std::vector<ResultFile> files;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!config.module(slot).configured()) continue;
        for (ResultKind kind : kResultKinds) {
            files.push_back({ResultTemplateId(slot, kind), ResultFilePath(workDir, kind, slot, config.code), slot});
        }
    }
    return files;
}

std::string Quoted(const fs::path& file) { return "\"" + PathWords(file.filename()) + "\""; }

std::string JoinNames(const std::vector<fs::path>& files) {
    std::string names;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) names += i + 1 == files.size() ? " and " : ", ";
        names += Quoted(files[i]);
    }
    return names;
}

std::string NoTemplate(const fs::path& file) {
    return "This copy of the program holds no empty copy of " + Quoted(file) + ", so it could not be made.";
}

fs::path MarkerPath(const fs::path& workDir) { return workDir / std::string(kResetMarkerName); }

// A dated backup folder name as BackupFolderName makes it, with or without "-n".
bool IsBackupFolderName(std::string_view name) {
    constexpr std::string_view kShape = "0000-00-00_00-00-00";
    if (name.size() < kShape.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char shape = i < kShape.size() ? kShape[i] : (i == kShape.size() ? '-' : '0');
        if (shape == '0' ? (name[i] < '0' || name[i] > '9') : name[i] != shape) return false;
    }
    return true;
}

// Removes what a start stopped in the middle of a backup left behind: its
// temporary folder, and a dated folder it had claimed but not yet filled.
void TidyBackupFolder(const fs::path& workDir) {
    const fs::path root = workDir / "backup";
    if (!IsFolder(root)) return;
    RemoveStaleTemporaries(root);
    std::error_code error;
    std::vector<fs::path> claimed;
    fs::directory_iterator entry(root, error);
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->symlink_status(ignored).type() == fs::file_type::directory &&
            IsBackupFolderName(entry->path().filename().string())) {
            claimed.push_back(entry->path());
        }
    }
    for (const fs::path& folder : claimed) {
        std::error_code ignored;
        if (fs::is_empty(folder, ignored) && !ignored) fs::remove(folder, ignored);
    }
}

// True when the file can be read and holds at least one of the records its
// template holds: the program finds some of its results in it.
bool HoldsResults(const ResourceSource& source, const ResultFile& file) {
    const auto templ = source.Load(file.templateId, kResourceType);
    const ReadResult<std::string> read = ReadWholeFile(file.path);
    return templ && read.ok() && SharesRecordKeys(read.value, *templ);
}

struct ResetRun {
    bool begun = false;  // the marker was written: files may have been overwritten
    std::vector<std::string> problems;
};

// Why the templates could not all be written over their files: a template
// that is not there, a file that cannot be replaced. Empty when they can.
std::vector<std::string> ResetBlockers(const ResourceSource& source, const std::vector<ResultFile>& files,
                                       std::vector<std::string>* templates) {
    std::vector<std::string> problems;
    for (const ResultFile& file : files) {
        auto bytes = source.Load(file.templateId, kResourceType);
        if (!bytes) problems.push_back(NoTemplate(file.path));
        if (templates) templates->push_back(bytes.value_or(std::string()));
        const PathInfo info = InspectPath(file.path);
        if (info.kind == PathKind::NotAFile || info.kind == PathKind::Unreadable) {
            problems.push_back(DescribeIoStatus(StatusOf(info), file.path));
        } else if (info.kind == PathKind::File && info.readOnly) {
            problems.push_back(DescribeIoStatus(IoStatus::ReadOnly, file.path));
        }
    }
    return problems;
}

// Writes every template over its file. Nothing is written unless every
// template is there and every file can be replaced.
ResetRun RunReset(const ResourceSource& source, const fs::path& workDir, const CourseConfig& config,
                  const std::string& backupName) {
    ResetRun run;
    const std::vector<ResultFile> files = ConfiguredFiles(workDir, config);
    std::vector<std::string> templates;
    run.problems = ResetBlockers(source, files, &templates);
    if (!run.problems.empty()) return run;

    const fs::path marker = MarkerPath(workDir);
    const IoStatus marked = AtomicWriteFile(marker, "#" + std::string(kMarkerKey) + "#>" + backupName + "\r\n",
                                            Durability::Synced);
    if (marked != IoStatus::Ok) {
        run.problems.push_back(DescribeIoStatus(marked, marker));
        return run;
    }
    run.begun = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const IoStatus status = AtomicWriteFile(files[i].path, templates[i], Durability::Synced);
        if (status != IoStatus::Ok) run.problems.push_back(DescribeIoStatus(status, files[i].path));
    }
    if (!run.problems.empty()) {
        run.problems.push_back("The reset of your results will be finished the next time the program starts.");
        return run;
    }
    DropMarkingJournal(workDir);  // a marking left unfinished is void once every result is reset
    std::error_code error;
    fs::remove(marker, error);
    SyncFolder(workDir);
    return run;
}


// True when a result file holds what neither its template nor the copy made
// before the reset holds: results saved after the reset was stopped (an erase
// that failed half-way, and a session that went on).
bool SavedSinceResetBegan(const ResourceSource& source, const fs::path& workDir, const CourseConfig& config,
                          const std::string& backupName) {
    for (const ResultFile& file : ConfiguredFiles(workDir, config)) {
        if (InspectPath(file.path).kind != PathKind::File) continue;
        const ReadResult<std::string> bytes = ReadWholeFile(file.path);
        const auto templ = source.Load(file.templateId, kResourceType);
        if (bytes.ok() && templ && bytes.value == *templ) continue;
        if (!backupName.empty()) {
            const ReadResult<std::string> copy = ReadWholeFile(workDir / "backup" / backupName / file.path.filename());
            if (bytes.ok() && copy.ok() && copy.value == bytes.value) continue;
        }
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> ResetResults(const ResourceSource& source, const fs::path& workDir,
                                      const CourseConfig& config) {
    return RunReset(source, workDir, config, std::string()).problems;
}

std::string EraseRefusal(const ResourceSource& source, const fs::path& workDir, const CourseConfig& config) {
    const std::vector<std::string> problems = ResetBlockers(source, ConfiguredFiles(workDir, config), nullptr);
    if (problems.empty()) return {};
    std::string message = "Your past results have not been erased.";
    for (const std::string& problem : problems) message += " " + problem;
    return message + " Nothing has been changed.";
}

EraseOutcome EraseResults(const ResourceSource& source, const fs::path& workDir, const CourseConfig& config,
                          std::chrono::system_clock::time_point now) {
    EraseOutcome outcome;
    // An erase that cannot go ahead makes no copy either.
    outcome.message = EraseRefusal(source, workDir, config);
    if (!outcome.message.empty()) return outcome;
    BackupOutcome backup = BackupResults(workDir, config, now);
    outcome.backupFolder = backup.folder;
    outcome.problems = std::move(backup.problems);
    if (backup.ok) {
        ResetRun run = RunReset(source, workDir, config, backup.folder.filename().string());
        outcome.begun = run.begun;
        outcome.problems.insert(outcome.problems.end(), run.problems.begin(), run.problems.end());
        outcome.erased = run.begun && outcome.problems.empty();
    }
    if (outcome.erased) return outcome;
    outcome.message = outcome.begun ? "Not all your past results could be erased." : "Your past results have not been erased.";
    for (const std::string& problem : outcome.problems) outcome.message += " " + problem;
    if (!outcome.begun && backup.ok) outcome.message += " Nothing has been changed.";
    if (!backup.ok) outcome.message += " Nothing is erased without a copy, so nothing has been changed.";
    return outcome;
}

namespace {

EnsureOutcome EnsureFilesExist(const ResourceSource& source, const fs::path& workDir, const CourseConfig& config,
                               std::chrono::system_clock::time_point now) {
    EnsureOutcome outcome;
    TidyBackupFolder(workDir);

    // A reset that was stopped half-way is finished first.
    const fs::path marker = MarkerPath(workDir);
    if (InspectPath(marker).kind == PathKind::File) {
        std::string name = ReadRecordValue(marker, kMarkerKey).value;
        if (name.find_first_of("/\\") != std::string::npos || !IsBackupFolderName(name)) name.clear();
        // What was saved since is copied too before the reset goes on, or the reset waits.
        fs::path laterCopy;
        if (SavedSinceResetBegan(source, workDir, config, name)) {
            BackupOutcome again = BackupResults(workDir, config, now);
            if (!again.ok) {
                outcome.problems = std::move(again.problems);
                outcome.problems.push_back("The reset of your results that was stopped half-way has not been "
                                           "finished, so that nothing is erased without a copy.");
                return outcome;
            }
            laterCopy = again.folder;
        }
        ResetRun run = RunReset(source, workDir, config, name);
        outcome.problems = std::move(run.problems);
        outcome.reset = outcome.problems.empty();
        if (!name.empty()) outcome.backupFolder = workDir / "backup" / name;
        if (outcome.reset) {
            outcome.notice = "When the program last stopped, it was in the middle of resetting your results; "
                             "the reset has now been finished.";
            if (!name.empty()) {
                outcome.notice += " A copy of your results as they were is in " + PathWords(outcome.backupFolder) + ".";
            }
            if (!laterCopy.empty()) {
                outcome.notice += " A copy of the results saved since then is in " + PathWords(laterCopy) + ".";
            }
        }
        return outcome;
    }

    std::vector<fs::path> missing;
    bool blocked = false;
    for (const ResultFile& file : ConfiguredFiles(workDir, config)) {
        const PathInfo info = InspectPath(file.path);
        if (info.kind == PathKind::Missing) {
            missing.push_back(file.path);
        } else if (info.kind != PathKind::File) {
            outcome.problems.push_back(DescribeIoStatus(StatusOf(info), file.path));
            blocked = true;
        } else if (info.size > kMaxFileBytes) {
            outcome.problems.push_back(DescribeIoStatus(IoStatus::Damaged, file.path));
        }
    }
    if (missing.empty()) return outcome;

    // Files that are there and readable are kept: only the missing ones are
    // made again. A slot none of whose files was there is new, and no news.
    const std::vector<ResultFile> files = ConfiguredFiles(workDir, config);
    const auto isMissing = [&](const ResultFile& file) {
        return std::find(missing.begin(), missing.end(), file.path) != missing.end();
    };
    bool anyPresent = false, anyReadable = false;
    std::array<bool, kSlotCount + 1> slotHasFiles{};
    for (const ResultFile& file : files) {
        if (isMissing(file)) continue;
        anyPresent = true;
        slotHasFiles[static_cast<std::size_t>(file.slot)] = true;
        anyReadable = anyReadable || HoldsResults(source, file);
    }
    if (!blocked && (anyReadable || !anyPresent)) {
        outcome.reset = !anyPresent;  // a first start: every file is its template
        std::vector<fs::path> told;
        for (const ResultFile& file : files) {
            if (!isMissing(file)) continue;
            const Extraction made =
                ExtractResourceFile(source, file.templateId, kResourceType, file.path, Durability::Synced);
            if (!made.found) outcome.problems.push_back(NoTemplate(file.path));
            else if (!made.ok()) outcome.problems.push_back(DescribeIoStatus(made.write, file.path));
            else if (slotHasFiles[static_cast<std::size_t>(file.slot)]) told.push_back(file.path);
        }
        if (!told.empty()) {
            outcome.notice = (told.size() == 1 ? "The file " : "The files ") + JoinNames(told) +
                             (told.size() == 1 ? " was" : " were") +
                             " missing, so it has been made again, empty. Your other results are as they were.";
            if (told.size() > 1) outcome.notice.replace(outcome.notice.find("so it has"), 9, "so they have");
        }
        return outcome;
    }

    // None of the files there can be read: all are reset, after a copy.
    {
        BackupOutcome backup = BackupResults(workDir, config, now);
        outcome.backupFolder = backup.folder;
        outcome.problems.insert(outcome.problems.end(), backup.problems.begin(), backup.problems.end());
        if (backup.ok) {
            ResetRun run = RunReset(source, workDir, config, backup.folder.filename().string());
            outcome.problems.insert(outcome.problems.end(), run.problems.begin(), run.problems.end());
            if (run.begun) {
                outcome.reset = run.problems.empty();
                if (outcome.reset && !backup.folder.empty()) {
                    outcome.notice = (missing.size() == 1 ? "The file " : "The files ") + JoinNames(missing) +
                                     (missing.size() == 1 ? " was" : " were") +
                                     " missing, so all your results have been reset. A copy of your results "
                                     "as they were is in " + PathWords(backup.folder) + ".";
                }
                return outcome;
            }
        }
    }

    // Without a safe reset nothing is overwritten: only the missing files are made.
    outcome.problems.push_back("Your results have not been reset: only the missing files have been made again, "
                               "and your other results have been left as they were.");
    for (const ResultFile& file : ConfiguredFiles(workDir, config)) {
        if (InspectPath(file.path).kind != PathKind::Missing) continue;
        const Extraction made = ExtractResourceFile(source, file.templateId, kResourceType, file.path, Durability::Synced);
        if (!made.found) outcome.problems.push_back(NoTemplate(file.path));
        else if (!made.ok()) outcome.problems.push_back(DescribeIoStatus(made.write, file.path));
    }
    return outcome;
}

}  // namespace

EnsureOutcome EnsureResultFiles(const ResourceSource& source, const fs::path& workDir,
                                const CourseConfig& config, std::chrono::system_clock::time_point now) {
    EnsureOutcome outcome = EnsureFilesExist(source, workDir, config, now);
    // A marking that was stopped half-way is finished once every file is
    // there, before the windows read them; a reset still to be finished
    // makes it void.
    if (InspectPath(MarkerPath(workDir)).kind != PathKind::Missing) return outcome;
    MarkingRecovery marking = FinishInterruptedMarking(workDir, config);
    outcome.problems.insert(outcome.problems.end(), marking.problems.begin(), marking.problems.end());
    if (!marking.notice.empty()) {
        outcome.notice += (outcome.notice.empty() ? "" : " ") + marking.notice;
    }
    return outcome;
}

}  // namespace qv
