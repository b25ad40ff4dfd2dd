// Time of the report page's figures for a full module: the marks file with
// 50 marked first attempts and 25 second attempts, and a trend of 50 entries,
// read from disk and turned into every figure the page shows; and the opening
// of the report page on that module in the main window (figures, widgets
// filled, section laid out), with and without painting it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "course/atomic_file.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "mainwindow/main_window.h"
#include "ui/picture_button.h"
#include "report/module_report.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

qv::ModuleConfig FullModule() {
    qv::ModuleConfig module;
    module.label = "Module";
    module.topicCount = 10;
    module.paperCount = 50;
    module.topicNames = {"Grammar", "Reading", "Writing", "Spelling", "Vocabulary",
                         "Listening", "Speaking", "Punctuation", "Comprehension", "Mock Examination"};
    return module;
}

// A score from 40 to 100 with one decimal.
std::string Score(int paper) {
    const int tenths = 400 + (paper * 373) % 601;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string MarksFile() {
    std::string first = "#FSE#", second = "#SSE#", states = "#FST#", seconds = "#SST#", times = "#LTM#",
                dates = "#CDD#";
    for (int paper = 1; paper <= 50; ++paper) {
        first += ">" + Score(paper);
        second += ">" + (paper % 2 == 0 ? Score(paper + 7) : std::string());
        times += ">0:12:5";
        dates += ">08/12/2026";
        states += ">1";
        seconds += paper % 2 == 0 ? ">1" : ">0";
    }
    return first + "\r\n" + second + "\r\n" + times + "\r\n" + dates + "\r\n" + states + "\r\n" + seconds + "\r\n";
}

std::string TrendFile() {
    std::string record = "#TRD#";
    for (int paper = 1; paper <= 50; ++paper) record += ">" + Score(paper);
    return record + "\r\n";
}

// Every paper's 30 parts, one in `wrongEvery` wrong: the results files the
// learning gain reads.
std::string ResultsFile(int wrongEvery) {
    std::string file;
    for (int paper = 1; paper <= 50; ++paper) {
        file += "#" + std::to_string(100 + paper) + "#";
        for (int part = 0; part < 30; ++part) file += part % wrongEvery == 0 ? ">\xFB" : ">\xFC";
        file += "\r\n";
    }
    return file;
}

void BM_ReportFullModule(benchmark::State& state) {
    std::mt19937 random(std::random_device{}());
    const fs::path folder = fs::temp_directory_path() / ("quorvale-report-bench-" + std::to_string(random()));
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const bool written =
        qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::Marks, 1, "QEN"), MarksFile()) == qv::IoStatus::Ok &&
        qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::Trend, 1, "QEN"), TrendFile()) == qv::IoStatus::Ok &&
        qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::FirstResults, 1, "QEN"), ResultsFile(3)) ==
            qv::IoStatus::Ok &&
        qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::SecondResults, 1, "QEN"), ResultsFile(7)) ==
            qv::IoStatus::Ok;
    if (!written) {
        state.SkipWithError("the result files could not be written");
        return;
    }
    const auto module = FullModule();
    for (auto _ : state) {
        auto report = qv::LoadModuleReport(folder, 1, "QEN", module);
        benchmark::DoNotOptimize(report);
    }
    const auto check = qv::LoadModuleReport(folder, 1, "QEN", module);
    if (check.summary.papersCompleted != "50 / 50" || check.trend.points.size() != 20 || !check.problems.empty()) {
        state.SkipWithError("the files were not read as a full module");
    }
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_ReportFullModule)->Unit(benchmark::kMicrosecond);

// The figures alone, from scores already in memory.
void BM_ReportFiguresInMemory(benchmark::State& state) {
    const auto module = FullModule();
    qv::Fields first, second;
    for (int paper = 1; paper <= 50; ++paper) {
        first.push_back(Score(paper));
        second.push_back(paper % 2 == 0 ? Score(paper + 7) : std::string());
    }
    const std::string trend = TrendFile();
    for (auto _ : state) {
        auto report = qv::ComputeModuleReport(module, first, second, trend);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_ReportFiguresInMemory)->Unit(benchmark::kMicrosecond);

// The program started on the packed course, its module's results replaced
// by a full module's.
struct Program {
    TempDir dir;
    qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    qv::StartupData data = qv::PrepareStartupData(pack, dir.path(), std::chrono::system_clock::now());
    bool written = qv::AtomicWriteFile(dir / "marks2QEN.txt", MarksFile()) == qv::IoStatus::Ok &&
                   qv::AtomicWriteFile(dir / "trend2QEN.txt", TrendFile()) == qv::IoStatus::Ok;
    qv::PictureCache pictures{QString::fromStdString((dir.path() / "Graphics").string())};
    qv::PlacedCursor cursor;
    qv::MainWindow window{data, QString::fromStdString(dir.path().string()), pictures, cursor};
    QWidget* reportButton = window.findChild<QWidget*>(QStringLiteral("ToolBar02"));

    Program() { window.show(); }
    // What a click on the Report button runs.
    void OpenReport() { static_cast<qv::PictureButton*>(reportButton)->click(); }
    // The page is built by its first opening.
    QWidget* page() const { return window.findChild<QWidget*>(QStringLiteral("Body_Report")); }
    bool ShowsFullModule() const {
        const auto* completed = window.findChild<QLabel*>(QStringLiteral("PCNum"));
        return written && completed && completed->text() == QStringLiteral("50 / 50");
    }
};

void BM_OpenReportPage(benchmark::State& state) {
    Program program;
    for (auto _ : state) program.OpenReport();
    if (!program.ShowsFullModule()) state.SkipWithError("the report does not show the full module");
}
BENCHMARK(BM_OpenReportPage)->Unit(benchmark::kMicrosecond);

// Each section opened in turn, and the page painted (into a picture, which
// the offscreen screen always does), as the pupil sees it.
void BM_OpenReportPageAndPaint(benchmark::State& state) {
    Program program;
    const char* bars[] = {"RCBar1", "RCBar2", "RCBar3"};
    int section = 0;
    for (auto _ : state) {
        program.OpenReport();
        program.window.findChild<qv::PictureButton*>(bars[section])->click();
        section = (section + 1) % 3;
        benchmark::DoNotOptimize(program.page()->grab());
    }
    if (!program.ShowsFullModule()) state.SkipWithError("the report does not show the full module");
}
BENCHMARK(BM_OpenReportPageAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
