#pragma once

// A child process that a kill test starts, waits for and kills: it writes
// "r" to its output just before the work to be killed begins, and what it
// has to say when it is done.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

struct KillChild {
    pid_t pid = -1;
    int output = -1;
};

inline KillChild SpawnKillChild(const std::string& program, const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    KillChild child;
    if (posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    child.output = pipeEnds[0];
    return child;
}

inline bool WaitUntilReady(const KillChild& child) {
    char ready = 0;
    return read(child.output, &ready, 1) == 1 && ready == 'r';
}

inline std::string RestOfOutput(const KillChild& child) {
    std::string text;
    char buffer[64];
    for (ssize_t got; (got = read(child.output, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

inline int FinishKillChild(KillChild& child) {
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.output);
    return status;
}

// The work folders live in memory when they can: the kill is of a process,
// not of the machine, so syncing to a disk would only slow the runs down.
inline std::filesystem::path KillScratchRoot() {
    if (const char* chosen = std::getenv("QUORVALE_KILL_DIR")) return chosen;
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
    return std::filesystem::temp_directory_path(error);
}

// QUORVALE_KILL_RUNS sets the number of random kills.
inline int KillRuns(int fallback) {
    const char* runs = std::getenv("QUORVALE_KILL_RUNS");
    return runs ? std::max(1, std::atoi(runs)) : fallback;
}
