#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs what building and running need (scripts/setup.sh run), builds
# the three programs and starts nachtblick (or kalender:
# scripts/run.sh kalender). Extra arguments go to the program.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh run
# Only the programs: no tests, no benchmarks (scripts/test.sh builds those).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DNB_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)"
program=nachtblick
if [ "${1:-}" = "kalender" ] || [ "${1:-}" = "nachtblick" ]; then program=$1; shift; fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display (DISPLAY is not set). Run it under a virtual display, e.g.:" >&2
  echo "  xvfb-run -a build/$program/$program" >&2
  echo "or, for the report texts without a window: build/nachtblick/nachtblick-report --help" >&2
  exit 1
fi
exec "build/$program/$program" "$@"
