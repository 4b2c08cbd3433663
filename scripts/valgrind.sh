#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the GUI tests of both programs (the scripts, a monkey run of each
# window, the window closed) under valgrind's memcheck on a virtual X
# display. Fails on any invalid read or write, use of
# uninitialised memory, bad free, or definite leak; the only leaks allowed
# are fontconfig's own caches (scripts/valgrind.supp).
#
#   VALGRIND_BUILD   build directory without sanitizers (default: build)
#   MONKEY_CLICKS    clicks of each monkey run (default 3000)
set -eu
cd "$(dirname "$0")/.."
build=${VALGRIND_BUILD:-build}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if grep -q -e '^NB_SANITIZE:BOOL=ON' -e '^NB_FUZZ:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "valgrind: $build is a sanitizer build; valgrind needs a plain one" >&2
  exit 2
fi
cmake --build "$build" -j"$(nproc)" --target nachtblick_gui_test kalender_gui_test

export G_SLICE=always-malloc G_DEBUG=gc-friendly
export NB_MONKEY_CLICKS="${MONKEY_CLICKS:-3000}"
failed=""
for test in nachtblick/nachtblick_gui_test kalender/kalender_gui_test; do
  name=$(basename "$test")
  log="$build/valgrind-$name.log"
  echo "== valgrind $name"
  start=$(date +%s)
  status=0
  xvfb-run -a -s "-screen 0 1024x768x24" \
    valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
      --show-leak-kinds=definite --suppressions=scripts/valgrind.supp --num-callers=40 \
      --log-file="$log" "$build/$test" >"$build/valgrind-$name.out" 2>&1 || status=$?
  end=$(date +%s)
  summary=$(grep 'ERROR SUMMARY' "$log" | tail -n 1 | sed 's/^==[0-9]*== //')
  echo "   $((end - start)) s, exit $status, $summary"
  if [ "$status" -ne 0 ]; then
    failed="$failed $name"
    tail -n 30 "$build/valgrind-$name.out"
    grep -v '^==[0-9]*== *$' "$log" | sed -n '/Invalid\|uninitialised\|definitely lost\|free/,+25p' | head -n 150
  fi
done

if [ -n "$failed" ]; then
  echo "valgrind: errors in:$failed (logs in $build/valgrind-*.log)" >&2
  exit 1
fi
