// Starts a program on the X display of $DISPLAY and measures the time from
// its start to the first map of one of its top-level windows, as the X
// server reports it, and the CPU time all its threads had used by then.
//
//   first_map [--keep] [--timeout SECONDS] PROGRAM [ARGUMENTS...]
//   first_map --cpu PID    prints the CPU time (ns) process PID has used
//
// Prints "wall_ns cpu_ns pid" on one line; what the program itself prints
// goes to stderr. Without --keep the program is
// then ended (SIGTERM, SIGKILL after a second); with --keep it is left
// running. Exits 1 when no window was mapped within the timeout (10 s).
//
// The watch on the root window is in place before the program is started,
// so no map can be missed. Menus and tool tips (override-redirect windows)
// are not counted. No window manager may run on the display: it would
// reparent the windows and map them itself.

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

extern char** environ;

namespace {

long long Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// The time every thread of the process has run, those that have ended
// included: the process's CPU clock. Should it not be readable, the sum of
// the scheduler's statistics of the threads still running (first field of
// /proc/PID/task/TID/schedstat, in ns), which misses any that have ended.
long long CpuTime(pid_t pid) {
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) == 0 && clock_gettime(clock, &used) == 0) {
        return used.tv_sec * 1'000'000'000LL + used.tv_nsec;
    }
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(tasks.c_str()), closedir);
    if (!dir) return -1;
    long long total = 0;
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream stats(tasks + "/" + entry->d_name + "/schedstat");
        long long ran = 0;
        if (stats >> ran) total += ran;
    }
    return total;
}

void End(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        timespec pause{0, 10'000'000};
        nanosleep(&pause, nullptr);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int Usage() {
    std::fprintf(stderr, "usage: first_map [--keep] [--timeout SECONDS] PROGRAM [ARGUMENTS...]\n"
                         "       first_map --cpu PID\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool keep = false;
    double timeoutSeconds = 10;
    if (argc == 3 && std::strcmp(argv[1], "--cpu") == 0) {
        const long long used = CpuTime(static_cast<pid_t>(std::atoi(argv[2])));
        if (used < 0) return 1;
        std::printf("%lld\n", used);
        return 0;
    }
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--keep") == 0) {
            keep = true;
        } else if (std::strcmp(argv[first], "--timeout") == 0 && first + 1 < argc) {
            timeoutSeconds = std::atof(argv[++first]);
        } else {
            return Usage();
        }
    }
    if (first >= argc) return Usage();

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_map: cannot open the display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so that the watch is in force before the program starts.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    // The program's own output goes to stderr, so that stdout holds only the figures.
    posix_spawn_file_actions_t output;
    posix_spawn_file_actions_init(&output);
    posix_spawn_file_actions_adddup2(&output, STDERR_FILENO, STDOUT_FILENO);
    pid_t pid = 0;
    const long long started = Now();
    const int error = posix_spawn(&pid, argv[first], &output, nullptr, argv + first, environ);
    posix_spawn_file_actions_destroy(&output);
    if (error != 0) {
        std::fprintf(stderr, "first_map: cannot start %s: %s\n", argv[first], std::strerror(error));
        return 1;
    }

    const long long deadline = started + static_cast<long long>(timeoutSeconds * 1e9);
    long long mapped = 0, cpu = -1;
    pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped == 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mapped == 0) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                if (!map->override_redirect) {
                    mapped = Now();
                    cpu = CpuTime(pid);
                }
            }
            free(event);
        }
        if (mapped != 0 || xcb_connection_has_error(connection)) break;
        const long long left = deadline - Now();
        if (left <= 0 || waitpid(pid, nullptr, WNOHANG) == pid) break;
        if (poll(&watch, 1, static_cast<int>(left / 1'000'000) + 1) < 0 && errno != EINTR) break;
    }
    xcb_disconnect(connection);

    if (mapped == 0) {
        std::fprintf(stderr, "first_map: %s mapped no window\n", argv[first]);
        End(pid);
        return 1;
    }
    std::printf("%lld %lld %d\n", mapped - started, cpu, static_cast<int>(pid));
    std::fflush(stdout);
    if (!keep) End(pid);
    return 0;
}
