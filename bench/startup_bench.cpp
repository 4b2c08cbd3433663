// SPDX-License-Identifier: MIT
// Start-up of the two window programs: the time from fork() until the X
// server maps the program's top-level window, on a private Xvfb display
// that the benchmark starts itself (the first free display number, found
// with Xvfb -displayfd). The programs are taken from the build tree next
// to this benchmark (../nachtblick/nachtblick, ../kalender/kalender) and
// run in the benchmark's working directory with their output discarded.
//
// libX11 is opened at run time: the benchmark binary links only the report
// library. Without Xvfb, libX11 or the programs the benchmarks are skipped.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/clock.h"

extern char **environ;

namespace {

// Seconds to wait for a window to appear, or to go after its program ended.
const double kMapTimeout = 10.0;
const double kDestroyTimeout = 5.0;

// The few Xlib calls needed, looked up in libX11.so.6.
struct Xlib {
  Display *(*open_display)(const char *) = nullptr;
  int (*close_display)(Display *) = nullptr;
  Window (*default_root_window)(Display *) = nullptr;
  int (*select_input)(Display *, Window, long) = nullptr;
  int (*pending)(Display *) = nullptr;
  int (*next_event)(Display *, XEvent *) = nullptr;
  int (*connection_number)(Display *) = nullptr;

  bool load() {
    void *lib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return false;
    return find(lib, "XOpenDisplay", &open_display) && find(lib, "XCloseDisplay", &close_display) &&
           find(lib, "XDefaultRootWindow", &default_root_window) &&
           find(lib, "XSelectInput", &select_input) && find(lib, "XPending", &pending) &&
           find(lib, "XNextEvent", &next_event) &&
           find(lib, "XConnectionNumber", &connection_number);
  }

 private:
  template <typename F>
  static bool find(void *lib, const char *name, F *fn) {
    *fn = reinterpret_cast<F>(dlsym(lib, name));
    return *fn != nullptr;
  }
};

// Runs `argv` with stdout and stderr on /dev/null and the given environment;
// returns the child's pid or -1. `keep_fd` stays open in the child.
pid_t spawn(const std::vector<std::string> &args, char *const envp[], int keep_fd = -1) {
  std::vector<char *> argv;
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    if (keep_fd >= 0) fcntl(keep_fd, F_SETFD, 0);
    execvpe(argv[0], argv.data(), envp);
    _exit(127);
  }
  return pid;
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// An Xvfb server of our own and a connection to it that watches the
// top-level windows (SubstructureNotify on the root window).
struct VirtualDisplay {
  Xlib x;
  pid_t server = -1;
  Display *display = nullptr;
  std::string name;
  std::vector<std::string> env_strings;
  std::vector<char *> env;
  std::string error;

  VirtualDisplay() {
    if (!x.load()) {
      error = "libX11.so.6 not found";
      return;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
      error = "pipe failed";
      return;
    }
    server = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                    "-nolisten", "tcp", "-noreset"},
                   environ, fds[1]);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (server < 0 || number.empty()) {
      error = "could not start Xvfb";
      return;
    }
    name = ":" + number;
    display = x.open_display(name.c_str());
    if (!display) {
      error = "could not open display " + name;
      return;
    }
    x.select_input(display, x.default_root_window(display), SubstructureNotifyMask);

    // The programs' environment: ours with DISPLAY replaced.
    for (char **e = environ; *e; ++e)
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) env_strings.push_back(*e);
    env_strings.push_back("DISPLAY=" + name);
    for (std::string &s : env_strings) env.push_back(&s[0]);
    env.push_back(nullptr);
  }

  ~VirtualDisplay() {
    if (display) x.close_display(display);
    if (server > 0) stop(server);
  }

  // Waits for a MapNotify of a top-level window (window 0) or a
  // DestroyNotify of `window`; returns the window, or 0 after `timeout`.
  Window wait_for(int type, Window window, double timeout) {
    const double deadline = now_seconds() + timeout;
    for (;;) {
      while (x.pending(display)) {
        XEvent ev;
        x.next_event(display, &ev);
        if (type == MapNotify && ev.type == MapNotify && !ev.xmap.override_redirect)
          return ev.xmap.window;
        if (type == DestroyNotify && ev.type == DestroyNotify && ev.xdestroywindow.window == window)
          return window;
      }
      const double left = deadline - now_seconds();
      if (left <= 0) return 0;
      pollfd p{x.connection_number(display), POLLIN, 0};
      poll(&p, 1, static_cast<int>(left * 1000) + 1);
    }
  }
};

VirtualDisplay &virtual_display() {
  static VirtualDisplay vd;
  return vd;
}

// Path of a program of the build tree, relative to the build directory.
std::string build_tree_path(const char *relative) {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return relative;
  std::string dir(self, n);
  for (int up = 0; up < 2; ++up) dir.erase(dir.rfind('/'));  // .../bench/nachtblick_bench
  return dir + "/" + relative;
}

void BM_Startup(benchmark::State &state, const char *relative) {
  const std::string program = build_tree_path(relative);
  if (access(program.c_str(), X_OK) != 0) {
    state.SkipWithError(("no program " + program).c_str());
    return;
  }
  VirtualDisplay &vd = virtual_display();
  if (!vd.display) {
    state.SkipWithError(vd.error.c_str());
    return;
  }
  for (auto _ : state) {
    const double start = now_seconds();
    const pid_t pid = spawn({program}, vd.env.data());
    const Window window = vd.wait_for(MapNotify, 0, kMapTimeout);
    const double shown = now_seconds();
    stop(pid);
    if (!window) {
      state.SkipWithError("no window was mapped");
      break;
    }
    state.SetIterationTime(shown - start);
    // The next start begins with no window of this one left.
    vd.wait_for(DestroyNotify, window, kDestroyTimeout);
  }
}
BENCHMARK_CAPTURE(BM_Startup, nachtblick, "nachtblick/nachtblick")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);
BENCHMARK_CAPTURE(BM_Startup, kalender, "kalender/kalender")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

}  // namespace
