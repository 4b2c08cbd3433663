#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs, with apt-get, the Debian 12 packages that are missing:
#
#   scripts/setup.sh run     building and running nachtblick and kalender
#   scripts/setup.sh test    that, and the tools the tests and the Debian
#                            package build use
#
# Further package names after the list are installed too.
#
# Does nothing when everything is there.
set -eu

# Compiler, build tools, GTK+ 2 and the X core fonts the windows draw with;
# cairo, which nachtblick-report draws its charts with; libgeonames, the
# GeoNames city table of the city search.
RUN_PACKAGES="g++ make cmake pkg-config libgtk2.0-dev libcairo2-dev libgeonames-dev
xfonts-base xfonts-75dpi xfonts-100dpi"

# Unit tests and benchmarks; the virtual display, clicks and screenshots of
# the window tests; the sanitizer, fuzzing and valgrind runs; the checks of
# the installed files; the Debian package build, lintian and diffoscope
# (scripts/package.sh --reproducible); line counts;
# a parser and a client that read the calendar export (tests/ical_check.sh);
# pdfinfo, which opens the chart's PDF (tests/chart_check.sh).
TEST_PACKAGES="libgtest-dev libbenchmark-dev
xvfb xauth x11-utils xdotool imagemagick
clang libclang-rt-14-dev valgrind
desktop-file-utils appstream groff-base
dpkg-dev debhelper devscripts lintian diffoscope-minimal
cloc
python3-icalendar khal
poppler-utils"

# Installs the packages named in $1 that dpkg does not list as installed.
install_missing() {
  missing=""
  for p in $1; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $p"
    fi
  done
  [ -z "$missing" ] && return 0

  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
  elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "setup: need root or sudo to install:$missing" >&2
    exit 1
  fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

list=${1:-}
[ $# -gt 0 ] && shift
case "$list" in
  run) install_missing "$RUN_PACKAGES $*" ;;
  test) install_missing "$RUN_PACKAGES $TEST_PACKAGES $*" ;;
  *)
    echo "usage: scripts/setup.sh run|test [PACKAGE...]" >&2
    exit 2
    ;;
esac
