#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs, with apt-get, what building, running and testing nachtblick and
# kalender need on Debian 12. Does nothing when everything is there.
set -eu

PACKAGES="g++ make cmake pkg-config libgtk2.0-dev libgtest-dev libbenchmark-dev
xvfb xauth x11-utils xfonts-base xfonts-75dpi xfonts-100dpi imagemagick
clang libclang-rt-14-dev valgrind desktop-file-utils groff-base xdotool"
# For tests/ical_check.sh: a parser and a client that read the calendar export.
PACKAGES="$PACKAGES python3-icalendar khal"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

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
