// SPDX-License-Identifier: MIT
// nachtblick-report's text views as whole processes: fork(), exec, wait,
// with stdout and stderr on /dev/null, in a scratch directory with HOME and
// XDG_CONFIG_HOME pointing into it, so that no place file of the user is
// read. Every iteration also starts the C++ hello world built beside this
// benchmark (bench/hello_world.cpp), right after the view, so that both
// see the same load; the counter x_hello is the view's time over the hello
// world's (target for moonphase: at most 1.3). The programs are taken from
// the build tree (../nachtblick/nachtblick-report, ./hello_world).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <limits.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "bench/clock.h"

extern char **environ;

namespace {

// The directory of this benchmark program.
std::string bench_dir() {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return ".";
  std::string dir(self, n);
  return dir.erase(dir.rfind('/'));
}

// A program and its arguments, ready for execve.
struct Command {
  std::vector<std::string> words;
  std::vector<char *> argv;

  Command(const std::string &program, const std::string &args) {
    words.push_back(program);
    std::istringstream in(args);
    for (std::string w; in >> w;) words.push_back(w);
    for (std::string &w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);
  }
};

// The scratch directory, /dev/null and the environment the runs share.
struct Scratch {
  std::string dir;
  int null = -1;
  std::vector<std::string> env_strings;
  std::vector<char *> env;

  Scratch() {
    char name[] = "/tmp/nbstartXXXXXX";
    if (mkdtemp(name)) dir = name;
    null = open("/dev/null", O_RDWR | O_CLOEXEC);
    for (char **e = environ; *e; ++e)
      if (std::strncmp(*e, "HOME=", 5) != 0 && std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0)
        env_strings.push_back(*e);
    env_strings.push_back("HOME=" + dir);
    env_strings.push_back("XDG_CONFIG_HOME=" + dir);
    for (std::string &s : env_strings) env.push_back(&s[0]);
    env.push_back(nullptr);
  }
  ~Scratch() {
    if (!dir.empty()) rmdir(dir.c_str());
  }

  // Runs the command to its end; its time in seconds, or -1 when it
  // could not start or did not exit with status 0.
  double run(Command &c) {
    const double start = now_seconds();
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      if (chdir(dir.c_str()) == 0) execve(c.argv[0], c.argv.data(), env.data());
      _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    const double end = now_seconds();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? end - start : -1;
  }
};

void BM_ReportProcess(benchmark::State &state, const char *args) {
  static Scratch scratch;
  Command view(bench_dir() + "/../nachtblick/nachtblick-report", args);
  Command hello(bench_dir() + "/hello_world", "");
  if (scratch.dir.empty() || scratch.null < 0) {
    state.SkipWithError("no scratch directory");
    return;
  }
  double view_total = 0, hello_total = 0;
  for (auto _ : state) {
    const double v = scratch.run(view);
    const double h = scratch.run(hello);
    if (v < 0 || h < 0) {
      state.SkipWithError("a program did not run or failed");
      return;
    }
    state.SetIterationTime(v);
    view_total += v;
    hello_total += h;
  }
  state.counters["hello_ms"] = hello_total * 1e3 / state.iterations();
  state.counters["x_hello"] = view_total / hello_total;
}
// The views timed, each with its arguments and number of runs.
struct ViewRun {
  const char *name, *args;
  int runs;
};
const ViewRun kViewRuns[] = {{"calendar", "calendar 2026 2", 200},
                             {"moonphase", "moonphase 2024 1 1", 200},
                             {"seasons", "seasons 2024", 200},
                             {"riseset", "riseset 2024 6 21", 200},
                             {"pi", "pi", 50},
                             {"ical", "ical 2024", 100},
                             {"help", "--help", 200},
                             {"places", "places", 200},
                             // A city search: libgeonames's first query
                             // dominates; "Muenchen" finds nothing as typed
                             // and is tried again with umlauts.
                             {"search", "places --search Graz", 50},
                             {"search_umlaut", "places --search Muenchen", 20}};

const bool registered = [] {
  for (const ViewRun &r : kViewRuns)
    benchmark::RegisterBenchmark((std::string("BM_ReportProcess/") + r.name).c_str(),
                                 BM_ReportProcess, r.args)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(r.runs);
  return true;
}();

}  // namespace
