#include "course/results_store.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "course/atomic_file.h"
#include "course/record_file.h"
#include "course/text.h"

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

template <typename Visit>
void ForEachConfiguredSlot(const CourseConfig& config, Visit visit) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (config.module(slot).configured()) visit(slot);
    }
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
        std::error_code error;
        if (!fs::is_regular_file(ResultFilePath(workDir, kind, slot, code), error)) return true;
    }
    return false;
}

std::vector<std::string> ResetResults(const ResourceSource& source, const fs::path& workDir,
                                      const CourseConfig& config) {
    std::vector<std::string> problems;
    ForEachConfiguredSlot(config, [&](int slot) {
        for (ResultKind kind : kResultKinds) {
            const fs::path file = ResultFilePath(workDir, kind, slot, config.code);
            if (ExtractResource(source, ResultTemplateId(slot, kind), kResourceType, file) != kExtractOk) {
                problems.push_back(DescribeIoStatus(IoStatus::WriteFailed, file));
            }
        }
    });
    return problems;
}

std::string BackupFolderName(std::chrono::system_clock::time_point now) {
    const std::tm local = LocalTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

BackupOutcome BackupResults(const fs::path& workDir, const CourseConfig& config,
                            std::chrono::system_clock::time_point now) {
    BackupOutcome outcome;
    std::vector<fs::path> existing;
    ForEachConfiguredSlot(config, [&](int slot) {
        for (ResultKind kind : kResultKinds) {
            const fs::path file = ResultFilePath(workDir, kind, slot, config.code);
            std::error_code error;
            if (fs::is_regular_file(file, error)) existing.push_back(file);
        }
    });
    if (existing.empty()) {
        outcome.ok = true;
        return outcome;
    }

    const fs::path base = workDir / "backup" / BackupFolderName(now);
    fs::path folder = base;
    for (int n = 2; fs::exists(folder); ++n) folder = base.string() + "-" + std::to_string(n);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        outcome.problems.push_back("A copy of your results could not be put into " + folder.string() + ".");
        return outcome;
    }
    outcome.folder = folder;
    outcome.ok = true;
    for (const fs::path& file : existing) {
        auto bytes = ReadWholeFile(file);
        const IoStatus status =
            bytes.ok() ? AtomicWriteFile(folder / file.filename(), bytes.value, Durability::Synced)
                       : bytes.status;
        if (status != IoStatus::Ok) {
            outcome.ok = false;
            outcome.problems.push_back("A copy of \"" + file.filename().string() +
                                       "\" could not be put into " + folder.string() + ".");
        }
    }
    return outcome;
}

EnsureOutcome EnsureResultFiles(const ResourceSource& source, const fs::path& workDir,
                                const CourseConfig& config, std::chrono::system_clock::time_point now) {
    EnsureOutcome outcome;
    bool missing = false;
    ForEachConfiguredSlot(config, [&](int slot) {
        missing = missing || AnyResultFileMissing(workDir, slot, config.code);
    });
    if (!missing) return outcome;

    BackupOutcome backup = BackupResults(workDir, config, now);
    outcome.backupFolder = backup.folder;
    outcome.problems = std::move(backup.problems);
    if (backup.ok) {
        auto problems = ResetResults(source, workDir, config);
        outcome.reset = problems.empty();
        outcome.problems.insert(outcome.problems.end(), problems.begin(), problems.end());
        return outcome;
    }

    // Without a safe copy nothing is overwritten: only the missing files are made.
    outcome.problems.push_back("Your other results have been left as they were.");
    ForEachConfiguredSlot(config, [&](int slot) {
        for (ResultKind kind : kResultKinds) {
            const fs::path file = ResultFilePath(workDir, kind, slot, config.code);
            std::error_code error;
            if (fs::is_regular_file(file, error)) continue;
            if (ExtractResource(source, ResultTemplateId(slot, kind), kResourceType, file) != kExtractOk) {
                outcome.problems.push_back(DescribeIoStatus(IoStatus::WriteFailed, file));
            }
        }
    });
    return outcome;
}

ReadResult<std::array<std::vector<std::string>, 6>> ReadModuleMarks(const fs::path& marksFile, int papers) {
    ReadResult<std::array<std::vector<std::string>, 6>> marks;
    for (std::size_t r = 0; r < kMarksKeys.size(); ++r) {
        auto fields = ReadRecordFields(marksFile, kMarksKeys[r], papers);
        if (!fields.ok()) {
            marks.status = fields.status;
            fields.value.assign(static_cast<std::size_t>(std::max(papers, 0)), std::string());
        }
        marks.value[r] = std::move(fields.value);
    }
    return marks;
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
