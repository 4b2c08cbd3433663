#!/bin/sh
# SPDX-License-Identifier: MIT
# Measures what docs/performance.md reports:
#  1. the Google Benchmark benchmarks of the reports and of the start-up of
#     both window programs (bench/, on a private Xvfb display);
#  2. whole-process timings with hyperfine, side by side in one run:
#     nachtblick-report pi against bc computing the same digits, and
#     nachtblick-report calendar against ncal and cal printing a month;
#     nachtblick-report moonphase against a C++ hello world (the floor of
#     a text view's start, bench/hello_world.cpp);
#     nachtblick-report ical against the same year's events computed with
#     the npm package astronomy-engine on node (installed into a scratch
#     directory by this script), and nachtblick-report eclipses against the
#     same year's eclipses at the place with astronomy-engine.
#
#   scripts/performance.sh [BUILD_DIR]      (default: build)
#
# Needs a Release or RelWithDebInfo build with the benchmarks, Xvfb,
# hyperfine, bc, ncal, node and npm (Debian packages xvfb, hyperfine, bc,
# ncal, nodejs, npm) and the npm registry.
# Results are printed and also written to BUILD_DIR/performance/.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
bench=$build/bench/nachtblick_bench
report=$build/nachtblick/nachtblick-report

for tool in hyperfine bc ncal cal Xvfb node npm; do
  command -v "$tool" >/dev/null 2>&1 || { echo "performance: $tool is missing" >&2; exit 1; }
done
for prog in "$bench" "$report"; do
  [ -x "$prog" ] || { echo "performance: $prog is not built" >&2; exit 1; }
done

results=$build/performance
mkdir -p "$results"
# A scratch working directory: no place file, so the built-in place.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "== machine"
{ uname -srm; nproc; grep -m1 'model name' /proc/cpuinfo || true; uptime; } | tee "$results/machine.txt"

echo "== benchmarks"
"$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/bench.json" --benchmark_out_format=json |
  tee "$results/bench.txt"

echo "== pi: 2799 decimals"
# bc computes with 2805 digits after the point, a few more than printed, so
# that the last of the 2799 is right; reading the program from a file lets
# hyperfine run it without a shell.
printf 'scale=2805\n4*a(1)\n' >"$work/pi.bc"
hyperfine -N --warmup 3 --min-runs 20 \
  --export-markdown "$results/pi.md" --export-json "$results/pi.json" \
  -n "nachtblick-report pi" "$report pi" \
  -n "bc -l (scale=2805; 4*a(1))" "bc -l $work/pi.bc"

echo "== the start-up floor: a text view against a C++ hello world"
hyperfine -N --warmup 10 --runs 300 \
  --export-markdown "$results/startup.md" --export-json "$results/startup.json" \
  -n "nachtblick-report moonphase 2024 1 1" "$report moonphase 2024 1 1" \
  -n "hello world (C++)" "$build/bench/hello_world"

echo "== one month with week numbers"
hyperfine -N --warmup 10 --runs 300 \
  --export-markdown "$results/calendar.md" --export-json "$results/calendar.json" \
  -n "nachtblick-report calendar 2026 2" "$report calendar 2026 2" \
  -n "ncal -M -b -w 2 2026" "ncal -M -b -w 2 2026" \
  -n "cal 2 2026" "cal 2 2026"

echo "== one year as iCalendar, with sunrise and sunset"
npm install --prefix "$work/npm" --no-audit --no-fund --silent astronomy-engine@2
export NODE_PATH="$work/npm/node_modules"
hyperfine -N --warmup 3 --min-runs 20 \
  --export-markdown "$results/ical.md" --export-json "$results/ical.json" \
  -n "nachtblick-report ical 2024 --place 0" "$report ical 2024 --place 0" \
  -n "node + astronomy-engine" "node $root/scripts/ical_astronomy_engine.js 2024"

echo "== one year of eclipses at a place, as tsv"
hyperfine -N --warmup 3 --min-runs 20 \
  --export-markdown "$results/eclipses.md" --export-json "$results/eclipses.json" \
  -n "nachtblick-report eclipses 2026 --place 0 --format tsv" \
  "$report eclipses 2026 --place 0 --format tsv" \
  -n "node + astronomy-engine" "node $root/scripts/eclipses_astronomy_engine.js 2026"
