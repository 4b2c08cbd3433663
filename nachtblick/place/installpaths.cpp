// SPDX-License-Identifier: MIT
// The install folders, at the configured prefix or relative to the program.
#include "nachtblick/place/installpaths.h"

#include <glib.h>

#include <cstdlib>

namespace {

// path with its links resolved; as it is when it does not exist.
std::string real_path(const char *path) {
  char *real = realpath(path, nullptr);
  const std::string result = real ? real : path;
  std::free(real);
  return result;
}

// An install folder given relative to BINDIR (by CMake's
// file(RELATIVE_PATH)), or absolute where it does not move with the prefix
// (/etc for the prefix /usr): taken from the configured BINDIR for a
// program there or one whose folder is unknown, else from the program's
// folder; "." and ".." resolved.
std::string install_folder(const char *from_bindir) {
  const std::string self = program_folder();
  const bool in_bindir = self.empty() || self == real_path(NB_BINDIR);
  g_autofree gchar *folder =
      g_canonicalize_filename(from_bindir, in_bindir ? NB_BINDIR : self.c_str());
  return folder;
}

}  // namespace

std::string program_folder(void) {
  g_autofree gchar *self = g_file_read_link("/proc/self/exe", nullptr);
  if (!self) return "";
  g_autofree gchar *folder = g_path_get_dirname(self);
  return folder;
}

std::string installed_chart_folder(void) { return install_folder(NB_CHART_FROM_BINDIR); }

std::string system_place_folder(void) { return install_folder(NB_PLACE_FROM_BINDIR); }
