// The copy of the result files made before they are reset: into a hidden
// temporary folder in "backup" first, synced, and only then given its dated
// name (claimed with an exclusive mkdir, so two copies in one second never
// share a folder).

#include <system_error>
#include <vector>

#include "course/file_system.h"
#include "course/results_store.h"
#include "course/text.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int kFolderAttempts = 1000;

std::string CopyFailed(const fs::path& file, const fs::path& root, IoStatus status) {
    return "A copy of \"" + PathWords(file.filename()) + "\" could not be put into " + PathWords(root) +
           (status == IoStatus::DiskFull ? ", because the disk is full." : ".");
}

}  // namespace

BackupOutcome BackupResults(const fs::path& workDir, const CourseConfig& config,
                            std::chrono::system_clock::time_point now) {
    BackupOutcome outcome;
    std::vector<fs::path> existing;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!config.module(slot).configured()) continue;
        for (ResultKind kind : kResultKinds) {
            const fs::path file = ResultFilePath(workDir, kind, slot, config.code);
            if (InspectPath(file).kind == PathKind::File) existing.push_back(file);
        }
    }
    if (existing.empty()) {
        outcome.ok = true;
        return outcome;
    }

    const fs::path root = workDir / "backup";
    std::error_code error;
    fs::create_directories(root, error);
    if (error || !IsFolder(root)) {
        outcome.problems.push_back("The folder \"backup\" in " + PathWords(workDir) + " cannot be used (" +
                                   (error ? error.message() : std::string("it is not a folder")) +
                                   "), so no copy of your results could be made.");
        return outcome;
    }
    const std::string base = BackupFolderName(now);
    fs::path temp;
    FolderCreation created = FolderCreation::Exists;
    for (int attempt = 0; attempt < kFolderAttempts && created == FolderCreation::Exists; ++attempt) {
        temp = TemporaryPathFor(root / base);
        created = CreateFolderExclusive(temp);
    }
    if (created != FolderCreation::Created) {
        outcome.problems.push_back("No folder for a copy of your results could be made in " + PathWords(root) + ".");
        return outcome;
    }
    for (const fs::path& file : existing) {
        const IoStatus status = CopyFileSynced(file, temp / file.filename());
        if (status != IoStatus::Ok) {
            fs::remove_all(temp, error);
            outcome.problems.push_back(CopyFailed(file, root, status));
            return outcome;
        }
    }
    SyncFolder(temp);

    // The copy is complete: give it its dated name, a new one each time.
    fs::path folder;
    created = FolderCreation::Exists;
    for (int n = 1; n <= kFolderAttempts && created == FolderCreation::Exists; ++n) {
        folder = root / (n == 1 ? base : base + "-" + std::to_string(n));
        created = CreateFolderExclusive(folder);
    }
    if (created == FolderCreation::Created) {
#if defined(_WIN32)
        fs::remove(folder, error);  // a folder cannot be renamed over another here
#endif
        fs::rename(temp, folder, error);  // replaces the empty folder just made
    }
    if (created != FolderCreation::Created || error) {
        std::error_code ignored;
        fs::remove_all(temp, ignored);
        if (created == FolderCreation::Created) fs::remove(folder, ignored);
        outcome.problems.push_back("A copy of your results could not be put into " + PathWords(root) + ".");
        return outcome;
    }
    SyncFolder(root);
    outcome.folder = folder;
    outcome.ok = true;
    return outcome;
}

}  // namespace qv
