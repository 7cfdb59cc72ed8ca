// How fast the game is there, beside a bare Qt window: each program started in turn on the current
// X server (a bare one, with no window manager), timed from its start until its window is mapped and
// until every pixel of it has been painted once, as the X server's damage reports show; then ended,
// with its peak memory and the processor time it spent. Not a test: it prints figures. The same bare
// window with one line of text is timed too: the first text a program draws costs it the font
// machinery, which the bare window never loads.
//
//     tallyfive_launch_bench [ROUNDS] [GAME] [BARE-WINDOW]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

struct Launch {
    double mapped = 0;  // ms from the start
    double painted = 0; // ms from the start
    double peakMb = 0;
    double cpuMs = 0;
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The pixels of one window, each marked once the server reports it damaged.
struct Coverage {
    int width = 0, height = 0;
    std::vector<bool> painted;
    long left = 0;
    void reset(int w, int h)
    {
        width = w, height = h;
        painted.assign(size_t(w) * size_t(h), false);
        left = long(w) * h;
    }
    void add(const xcb_rectangle_t &area)
    {
        for (int y = std::max(0, int(area.y)); y < std::min(height, area.y + area.height); ++y) {
            for (int x = std::max(0, int(area.x)); x < std::min(width, area.x + area.width); ++x) {
                if (!painted[size_t(y) * size_t(width) + size_t(x)]) {
                    painted[size_t(y) * size_t(width) + size_t(x)] = true;
                    --left;
                }
            }
        }
    }
};

// A program and the one argument it is started with, if any.
struct Program {
    std::string path;
    const char *argument;
};

pid_t start(const Program &program, const std::string &dataFolder)
{
    const pid_t child = fork();
    if (child == 0) {
        setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // What the programs say of their session is no figure of this benchmark.
        if (FILE *quiet = std::fopen("/dev/null", "w"))
            dup2(fileno(quiet), STDERR_FILENO);
        execl(program.path.c_str(), program.path.c_str(), program.argument, static_cast<char *>(nullptr));
        _exit(127);
    }
    return child;
}

Launch launch(xcb_connection_t *x, uint8_t damageEvent, const Program &program, const std::string &dataFolder)
{
    Launch result;
    const Clock::time_point begun = Clock::now();
    const pid_t child = start(program, dataFolder);
    xcb_window_t shown = 0;
    Coverage coverage;
    std::vector<xcb_damage_damage_t> damages;
    while (result.painted == 0) {
        xcb_generic_event_t *event = xcb_wait_for_event(x);
        if (!event) {
            std::fprintf(stderr, "the X server went away\n");
            std::exit(1);
        }
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            // Every top-level window the program makes is watched: which one it maps is seen later.
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            const xcb_damage_damage_t damage = xcb_generate_id(x);
            xcb_damage_create(x, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            damages.push_back(damage);
        } else if (type == XCB_MAP_NOTIFY && !shown) {
            const auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
            shown = mapped->window;
            result.mapped = millisecondsSince(begun);
            xcb_get_geometry_reply_t *geometry =
                xcb_get_geometry_reply(x, xcb_get_geometry(x, shown), nullptr);
            coverage.reset(geometry ? geometry->width : 1, geometry ? geometry->height : 1);
            std::free(geometry);
        } else if (type == damageEvent + XCB_DAMAGE_NOTIFY) {
            const auto *damaged = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            if (damaged->drawable == shown) {
                coverage.add(damaged->area);
                if (coverage.left == 0)
                    result.painted = millisecondsSince(begun);
            }
        }
        std::free(event);
        xcb_flush(x);
    }
    for (xcb_damage_damage_t damage : damages)
        xcb_damage_destroy(x, damage);
    xcb_flush(x);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.peakMb = usage.ru_maxrss / 1024.0;
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Medians {
    double mapped, painted, peakMb, cpuMs;
};

Medians medians(const std::vector<Launch> &launches)
{
    std::vector<double> mapped, painted, peak, cpu;
    for (const Launch &l : launches) {
        mapped.push_back(l.mapped);
        painted.push_back(l.painted);
        peak.push_back(l.peakMb);
        cpu.push_back(l.cpuMs);
    }
    return {median(mapped), median(painted), median(peak), median(cpu)};
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string folder = std::string(argv[0]).substr(0, std::string(argv[0]).rfind('/') + 1);
    const std::string game = argc > 2 ? argv[2] : folder + "tallyfive";
    const std::string bare = argc > 3 ? argv[3] : folder + "tallyfive_bare_window";

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server: set DISPLAY to a bare one (Xvfb, no window manager)\n");
        return 1;
    }
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    xcb_discard_reply(x, xcb_damage_query_version(x, 1, 1).sequence);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    char dataFolder[] = "/tmp/tallyfive-launch-XXXXXX";
    if (!mkdtemp(dataFolder))
        return 1;
    const Program programs[] = {{bare, nullptr}, {bare, "text"}, {game, nullptr}};
    const char *const names[] = {"a bare Qt window", "the bare window with a line of text", "the game"};
    // One start of each first, unmeasured, so that each finds its libraries in the page cache.
    for (const Program &program : programs)
        launch(x, damage->first_event, program, dataFolder);
    std::vector<Launch> launches[3];
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 3; ++i)
            launches[i].push_back(launch(x, damage->first_event, programs[i], dataFolder));
    }
    Medians m[3];
    std::printf("medians of %d alternated starts           mapped     painted    peak RSS   start-up CPU\n",
                rounds);
    for (int i = 0; i < 3; ++i) {
        m[i] = medians(launches[i]);
        std::printf("%-40s %7.1f ms  %7.1f ms  %6.1f MB  %7.1f ms\n", names[i], m[i].mapped, m[i].painted,
                    m[i].peakMb, m[i].cpuMs);
    }
    for (int i = 0; i < 2; ++i)
        std::printf("the game / %-29s %7.2f x   %7.2f x   %6.2f x   %7.2f x\n",
                    i ? "the window with text" : "the bare window", m[2].mapped / m[i].mapped,
                    m[2].painted / m[i].painted, m[2].peakMb / m[i].peakMb, m[2].cpuMs / m[i].cpuMs);
    std::system((std::string("rm -rf ") + dataFolder).c_str());
    xcb_disconnect(x);
    return 0;
}
