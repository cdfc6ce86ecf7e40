// Cold start of the program: from starting the process to its settings window being mapped on the X
// server, each time with a new, empty data folder (so the settings file is created, as on a first run).
// Needs an X server without a window manager, for example:
//   xvfb-run -s '-screen 0 1280x800x24' build/bench/bench_cold_start build/korvalin
//   xvfb-run -s '-screen 0 2560x1600x24' env QT_SCALE_FACTOR=2 build/bench/bench_cold_start build/korvalin
#include "BenchFigures.h"

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr double GoalMs = 150.0;
constexpr int Runs = 15;
constexpr auto GiveUpAfter = std::chrono::seconds(10);

using Clock = std::chrono::steady_clock;

pid_t launch(const char* program, const std::string& dataFolder)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program, program, "--data-dir", dataFolder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

// Waits for the next top-level window to be mapped; false when none is within the time allowed.
bool waitForMappedWindow(xcb_connection_t* connection, Clock::time_point started)
{
    while (Clock::now() - started < GiveUpAfter) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(connection), &std::free);
        if (!event) {
            ::usleep(200);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            return true;
    }
    return false;
}

struct Start
{
    double wallMs = -1; // process start to window mapped
    double cpuMs = 0;   // the process's own CPU time up to then, which other load on the machine leaves alone
};

double cpuMilliseconds(const rusage& usage)
{
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

Start oneStart(xcb_connection_t* connection, const char* program, int run)
{
    char folder[] = "/tmp/korvalin-cold-start-XXXXXX";
    if (!::mkdtemp(folder))
        return {};
    const Clock::time_point started = Clock::now();
    const pid_t child = launch(program, folder);
    const bool mapped = waitForMappedWindow(connection, started);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    // Stopped at once, so that its CPU time is that of the start alone.
    ::kill(child, SIGKILL);
    rusage usage = {};
    ::wait4(child, nullptr, 0, &usage);
    std::system((std::string("rm -rf ") + folder).c_str());
    if (!mapped) {
        std::fprintf(stderr, "run %d: no window within %lld s\n", run, static_cast<long long>(GiveUpAfter.count()));
        return {};
    }
    return {ms, cpuMilliseconds(usage)};
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM   (with DISPLAY set to an X server)\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X server (DISPLAY)\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<double> wall, cpu;
    Start first;
    for (int run = 0; run < Runs; ++run) {
        const Start start = oneStart(connection, argv[1], run);
        if (start.wallMs < 0)
            return 1;
        // The first start may find the program's files outside the page cache.
        if (run == 0)
            first = start;
        wall.push_back(start.wallMs);
        cpu.push_back(start.cpuMs);
    }
    const Figures w = figures(wall), c = figures(cpu);
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    const std::string what = std::string("cold start to settings window mapped, scale ") + (scale ? scale : "1");
    printFigure((what + ", first run").c_str(), first.wallMs, "ms");
    printFigure((what + ", median").c_str(), w.median, "ms", GoalMs);
    printFigure((what + ", max").c_str(), w.max, "ms");
    printFigure((what + ", program's processor time, median").c_str(), c.median, "ms");
    xcb_disconnect(connection);
    return 0;
}
