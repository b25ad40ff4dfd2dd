// Time of the report page's figures for a full module: the marks file with
// 50 marked first attempts and 25 second attempts, and a trend of 50 entries,
// read from disk and turned into every figure the page shows.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "course/atomic_file.h"
#include "course/results_store.h"
#include "report/module_report.h"

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

void BM_ReportFullModule(benchmark::State& state) {
    std::mt19937 random(std::random_device{}());
    const fs::path folder = fs::temp_directory_path() / ("quorvale-report-bench-" + std::to_string(random()));
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::Marks, 1, "QEN"), MarksFile());
    qv::AtomicWriteFile(qv::ResultFilePath(folder, qv::ResultKind::Trend, 1, "QEN"), TrendFile());
    const auto module = FullModule();
    for (auto _ : state) {
        auto report = qv::LoadModuleReport(folder, 1, "QEN", module);
        benchmark::DoNotOptimize(report);
    }
    const auto check = qv::LoadModuleReport(folder, 1, "QEN", module);
    if (check.summary.papersCompleted != "50 / 50" || check.trend.points.size() != 20) {
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

}  // namespace

BENCHMARK_MAIN();
