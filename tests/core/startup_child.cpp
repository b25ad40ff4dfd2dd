// Runs the start-up data path once on a folder, over the packed course, as
// the program does before its window opens. The kill test starts it and
// kills it at a random moment: it writes "r" to its output just before it
// begins, and the microseconds the start-up took when it is done.

#include <chrono>
#include <cstdio>

#include "course/resources.h"
#include "course/startup.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_child FOLDER\n");
        return 2;
    }
    const qv::DirectoryResourceSource source(QUORVALE_COURSE_PACK);
    std::fputs("r", stdout);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const qv::StartupData data = qv::PrepareStartupData(source, argv[1], std::chrono::system_clock::now());
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::printf("%lld\n", static_cast<long long>(took.count()));
    for (const std::string& problem : data.problems()) std::fprintf(stderr, "%s\n", problem.c_str());
    return 0;
}
