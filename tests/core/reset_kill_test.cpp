// Kills a real start-up at random moments of a reset of the result files and
// checks, every time, what the next start finds and what it leaves: either
// every old file or every template, and a complete copy of the old files.
// QUORVALE_KILL_RUNS sets the number of kills (300 by default).

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include "course/file_system.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "kill_child.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;

const qv::DirectoryResourceSource& Pack() {
    static const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    return pack;
}

std::string Name(ResultKind kind) { return qv::ResultFileName(kind, 2, "QEN"); }
std::string Old(ResultKind kind) { return "#OLD#>" + std::to_string(static_cast<int>(kind)) + ">results\r\n"; }
std::string Template(ResultKind kind) { return *Pack().Load(qv::ResultTemplateId(2, kind), "Custom"); }
std::string Read(const fs::path& file) { return qv::ReadWholeFile(file).value; }

using Child = KillChild;

Child Spawn(const fs::path& folder) { return SpawnKillChild(QUORVALE_STARTUP_CHILD, {folder.string()}); }
int Finish(Child& child) { return FinishKillChild(child); }

class Folder {
public:
    explicit Folder(const fs::path& graphics) {
        static std::mt19937 random(std::random_device{}());
        path_ = KillScratchRoot() / ("quorvale-kill-" + std::to_string(random()));
        fs::create_directories(path_);
        fs::create_directory_symlink(graphics, path_ / "Graphics");
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A folder with results in every file but `missing`.
void Prepare(const Folder& folder, ResultKind missing) {
    for (ResultKind kind : qv::kResultKinds) {
        if (kind != missing) {
            EXPECT_EQ(qv::AtomicWriteFile(folder.path() / Name(kind), Old(kind)), qv::IoStatus::Ok);
        }
    }
}

bool AllTemplates(const fs::path& dir) {
    for (ResultKind kind : qv::kResultKinds) {
        if (Read(dir / Name(kind)) != Template(kind)) return false;
    }
    return true;
}

bool AllOld(const fs::path& dir, ResultKind missing) {
    for (ResultKind kind : qv::kResultKinds) {
        if (kind == missing ? fs::exists(dir / Name(kind)) : Read(dir / Name(kind)) != Old(kind)) return false;
    }
    return true;
}

// A copy holds exactly the five old files.
bool CompleteCopy(const fs::path& folder, ResultKind missing) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    return files == 5 && AllOld(folder, missing);
}

// What a kill left, as the next start finds it.
std::string Describe(const fs::path& dir, ResultKind missing) {
    std::string state = fs::exists(dir / std::string(qv::kResetMarkerName)) ? "marked" :
                        AllOld(dir, missing)                                  ? "old" :
                        AllTemplates(dir)                                     ? "templates" : "MIXED";
    const fs::path backup = dir / "backup";
    if (fs::is_directory(backup)) {
        for (const auto& entry : fs::directory_iterator(backup)) {
            const std::string name = entry.path().filename().string();
            if (qv::IsTemporaryName(name)) {
                state += " (copy under way)";
                continue;
            }
            if (fs::is_empty(entry.path())) continue;
            if (!CompleteCopy(entry.path(), missing)) state += " INCOMPLETE-BACKUP:" + name;
        }
    }
    return state;
}

TEST(ResetKill, EveryKillLeavesAWholeResetOrNone) {
    TempDir seed;
    ASSERT_TRUE(qv::PrepareStartupData(Pack(), seed.path(), std::chrono::system_clock::now()).problems().empty());
    const fs::path graphics = seed / "Graphics";

    // How long one start-up with a reset takes, from "ready" to the end.
    long long longest = 0;
    for (int i = 0; i < 3; ++i) {
        Folder folder(graphics);
        Prepare(folder, ResultKind::Trend);
        Child child = Spawn(folder.path());
        ASSERT_GT(child.pid, 0);
        ASSERT_TRUE(WaitUntilReady(child));
        longest = std::max(longest, std::atoll(RestOfOutput(child).c_str()));
        ASSERT_EQ(Finish(child), 0);
        ASSERT_TRUE(AllTemplates(folder.path()));
    }

    // Most of a start-up is spent before the reset (the pictures), and the
    // reset itself is short: after the first kills, most aim at the moments
    // between the latest kill that found the old files and the earliest that
    // found the templates.
    std::mt19937 random(std::random_device{}());
    long long latestOld = -1;
    long long earliestTemplates = -1;
    std::map<std::string, int> seen;
    const int runs = KillRuns(300);
    for (int run = 0; run < runs; ++run) {
        const ResultKind missing = qv::kResultKinds[static_cast<std::size_t>(run) % qv::kResultKinds.size()];
        Folder folder(graphics);
        Prepare(folder, missing);
        Child child = Spawn(folder.path());
        ASSERT_GT(child.pid, 0);
        ASSERT_TRUE(WaitUntilReady(child));
        long long from = 0;
        long long to = longest + longest / 5;
        if (latestOld >= 0 && earliestTemplates >= 0 && run % 4 != 0) {
            from = std::min(latestOld, earliestTemplates) * 9 / 10;
            to = std::max(latestOld, earliestTemplates) * 11 / 10 + 50;
        }
        const long long delay = std::uniform_int_distribution<long long>(from, to)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        kill(child.pid, SIGKILL);
        Finish(child);

        const std::string found = Describe(folder.path(), missing);
        ++seen[found];
        if (found.rfind("old", 0) == 0) latestOld = std::max(latestOld, delay);
        if (found == "templates") earliestTemplates = earliestTemplates < 0 ? delay : std::min(earliestTemplates, delay);
        ASSERT_EQ(found.find("MIXED"), std::string::npos) << "run " << run << ": " << found;
        ASSERT_EQ(found.find("INCOMPLETE"), std::string::npos) << "run " << run << ": " << found;

        // The next start finishes the job and leaves nothing half-done.
        const auto next = qv::PrepareStartupData(Pack(), folder.path(), std::chrono::system_clock::now());
        EXPECT_TRUE(next.configuration.available);
        ASSERT_TRUE(AllTemplates(folder.path())) << "run " << run << " after " << found;
        ASSERT_FALSE(fs::exists(folder.path() / std::string(qv::kResetMarkerName)));
        int copies = 0;
        for (const auto& entry : fs::directory_iterator(folder.path() / "backup")) {
            ASSERT_TRUE(CompleteCopy(entry.path(), missing)) << "run " << run << ": " << entry.path();
            ++copies;
        }
        ASSERT_GE(copies, 1);
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            ASSERT_FALSE(qv::IsTemporaryName(entry.path().filename().string())) << entry.path();
        }
    }
    std::string summary;
    for (const auto& [state, count] : seen) summary += state + ": " + std::to_string(count) + "  ";
    std::printf("%d kills within %lld us: %s\n", runs, longest, summary.c_str());
}

}  // namespace
