// SPDX-License-Identifier: MIT
// Golden data runner: runs every case of the data files given on the
// command line and compares stdout, stderr and exit status byte for byte.
//
//   golden_test FILE...             check (exit 0 when every case matches)
//   golden_test --update FILE...    write the program's present output back
//
// A data file is the expected text itself, with directive lines that begin
// with "@@ ":
//   @@ nachtblick-report ARGS   a front-end case; its stdout follows
//   @@ kalender YEAR MONTH YYYY-MM-DD   a kalender report (today's date last)
//   @@ kalender info / @@ nachtblick info   the information texts
//   @@ stderr / @@ exit N       what the case wrote to stderr, its status
//   @@ conf / ... / @@ end      the place file from here on (lines between)
//   @@ conf none|fifo|dir|@PATH no file, a FIFO, a directory, a file of the
//                               source tree
//   @@ conf ->PATH              a symbolic link to PATH
//   @@ at cwd|config|system     where the conf directives after it put the
//                               place file: the working directory (at the
//                               start of each data file), the user's
//                               configuration directory or the system's
//   @@ file cwd|config|system   a case: the bytes of the place file there
//   @@# ...                     a comment (it ends an expected text)
// Arguments are split at blanks; "\s" in one stands for a blank, "\t" for
// a tab, "\d" for DEL, "\f" for the byte 0xFF (never in UTF-8) and "\e"
// for an empty argument.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The two programs share no code and both define szMonat, so the runner is
// built twice: as golden_test for nachtblick-report, and with
// NB_GOLDEN_KALENDER as kalender_golden_test for kalender's report. Each
// runs its own cases and passes over the other's.
#ifdef NB_GOLDEN_KALENDER
#include "kalreport.h"
const char kCase[] = "@@ kalender ", kInfo[] = "@@ kalender info";
#else
#include "nachtblick/cli/cli.h"
#include "nachtblick/views/reports.h"
const char kCase[] = "@@ nachtblick-report ", kInfo[] = "@@ nachtblick info";
#endif

namespace {

const std::string kTag = "@@ ";

// Where an "at" directive puts the place file, in the scratch directory.
const std::map<std::string, std::string> kConfDirs = {
    {"cwd", ""}, {"config", "config/nachtblick/"}, {"system", "system/"}};

// The scratch directory the runner works in, and the place file a conf
// directive writes (relative to it).
std::string scratch;
std::string conf_path;

bool starts(const std::string &line, const std::string &head) { return line.rfind(head, 0) == 0; }

// The block a case writes: stdout, then stderr and status when present.
std::string run_case(const std::string &command) {
  std::vector<std::string> args;
  std::istringstream in(command.substr(kTag.size()));
  for (std::string word; in >> word; args.push_back(word))
    for (const auto &[c, t] :
         {std::pair("\\s", " "), {"\\t", "\t"}, {"\\d", "\x7f"}, {"\\f", "\xff"}, {"\\e", ""}})
      for (size_t at; (at = word.find(c)) != std::string::npos;) word.replace(at, 2, t);
  std::string out, err;
  int status = 0;
  if (starts(command, kTag + "file ")) {
    std::ifstream file(kConfDirs.at(args[1]) + "gtknblick.conf", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
#ifdef NB_GOLDEN_KALENDER
  int y = 0, m = 0, d = 0;
  if (command == kInfo) return kalender_info_text() + "\n";
  if (args.size() != 4 || std::sscanf(args[3].c_str(), "%d-%d-%d", &y, &m, &d) != 3) std::exit(2);
  out = kalender_report(args[1].c_str(), args[2].c_str(), d, m, y).text + "\n";
#else
  if (command == kInfo) return info_report().text + "\n";
  std::vector<const char *> argv;
  for (const std::string &a : args) argv.push_back(a.c_str());
  const CliSetting setting{scratch + "/system", nullptr};
  status = run_report_cli(static_cast<int>(argv.size()), argv.data(), out, err, setting);
#endif
  for (size_t at; (at = err.find(scratch)) != std::string::npos;)
    err.replace(at, scratch.size(), "$TMP");
  if (!err.empty()) out += kTag + "stderr\n" + err;
  if (status != 0) out += kTag + "exit " + std::to_string(status) + "\n";
  return out;
}

// Puts the place file of a "conf" directive where conf_path says: body, a
// FIFO, a directory, a file of the source tree or none.
void set_conf(const std::string &how, const std::string &body = "") {
  std::filesystem::remove_all(conf_path);
  if (how == "fifo") mkfifo(conf_path.c_str(), 0600);
  if (how == "dir") std::filesystem::create_directory(conf_path);
  if (starts(how, "->")) std::filesystem::create_symlink(how.substr(2), conf_path);
  if (how.empty()) std::ofstream(conf_path, std::ios::binary) << body;
  if (starts(how, "@"))
    std::ofstream(conf_path, std::ios::binary)
        << std::ifstream(NB_SOURCE_DIR "/" + how.substr(1), std::ios::binary).rdbuf();
}

// Checks (or with update rewrites) one data file; returns the failures.
int run_file(const std::string &path, bool update) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string result;
  int failures = 0;
  for (const auto &[at, dir] : kConfDirs) std::filesystem::remove_all(dir + "gtknblick.conf");
  conf_path = "gtknblick.conf";
  for (size_t i = 0; i < lines.size();) {
    const std::string &line = lines[i++];
    result += line + "\n";
    if (line == kTag + "conf") {
      std::string conf;
      for (; i < lines.size() && lines[i] != kTag + "end"; ++i) conf += lines[i] + "\n";
      result += conf;
      set_conf("", conf);
    } else if (starts(line, kTag + "at ")) {
      conf_path = kConfDirs.at(line.substr(kTag.size() + 3)) + "gtknblick.conf";
    } else if (starts(line, kTag + "conf ")) {
      set_conf(line.substr(kTag.size() + 5));
    } else if (starts(line, kCase) || line == kInfo || starts(line, kTag + "file ")) {
      std::string expected;
      while (i < lines.size() && (!starts(lines[i], "@@") || starts(lines[i], kTag + "stderr") ||
                                  starts(lines[i], kTag + "exit")))
        expected += lines[i++] + "\n";
      const std::string actual = run_case(line);
      result += actual;
      if (actual != expected && !update) {
        ++failures;
        std::fprintf(stderr, "%s: %s\n--- expected\n%s--- actual\n%s", path.c_str(), line.c_str(),
                     expected.c_str(), actual.c_str());
      }
    }
  }
  if (update) std::ofstream(path, std::ios::binary) << result;
  return failures;
}

}  // namespace

int main(int argc, char **argv) {
  const bool update = argc > 1 && std::string(argv[1]) == "--update";
  std::vector<std::string> files(argv + (update ? 2 : 1), argv + argc);
  for (std::string &file : files) file = std::filesystem::absolute(file);
  char dir[] = "/tmp/nbgoldenXXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 2;
  scratch = dir;
  // The place files of the user and of the system are looked for in the
  // scratch directory (the system's in its "system"), never in the real
  // ones.
  for (const char *sub : {"config/nachtblick", "system"}) std::filesystem::create_directories(sub);
  setenv("HOME", (scratch + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
  int failures = 0;
  for (const std::string &file : files) failures += run_file(file, update);
  std::filesystem::remove_all(scratch);
  std::printf("%d failing case(s)\n", failures);
  return failures ? 1 : 0;
}
