// SPDX-License-Identifier: MIT
// A fresh directory under /tmp for one test, removed with all it holds at
// the end; on request the working directory meanwhile.
#ifndef NACHTBLICK_TESTS_SCRATCH_DIR_H
#define NACHTBLICK_TESTS_SCRATCH_DIR_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "nachtblick/places.h"

class ScratchDir {
 public:
  explicit ScratchDir(bool enter = false) {
    char tmpl[] = "/tmp/nbtestXXXXXX";
    if (!mkdtemp(tmpl)) {
      ADD_FAILURE() << "mkdtemp failed";
      return;
    }
    dir_ = tmpl;
    if (enter) {
      char *cwd = getcwd(nullptr, 0);
      old_cwd_ = cwd ? cwd : "/";
      std::free(cwd);
      EXPECT_EQ(chdir(dir_.c_str()), 0);
    }
  }
  ~ScratchDir() {
    if (!old_cwd_.empty()) {
      EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    }
    if (!dir_.empty()) {
      EXPECT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
    }
  }
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;

  const std::string &dir() const { return dir_; }
  std::string path(const std::string &name = PLACE_FILE_NAME) const { return dir_ + "/" + name; }

  // Writes a file here, the place file unless named otherwise.
  void write(const std::string &contents, const std::string &name = PLACE_FILE_NAME) const {
    FILE *f = std::fopen(path(name).c_str(), "wb");
    ASSERT_NE(f, nullptr) << path(name);
    ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), f), contents.size());
    ASSERT_EQ(std::fclose(f), 0);
  }
  // Removes whatever stands at the name.
  void remove(const std::string &name = PLACE_FILE_NAME) const {
    ASSERT_EQ(std::system(("rm -rf '" + path(name) + "'").c_str()), 0);
  }

 private:
  std::string dir_, old_cwd_;
};

#endif
