// Kills a real marking at every durable step it takes and at random moments,
// and checks, every time, that the next start leaves the paper either marked
// in every file (its score, time and date, its ticks and crosses, the answers
// it was marked on, its trend point) or marked in none (its answers may be
// saved), with an earlier paper's marking untouched. QUORVALE_KILL_RUNS sets the number of random
// kills (100 by default).

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "course/file_system.h"
#include "course/marking_journal.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "kill_child.h"
#include "practice/attempt.h"
#include "practice/marking.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;

const qv::DirectoryResourceSource& Pack() {
    static const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    return pack;
}

constexpr int kSlot = 2;

// A folder with paper 1 already marked (all right) and everything else as new.
class Seed {
public:
    Seed() {
        const auto start = qv::PrepareStartupData(Pack(), dir_.path(), std::chrono::system_clock::now());
        code_ = start.configuration.config.code;
        const qv::ModuleConfig& module = start.configuration.config.module(kSlot);
        paperCount_ = module.paperCount;
        qv::FirstAttempt attempt;
        bool saved = attempt.Load(Pack(), {dir_.path(), kSlot, code_, 101, paperCount_, 1, module.topicNames[0]}).ok();
        for (int q = 1; q <= attempt.questionCount(); ++q) {
            const std::vector<std::string> rows(static_cast<std::size_t>(attempt.PartCount(q)),
                                                attempt.PartKey(attempt.PartOffset(q)));
            if (q == attempt.questionCount()) attempt.StoreCurrentAnswers(rows);
            else saved = attempt.GoToQuestion(q + 1, rows).ok() && saved;
        }
        marked_ = saved && attempt.Mark(std::chrono::seconds(30), "08/12/2026").ok();
        for (ResultKind kind : qv::kResultKinds) files_[kind] = qv::ReadWholeFile(File(dir_.path(), kind)).value;
    }
    bool ready() const { return marked_; }
    fs::path File(const fs::path& dir, ResultKind kind) const { return qv::ResultFilePath(dir, kind, kSlot, code_); }
    void CopyInto(const fs::path& dir) const {
        fs::create_directory_symlink(dir_.path() / "Graphics", dir / "Graphics");
        for (const auto& [kind, bytes] : files_) ASSERT_EQ(qv::AtomicWriteFile(File(dir, kind), bytes), qv::IoStatus::Ok);
    }
    int paperCount() const { return paperCount_; }

private:
    TempDir dir_;
    std::string code_;
    int paperCount_ = 0;
    bool marked_ = false;
    std::map<ResultKind, std::string> files_;
};

