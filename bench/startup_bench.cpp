// Time of the start-up data path: the pictures compared with (and, where they
// differ, written into) "Graphics", the configuration read, the result files checked (and, on a first
// start, created). The resources are held in memory, as the packed program
// holds them.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "course/startup.h"

namespace {

namespace fs = std::filesystem;

const qv::MemoryResourceSource& Resources() {
    static const qv::MemoryResourceSource source = [] {
        qv::MemoryResourceSource memory;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(QUORVALE_COURSE_PACK, error)) {
            const int id = std::stoi(entry.path().filename().string());
            memory.Add(id, *qv::DirectoryResourceSource(QUORVALE_COURSE_PACK).Load(id, "Custom"));
        }
        return memory;
    }();
    return source;
}

fs::path FreshFolder() {
    static std::mt19937 random(std::random_device{}());
    fs::path folder = fs::temp_directory_path() / ("quorvale-bench-" + std::to_string(random()));
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

// Every start after the first: the result files are there.
void BM_StartupExistingFolder(benchmark::State& state) {
    const auto& source = Resources();
    const fs::path folder = FreshFolder();
    qv::PrepareStartupData(source, folder, std::chrono::system_clock::now());
    for (auto _ : state) {
        auto data = qv::PrepareStartupData(source, folder, std::chrono::system_clock::now());
        benchmark::DoNotOptimize(data);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_StartupExistingFolder)->Unit(benchmark::kMillisecond);

// The very first start: the result files are made from their templates.
void BM_StartupEmptyFolder(benchmark::State& state) {
    const auto& source = Resources();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = FreshFolder();
        state.ResumeTiming();
        auto data = qv::PrepareStartupData(source, folder, std::chrono::system_clock::now());
        benchmark::DoNotOptimize(data);
        state.PauseTiming();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupEmptyFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
