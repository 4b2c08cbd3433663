#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs what is missing (scripts/setup.sh test), builds and runs every
# test (GUI tests under a virtual X display), builds the Debian packages,
# checks them with lintian and builds them twice to compare them
# (scripts/package.sh), builds and runs every test
# again with AddressSanitizer and UndefinedBehaviorSanitizer, then fuzzes
# (scripts/fuzz.sh) and runs the GUI tests under valgrind
# (scripts/valgrind.sh). Pass --quick to skip all but the first build and
# its tests.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh test
jobs=$(nproc)

total=0
run_suite() {
  dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$dir" --output-on-failure -j"$jobs"
  total=$((total + $(ctest --test-dir "$dir" -N | sed -n 's/^Total Tests: //p')))
}

echo "== build and test"
# The accuracy measurement program is built too, so that it keeps compiling.
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DNB_BENCHMARKS=ON -DNB_ACCURACY=ON
if [ "${1:-}" != "--quick" ]; then
  # The package's own test step (dh_auto_test) would build and run the
  # tests that just passed once more; nocheck skips it here.
  echo "== Debian package and lintian"
  DEB_BUILD_OPTIONS="parallel=$jobs nocheck" scripts/package.sh
  echo "== reproducible Debian packages"
  scripts/package.sh --reproducible
  echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
  # The hardening stage: five times the random clicks of the window tests.
  export NB_MONKEY_CLICKS=10000
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DNB_SANITIZE=ON -DNB_BENCHMARKS=OFF
  echo "== fuzzing"
  scripts/fuzz.sh
  echo "== valgrind"
  VALGRIND_BUILD=build scripts/valgrind.sh
fi

# Every step above stops the script on a failure, so reaching this line
# means every test of every suite passed.
echo "all suites: $total passed, 0 failed"
