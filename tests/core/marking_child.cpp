// Opens paper 2 of module 2 of the packed course in a folder, answers every
// question (the last one only in the window, not yet saved) and marks it, as
// the practice window does. The kill test starts it and kills it: at a
// random moment after it writes "r", or, given a step number, at that
// durable step of the marking. When done it writes the number of steps and
// the microseconds the marking took.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "course/course_config.h"
#include "course/file_system.h"
#include "course/resources.h"
#include "practice/attempt.h"

namespace {

int steps = 0;
int stopAt = 0;

void CountStep() {
    if (++steps == stopAt) raise(SIGKILL);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: marking_child FOLDER STEP\n");
        return 2;
    }
    const qv::DirectoryResourceSource source(QUORVALE_COURSE_PACK);
    const std::filesystem::path folder = argv[1];
    const qv::ConfigLoad config = qv::LoadCourseConfig(source);
    if (!config.available) return 3;
    const qv::ModuleConfig& module = config.config.module(2);
    qv::FirstAttempt attempt;
    const qv::PaperContext context{folder, 2, config.config.code, 102, module.paperCount, 1, module.topicNames[0]};
    if (!attempt.Load(source, context).ok()) return 4;
    for (int q = 1; q <= attempt.questionCount(); ++q) {
        // Every third answer is wrong.
        const std::string& key = attempt.PartKey(attempt.PartOffset(q));
        const std::vector<std::string> rows(static_cast<std::size_t>(attempt.PartCount(q)), q % 3 == 0 ? "x" : key);
        if (q == attempt.questionCount()) attempt.StoreCurrentAnswers(rows);
        else if (!attempt.GoToQuestion(q + 1, rows).ok()) return 5;
    }
    stopAt = std::atoi(argv[2]);
    qv::SetWriteStepHook(CountStep);
    std::fputs("r", stdout);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const qv::MarkOutcome outcome = attempt.Mark(std::chrono::seconds(65), "09/12/2026");
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::printf("%d %lld\n", steps, static_cast<long long>(took.count()));
    return outcome.ok() ? 0 : 5;
}
