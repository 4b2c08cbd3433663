#!/bin/sh
# SPDX-License-Identifier: MIT
# A build installed to another prefix than its configured one finds its
# chart module and its example place file relative to its programs:
# nachtblick-report from PREFIX/bin draws a chart and reads the places of
# PREFIX/etc/nachtblick/gtknblick.conf, run in an empty folder with an
# empty HOME and XDG_CONFIG_HOME.
#
#   tests/install_relocated.sh BUILD_DIR CMAKE
#
# Exits 77 (skipped) when the install step fails.
set -eu

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/prefix" "$work/home" "$work/config" "$work/run"
if ! "$2" --install "$1" --prefix "$work/prefix" >"$work/install.log" 2>&1; then
  echo "install_relocated: cmake --install failed, skipped:"
  cat "$work/install.log"
  exit 77
fi
prefix=$(cd "$work/prefix" && pwd -P)
cd "$work/run"
report() { HOME="$work/home" XDG_CONFIG_HOME="$work/config" "$prefix/bin/nachtblick-report" "$@"; }
report chart 2024 --format svg >chart.svg
grep -q '<svg' chart.svg
report places >places 2>err
grep -qx "nachtblick-report: places from $prefix/etc/nachtblick/gtknblick.conf" err || {
  echo "install_relocated: places from $prefix/bin:" >&2
  cat err >&2
  exit 1
}
[ "$(wc -l <places)" -gt 1 ]
