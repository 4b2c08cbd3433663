#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz and runs each one for a
# bounded time, starting from the seeds in fuzz/corpus/<target>. Fails on
# any finding: a crash, a sanitizer report, a broken check, a leak, or an
# input that runs longer than 5 seconds. Prints the executions per target.
#
#   FUZZ_SECONDS   time per target (default 30)
#   FUZZ_TARGETS   the targets to run (default: every fuzz/fuzz_*.cpp)
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
build=$(pwd)/build-fuzz  # absolute: a target may change its working directory

CC=clang CXX=clang++ cmake -S . -B "$build" -DNB_FUZZ=ON -DNB_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=${FUZZ_TARGETS:-$(for f in fuzz/fuzz_*.cpp; do basename "$f" .cpp; done)}
# shellcheck disable=SC2086
cmake --build "$build" -j"$(nproc)" --target $targets

max_len() {
  case $1 in
    fuzz_places) echo 300000 ;;   # a few hundred kilobytes of place file
    fuzz_cli) echo 4096 ;;
    *) echo 512 ;;
  esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}${UBSAN_OPTIONS:+:}print_stacktrace=1:halt_on_error=1"
# What the font libraries keep for the life of the process (the chart's
# text) is no leak of ours; scripts/test.sh sets the same.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0}"

failed=""
summary=""
for target in $targets; do
  exe=$(find "$build/fuzz" -maxdepth 1 -type f -name "$target" | head -n 1)
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  log="$build/$target.log"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: $seconds s"
  status=0
  "$exe" -max_total_time="$seconds" -timeout=5 -max_len="$(max_len "$target")" \
    -entropic_scale_per_exec_time=1 -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" "$(pwd)/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary="$summary
  $target: ${runs:-?} executions"
  if [ "$status" -ne 0 ] || grep -q -e "runtime error" -e "ERROR: " "$log"; then
    failed="$failed $target"
    echo "   FINDING (exit $status); last lines of $log, inputs in $artifacts:"
    tail -n 40 "$log"
  else
    echo "   ${runs:-?} executions, no finding"
  fi
done

echo "== fuzz summary:$summary"
if [ -n "$failed" ]; then
  echo "fuzz: findings in:$failed" >&2
  exit 1
fi
