// Times programs as a user meets them: from exec to the moment the program's top-level window of
// a given title is mapped (MapNotify), and to its first drawing into that window (a DAMAGE
// report). The program is then killed, and its processor time and peak resident set are read back
// from the kernel.
// The programs are started in turn, the order reversed every other round, so that all of them
// see the same machine.
//
// Usage: window_timer TITLE ROUNDS PROGRAM...
// Prints one line per run, tab-separated: the program's index, the round, milliseconds to the map,
// milliseconds to the first paint, processor time used by then (user and system, in
// milliseconds) and the peak resident set in KiB.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double ms(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "window_timer: %s\n", message.c_str());
    std::exit(1);
}

class Display {
public:
    Display() {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            fail("cannot connect to the X server named by DISPLAY");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
        Reply<xcb_damage_query_version_reply_t>(
            xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        // Top-level windows are the root's children: their creation and mapping reach us here.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        m_netWmName = atom("_NET_WM_NAME");
        m_utf8 = atom("UTF8_STRING");
        xcb_flush(m_c);
    }
    ~Display() { xcb_disconnect(m_c); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    xcb_connection_t* connection() const { return m_c; }
    xcb_window_t root() const { return m_root; }
    uint8_t damageNotify() const { return m_damageNotify; }

    std::string title(xcb_window_t window) const {
        std::string name = property(window, m_netWmName, m_utf8);
        return name.empty() ? property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) : name;
    }

private:
    xcb_atom_t atom(const char* name) const {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, name, type, 0, 256), nullptr));
        if (!reply)
            return {};
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageNotify = 0;
    xcb_atom_t m_netWmName = XCB_ATOM_NONE;
    xcb_atom_t m_utf8 = XCB_ATOM_NONE;
};

struct Run {
    double mapMs = -1;
    double paintMs = -1;
    double cpuMs = 0;
    long peakKib = 0;
};

pid_t start(const char* program) {
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        char* const argv[] = {const_cast<char*>(program), nullptr};
        execv(program, argv);
        _exit(127);
    }
    return pid;
}

Run timeOne(Display& display, const char* program, std::string_view title) {
    xcb_connection_t* c = display.connection();
    std::vector<xcb_window_t> created;
    xcb_window_t shown = XCB_NONE;
    bool gone = false;
    Run run;

    const double started = nowMs();
    const pid_t pid = start(program);
    while (!gone) {
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        if (poll(&fd, 1, 100) == 0) {
            if (nowMs() - started > 20000)
                fail(std::string(program) + " showed no window titled \"" + std::string(title) +
                     "\" within 20 s");
            if (run.paintMs < 0 && waitpid(pid, nullptr, WNOHANG) == pid)
                fail(std::string(program) + " ended before its window was painted");
        }
        while (auto* raw = xcb_poll_for_event(c)) {
            const double at = nowMs();
            Reply<xcb_generic_event_t> event(raw);
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched from its creation on, so that no drawing into it can be missed. An
                // input-only window answers with an error, which is ignored below.
                const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(raw);
                if (e->parent != display.root())
                    continue;
                xcb_damage_create(c, xcb_generate_id(c), e->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                created.push_back(e->window);
                xcb_flush(c);
            } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
                const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(raw);
                if (std::find(created.begin(), created.end(), e->window) != created.end() &&
                    display.title(e->window) == title) {
                    shown = e->window;
                    run.mapMs = at - started;
                }
            } else if (type == display.damageNotify()) {
                const auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(raw);
                // Report again on the next drawing: what came before the map does not count.
                xcb_damage_subtract(c, e->damage, XCB_NONE, XCB_NONE);
                xcb_flush(c);
                if (e->drawable == shown && run.paintMs < 0) {
                    run.paintMs = at - started;
                    kill(pid, SIGKILL);
                    rusage usage{};
                    wait4(pid, nullptr, 0, &usage);
                    run.peakKib = usage.ru_maxrss;
                    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
                }
            } else if (type == XCB_DESTROY_NOTIFY) {
                // The next run starts once the server has taken this program's window away.
                const auto* e = reinterpret_cast<xcb_destroy_notify_event_t*>(raw);
                if (run.paintMs >= 0 && e->window == shown)
                    gone = true;
            }
        }
        if (xcb_connection_has_error(c))
            fail("lost the connection to the X server");
    }
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: window_timer TITLE ROUNDS PROGRAM...\n", stderr);
        return 2;
    }
    const std::string_view title = argv[1];
    const int rounds = std::atoi(argv[2]);
    const int programs = argc - 3;
    Display display;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < programs; ++i) {
            const int index = round % 2 == 0 ? i : programs - 1 - i;
            const Run run = timeOne(display, argv[3 + index], title);
            std::printf("%d\t%d\t%.2f\t%.2f\t%.2f\t%ld\n", index, round, run.mapMs, run.paintMs,
                        run.cpuMs, run.peakKib);
            std::fflush(stdout);
        }
    }
    return 0;
}