class Folder {
public:
    Folder() {
        static std::mt19937 random(std::random_device{}());
        path_ = KillScratchRoot() / ("quorvale-mark-kill-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

qv::Fields PaperFields(const Seed& seed, const fs::path& dir, ResultKind kind, int paper) {
    const auto lines = qv::ReadPaperRecords(seed.File(dir, kind), seed.paperCount());
    const std::string& line = lines.value[static_cast<std::size_t>(paper - 1)];
    return qv::SplitPaperRecord(line, static_cast<int>(std::count(line.begin(), line.end(), '>')));
}

// What the files of a folder say about paper 2, after a start; "MIXED: ..." when they disagree.
std::string StateOfPaperTwo(const Seed& seed, const fs::path& dir, const std::string& expectedScore) {
    const qv::ModuleMarks marks = qv::ReadMarksRecords(seed.File(dir, ResultKind::Marks), seed.paperCount());
    if (marks.status != qv::IoStatus::Ok) return "MIXED: the marks file does not read";
    const auto trend = qv::ReadRecordLine(seed.File(dir, ResultKind::Trend), qv::kTrendKey).value;
    if (marks.lists.firstMarked[0] != "1" || marks.lists.firstScores[0] != "100" || !trend.starts_with("#TRD#>100")) {
        return "MIXED: paper 1 lost its marking";
    }
    const qv::Fields results = PaperFields(seed, dir, ResultKind::FirstResults, 2);
    const qv::Fields answers = PaperFields(seed, dir, ResultKind::FirstAnswers, 2);
    const bool lastAnswered = !answers.empty() && !answers.back().empty();
    const bool allMarked = std::all_of(results.begin(), results.end(), [](const std::string& r) {
        return r == qv::kTick || r == qv::kCross;
    });
    const bool noneMarked = std::all_of(results.begin(), results.end(), [](const std::string& r) { return r.empty(); });
    if (marks.lists.firstMarked[1] == "1") {
        if (marks.lists.firstScores[1] != expectedScore || marks.lists.timesTaken[1] != "0:1:5" || marks.lists.dates[1] != "09/12/2026")
            return "MIXED: marked without its score, time or date";
        if (!allMarked || results.empty()) return "MIXED: marked without its part results";
        if (!lastAnswered) return "MIXED: marked without the answers it was marked on";
        if (trend != "#TRD#>100>" + expectedScore) return "MIXED: marked with the trend " + trend;
        return "marked";
    }
    if (marks.lists.firstMarked[1] != "0" || !marks.lists.firstScores[1].empty() || !marks.lists.timesTaken[1].empty() ||
        !marks.lists.dates[1].empty())
        return "MIXED: not marked, but with a score, time or date";
    if (!noneMarked) return "MIXED: not marked, but with part results";
    if (trend != "#TRD#>100") return "MIXED: not marked, with the trend " + trend;
    return "not marked";
}

// Starts the program's start-up on what a kill left and says what it finds.
std::string NextStart(const Seed& seed, const fs::path& dir, const std::string& expectedScore) {
    const bool journal = fs::exists(dir / std::string(qv::kMarkingJournalName));
    const auto start = qv::PrepareStartupData(Pack(), dir, std::chrono::system_clock::now());
    if (start.results.reset) return "MIXED: the start reset the results";
    if (!start.results.problems.empty()) return "MIXED: " + start.results.problems.front();
    if (fs::exists(dir / std::string(qv::kMarkingJournalName))) return "MIXED: the journal was left";
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (qv::IsTemporaryName(entry.path().filename().string())) return "MIXED: a temporary file was left";
    }
    return StateOfPaperTwo(seed, dir, expectedScore) + (journal ? ", finished at the start" : "");
}

struct KilledMarking {
    int steps = 0;
    long long micros = 0;
    std::string state;
};

// One marking in a fresh folder, killed at `step` (0: never) or after `delay` microseconds.
KilledMarking MarkAndKill(const Seed& seed, int step, long long delay, const std::string& expectedScore) {
    Folder folder;
    seed.CopyInto(folder.path());
    KillChild child = SpawnKillChild(QUORVALE_MARKING_CHILD, {folder.path().string(), std::to_string(step)});
    KilledMarking run;
    if (child.pid <= 0 || !WaitUntilReady(child)) {
        run.state = "MIXED: the marking did not start";
        return run;
    }
    if (delay >= 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        kill(child.pid, SIGKILL);
    }
    const std::string said = RestOfOutput(child);
    FinishKillChild(child);
    std::sscanf(said.c_str(), "%d %lld", &run.steps, &run.micros);
    std::string score = expectedScore;
    if (score.empty()) {  // the whole marking: its score is the one every kill is checked against
        score = qv::ReadModuleMarks(seed.File(folder.path(), ResultKind::Marks), seed.paperCount()).value.firstScores[1];
    }
    run.state = NextStart(seed, folder.path(), score);
    if (expectedScore.empty()) run.state += " " + score;
    return run;
}

TEST(MarkingKill, EveryKillLeavesTheMarkingWholeOrNone) {
    const Seed seed;
    ASSERT_TRUE(seed.ready());
    const KilledMarking whole = MarkAndKill(seed, 0, -1, "");
    ASSERT_GT(whole.steps, 0);
    ASSERT_TRUE(whole.state.starts_with("marked ")) << whole.state;
    const std::string score = whole.state.substr(std::string("marked ").size());

    std::map<std::string, int> seen;
    for (int step = 1; step <= whole.steps; ++step) {
        const KilledMarking run = MarkAndKill(seed, step, -1, score);
        ASSERT_EQ(run.state.find("MIXED"), std::string::npos) << "killed at step " << step << ": " << run.state;
        ++seen["step: " + run.state];
    }
    // Most of the marking is spent before its first write (the marks and trend
    // are read); the random kills cover it all and a little beyond.
    std::mt19937 random(std::random_device{}());
    const int runs = KillRuns(100);
    for (int i = 0; i < runs; ++i) {
        const long long delay = std::uniform_int_distribution<long long>(0, whole.micros + whole.micros / 4)(random);
        const KilledMarking run = MarkAndKill(seed, 0, delay, score);
        ASSERT_EQ(run.state.find("MIXED"), std::string::npos) << "killed after " << delay << " us: " << run.state;
        ++seen["random: " + run.state];
    }
    std::string summary;
    for (const auto& [state, count] : seen) summary += state + ": " + std::to_string(count) + "  ";
    std::printf("%d steps, %d step kills and %d random kills within %lld us: %s\n", whole.steps, whole.steps, runs,
                whole.micros, summary.c_str());
}

}  // namespace
