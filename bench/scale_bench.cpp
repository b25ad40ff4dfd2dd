// The file work of a start, of opening the report and of a question move,
// for a pupil of several years beside a pupil who has just done every paper
// once. Both have a full module: papers 1 to 49 marked (every second one
// twice) and paper 50 being worked on. The "ordinary" pupil's trend holds 49
// entries and the first-attempt answers file short answers to every paper;
// the "large" pupil's trend holds 1,000 entries and the answers file is as
// big as a result file may be (4 MiB: long written answers to papers 1 to
// 49).
//
//   BM_Start      the start-up data (pictures, configuration, result files
//                 checked), then the module's marks that the home page shows
//   BM_OpenReport what the Report button reads and computes
//   BM_Move       a move between questions 1 and 2 of paper 50 as the
//                 practice window makes it: the answers stored and the
//                 answers file's rewriting handed to the writer's thread
//   BM_MoveWithItsWrite  the same until the file is rewritten (the CPU time
//                 of every thread)

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "course/atomic_file.h"
#include "course/record_file.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "practice/attempt.h"
#include "report/module_report.h"

namespace {

namespace fs = std::filesystem;

enum class Files { Ordinary, Large };

constexpr int kSlot = 2;
constexpr const char* kCode = "QEN";
constexpr int kPapers = 50;
constexpr int kOpenPaper = 50;  // the paper being worked on
constexpr int kOtherPaperParts = 30;

const qv::DirectoryResourceSource& Pack() {
    static const qv::DirectoryResourceSource pack(QUORVALE_COURSE_PACK);
    return pack;
}

// A score from 40 to 100 with one decimal, different from paper to paper.
std::string Score(int n) {
    const int tenths = 400 + (n * 373) % 601;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string WithLineEnds(const qv::Fields& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A working folder after a first start, with one pupil's results written into
// it. Made once per kind and removed when the benchmarks end.
class ResultsFolder {
  public:
    explicit ResultsFolder(Files files) {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("quorvale-scale-bench-" + std::to_string(random()));
        std::error_code ignored;
        fs::create_directories(path_, ignored);
        const qv::StartupData start =
            qv::PrepareStartupData(Pack(), path_, std::chrono::system_clock::now());
        module_ = start.configuration.config.module(kSlot);
        written_ = module_.paperCount == kPapers && WriteMarks() &&
                   WriteTrend(files == Files::Large ? 1000 : kOpenPaper - 1) &&
                   WriteAnswers(files == Files::Large);
    }
    ~ResultsFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ResultsFolder(const ResultsFolder&) = delete;
    ResultsFolder& operator=(const ResultsFolder&) = delete;

    const fs::path& path() const { return path_; }
    const qv::ModuleConfig& module() const { return module_; }
    bool written() const { return written_; }
    fs::path File(qv::ResultKind kind) const {
        return qv::ResultFilePath(path_, kind, kSlot, kCode);
    }

    // The paper being worked on, as its practice window opens it.
    qv::PaperContext OpenPaper() const {
        qv::PaperContext context;
        context.workDir = path_;
        context.slot = kSlot;
        context.courseCode = kCode;
        context.paperKey = 100 + kOpenPaper;
        context.paperCount = kPapers;
        context.topicFirstPaper = kOpenPaper - 4;
        context.topicName = "Comprehension MCQ";
        return context;
    }

  private:
    bool WriteMarks() const {
        qv::MarksLists lists;
        for (int paper = 1; paper <= kPapers; ++paper) {
            const bool marked = paper != kOpenPaper, twice = marked && paper % 2 == 0;
            lists.firstScores.push_back(marked ? Score(paper) : std::string());
            lists.secondScores.push_back(twice ? Score(paper + 7) : std::string());
            lists.timesTaken.push_back(marked ? "0:12:5" : "");
            lists.dates.push_back(marked ? "08/12/2026" : "");
            lists.firstMarked.push_back(marked ? "1" : "0");
            lists.secondMarked.push_back(twice ? "1" : "0");
        }
        return qv::WriteMarksFile(lists, kPapers, File(qv::ResultKind::Marks)) ==
               qv::IoStatus::Ok;
    }

    bool WriteTrend(int entries) const {
        qv::Fields scores;
        for (int n = 1; n <= entries; ++n) scores.push_back(Score(n));
        const std::string line = qv::BuildRecordLine(qv::kTrendKey, scores, entries);
        return qv::AtomicWriteFile(File(qv::ResultKind::Trend), line + "\r\n") == qv::IoStatus::Ok;
    }

    // The open paper's record holds one short answer a part, as its window
    // writes it, so that moves leave the file as it is. The other papers'
    // records hold short answers, or long ones filling the file to the
    // largest size accepted.
    bool WriteAnswers(bool large) const {
        qv::FirstAttempt paper;
        if (!paper.Load(Pack(), OpenPaper()).ok()) return false;
        const int openParts = paper.totalParts();
        qv::Fields lines;
        for (int n = 1; n <= kPapers; ++n) {
            const int parts = n == kOpenPaper ? openParts : kOtherPaperParts;
            lines.push_back(
                qv::BuildRecordLine(std::to_string(100 + n), qv::Fields(parts, "2"), parts));
        }
        if (large) {
            const std::size_t room = qv::kMaxFileBytes - WithLineEnds(lines).size();
            const std::size_t perAnswer = room / ((kPapers - 1) * kOtherPaperParts);
            const std::string sentence =
                "The writer shows how the storm changes the village over one long night. ";
            std::string answer;
            while (answer.size() < perAnswer + 1) answer += sentence;
            answer.resize(perAnswer + 1);  // "2" becomes an answer of perAnswer + 1 characters
            for (int n = 1; n < kOpenPaper; ++n) {
                lines[n - 1] =
                    qv::BuildRecordLine(std::to_string(100 + n),
                                        qv::Fields(kOtherPaperParts, answer), kOtherPaperParts);
            }
            lines.front() += std::string(qv::kMaxFileBytes - WithLineEnds(lines).size(), 'x');
        }
        const fs::path file = File(qv::ResultKind::FirstAnswers);
        return qv::AtomicWriteFile(file, WithLineEnds(lines)) == qv::IoStatus::Ok &&
               qv::ReadPaperRecords(file, kPapers).status == qv::IoStatus::Ok;
    }

    fs::path path_;
    qv::ModuleConfig module_;
    bool written_ = false;
};

const ResultsFolder& Folder(Files files) {
    static std::map<Files, std::unique_ptr<ResultsFolder>> folders;
    auto& folder = folders[files];
    if (!folder) folder = std::make_unique<ResultsFolder>(files);
    return *folder;
}

void BM_Start(benchmark::State& state, Files files) {
    const ResultsFolder& folder = Folder(files);
    if (!folder.written()) return state.SkipWithError("the results could not be written");
    for (auto _ : state) {
        auto data = qv::PrepareStartupData(Pack(), folder.path(), std::chrono::system_clock::now());
        auto marks = qv::ReadModuleMarks(folder.File(qv::ResultKind::Marks), kPapers);
        benchmark::DoNotOptimize(data);
        benchmark::DoNotOptimize(marks);
    }
}
BENCHMARK_CAPTURE(BM_Start, ordinary, Files::Ordinary)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Start, large, Files::Large)->Unit(benchmark::kMillisecond);

void BM_OpenReport(benchmark::State& state, Files files) {
    const ResultsFolder& folder = Folder(files);
    if (!folder.written()) return state.SkipWithError("the results could not be written");
    for (auto _ : state) {
        auto report = qv::LoadModuleReport(folder.path(), kSlot, kCode, folder.module());
        benchmark::DoNotOptimize(report);
    }
    const auto check = qv::LoadModuleReport(folder.path(), kSlot, kCode, folder.module());
    if (check.summary.papersCompleted != "49 / 50" || check.trend.points.size() != 20) {
        state.SkipWithError("the files were not read as a full module");
    }
}
BENCHMARK_CAPTURE(BM_OpenReport, ordinary, Files::Ordinary)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenReport, large, Files::Large)->Unit(benchmark::kMicrosecond);

void Moves(benchmark::State& state, Files files, bool timeTheWrite) {
    const ResultsFolder& folder = Folder(files);
    if (!folder.written()) return state.SkipWithError("the results could not be written");
    const fs::path answers = folder.File(qv::ResultKind::FirstAnswers);
    std::error_code error;
    const auto size = fs::file_size(answers, error);
    if (error) return state.SkipWithError("the answers file could not be read");
    qv::FirstAttempt paper;
    std::atomic<bool> failed{false};  // told by the writer's thread
    paper.WriteMovesInBackground([&failed](const qv::WriteOutcome&) { failed = true; });
    if (!paper.Load(Pack(), folder.OpenPaper()).ok())
        return state.SkipWithError("the paper did not open");
    // Questions 1 and 2 start from ones (the folder is kept from one
    // repetition to the next), then each move leaves its question with the
    // other answer it held: twos, twos, ones, ones..., so every move saves.
    const std::vector<std::string> ones(static_cast<std::size_t>(paper.PartCount(1)), "1");
    const std::vector<std::string> twos(ones.size(), "2");
    bool saved = paper.GoToQuestion(2, ones).ok() && paper.GoToQuestion(1, ones).ok();
    int target = 2, move = 0;
    const int untimedMoves = 2;
    for (auto _ : state) {
        if (!timeTheWrite) {
            state.PauseTiming();
            paper.FinishWrites();  // the pupil answers for longer than a write takes
            state.ResumeTiming();
        }
        saved = paper.GoToQuestion(target, (move++ / 2) % 2 ? ones : twos).ok() && saved;
        if (timeTheWrite) paper.FinishWrites();
        target = 3 - target;
    }
    paper.FinishWrites();
    // Every move made, for whoever counts the instructions of all of them.
    state.SetLabel(std::to_string(untimedMoves + move) + " moves");
    saved = saved && !failed;
    // The file is rewritten whole, the other papers' answers with it.
    if (!saved || fs::file_size(answers, error) < size || error) {
        state.SkipWithError("a move did not rewrite the answers file as it was");
    }
}
void BM_Move(benchmark::State& state, Files files) { Moves(state, files, false); }
void BM_MoveWithItsWrite(benchmark::State& state, Files files) { Moves(state, files, true); }
// The write made between the timed moves is not counted towards the
// benchmark's running time: a fixed count keeps the large run to seconds.
constexpr int kTimedMoves = 300;
BENCHMARK_CAPTURE(BM_Move, ordinary, Files::Ordinary)->Iterations(kTimedMoves)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Move, large, Files::Large)->Iterations(kTimedMoves)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveWithItsWrite, ordinary, Files::Ordinary)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MoveWithItsWrite, large, Files::Large)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
