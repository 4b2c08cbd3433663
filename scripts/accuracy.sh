#!/bin/sh
# SPDX-License-Identifier: MIT
# Measures how far the program's astronomy results lie from an independent
# ephemeris and writes docs/accuracy.md with its plots (docs/accuracy/*.png):
#  1. builds the measurement program bench/accuracy (nb_accuracy, linking the
#     engine's libraries) in BUILD_DIR;
#  2. installs the npm package astronomy-engine into BUILD_DIR/node (a scratch
#     folder, never committed) and runs bench/accuracy/reference.js on it;
#  3. pairs and aggregates both with bench/accuracy/compare.py (Python
#     standard library and tests/oracle.py), fills in the page's text from
#     docs/accuracy.md.in and draws the plots of bench/accuracy/plots.gp
#     with gnuplot.
#
#   scripts/accuracy.sh [BUILD_DIR]      (default: build-accuracy)
#
# Needs what scripts/setup.sh installs, plus Node.js with npm and gnuplot,
# which this script installs with apt-get when they are missing (as root or
# with sudo). Takes a few minutes on two cores.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-accuracy}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
# The reference, pinned so that a rerun reproduces the page.
engine=astronomy-engine@2.1.19

extra=""
command -v node >/dev/null 2>&1 || extra="$extra nodejs"
command -v npm >/dev/null 2>&1 || extra="$extra npm"
command -v gnuplot >/dev/null 2>&1 || extra="$extra gnuplot-nox"
command -v python3 >/dev/null 2>&1 || extra="$extra python3"
# shellcheck disable=SC2086
"$root/scripts/setup.sh" run $extra

echo "== build the measurement program"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNB_ACCURACY=ON \
  -DNB_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target nb_accuracy

echo "== install $engine"
node_dir=$build/node
mkdir -p "$node_dir"
engine_version() {
  node -p 'JSON.parse(require("fs").readFileSync(process.argv[1])).version' \
    "$node_dir/node_modules/astronomy-engine/package.json"
}
if [ ! -f "$node_dir/node_modules/astronomy-engine/package.json" ] ||
  [ "$(engine_version)" != "${engine#*@}" ]; then
  (cd "$node_dir" && npm install --no-save --no-audit --no-fund --silent "$engine")
fi

echo "== compare"
work=$build/work
rm -rf "$work"
mkdir -p "$work"
rm -f "$root"/docs/accuracy/*.png
python3 "$root/bench/accuracy/compare.py" \
  --program "$build/bench/accuracy/nb_accuracy" \
  --reference "$root/bench/accuracy/reference.js" \
  --node-path "$node_dir/node_modules" \
  --places "$root/bench/accuracy/places.csv" \
  --eclipse-places "$root/bench/accuracy/eclipseplaces.csv" \
  --sun-places "$root/bench/accuracy/sunplaces.csv" \
  --band-places "$root/bench/accuracy/bandplaces.csv" \
  --work "$work" --docs "$root/docs" --jobs 2 \
  --versions "version $(engine_version), run with Node.js $(node --version)"
echo "== written: docs/accuracy.md, docs/accuracy/*.png"
