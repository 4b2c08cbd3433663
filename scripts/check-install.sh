#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs a build into a scratch prefix and checks what arrived there:
# the three programs, the desktop entries (desktop-file-validate), the
# manual pages (groff without a single warning) and the example place file
# (every place line read as a place).
#
#   scripts/check-install.sh BUILD_DIR PREFIX [CMAKE [VERSION]]
#
# Exit status 0 when everything checks, 1 on a fault, 77 (skipped) when
# all that could be checked is right but desktop-file-validate or groff is
# missing.
set -u

build=${1:?usage: check-install.sh BUILD_DIR PREFIX}
prefix=${2:?usage: check-install.sh BUILD_DIR PREFIX}
cmake=${3:-cmake}
version=${4:-}

faults=0
missing=""
fault() {
  echo "check-install: $*" >&2
  faults=$((faults + 1))
}

rm -rf "$prefix"
if ! "$cmake" --install "$build" --prefix "$prefix" >/dev/null; then
  echo "check-install: cmake --install failed" >&2
  exit 1
fi

# Each program answers --version and --help without a display.
for f in nachtblick kalender nachtblick-report; do
  exe="$prefix/bin/$f"
  if [ ! -x "$exe" ]; then
    fault "bin/$f is missing or not executable"
    continue
  fi
  out=$(env -u DISPLAY "$exe" --version) || fault "$f --version failed"
  [ -z "$version" ] || [ "$out" = "$f $version" ] || fault "$f --version: '$out', not '$f $version'"
  env -u DISPLAY "$exe" --help | grep -q "^Usage: $f " || fault "$f --help prints no usage"
done

apps="$prefix/share/applications"
for f in nachtblick kalender; do
  [ -f "$apps/$f.desktop" ] || fault "share/applications/$f.desktop is missing"
  grep -qx "Exec=$f" "$apps/$f.desktop" 2>/dev/null || fault "$f.desktop does not start $f"
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  out=$(desktop-file-validate "$apps/nachtblick.desktop" "$apps/kalender.desktop" 2>&1)
  [ $? -eq 0 ] && [ -z "$out" ] || fault "desktop-file-validate: $out"
else
  missing="$missing desktop-file-validate"
fi

man1="$prefix/share/man/man1"
for f in nachtblick kalender nachtblick-report; do
  page="$man1/$f.1"
  if [ ! -f "$page" ]; then
    fault "share/man/man1/$f.1 is missing"
    continue
  fi
  [ -z "$version" ] || grep -q "^\.TH .* \"nachtblick $version\" " "$page" ||
    fault "$f.1 does not carry version $version"
  if command -v groff >/dev/null 2>&1; then
    for dev in ps utf8; do
      out=$(groff -ww -man -T"$dev" -z "$page" 2>&1)
      [ $? -eq 0 ] && [ -z "$out" ] || fault "groff -T$dev $f.1: $out"
    done
  else
    missing="$missing groff"
  fi
done

# The example place file: run the installed front end in a directory that
# holds it; every line that is no comment and no option line is a place.
conf="$prefix/share/doc/nachtblick/gtknblick.conf"
if [ -f "$conf" ]; then
  work="$prefix/conf-check"
  mkdir -p "$work" && cp "$conf" "$work/"
  expected=$(grep -cE '^[0-9 ][0-9] [NSns] ' "$conf")
  got=$(cd "$work" && "$prefix/bin/nachtblick-report" places | wc -l)
  [ "$expected" -ge 12 ] || fault "gtknblick.conf holds only $expected places"
  [ "$got" -eq "$expected" ] || fault "gtknblick.conf: $got places read, $expected lines"
  (cd "$work" && "$prefix/bin/nachtblick-report" places) |
    grep -q '^ 0  Sankt Poelten (Austria) ' || fault "gtknblick.conf: first place is not Sankt Poelten"
else
  fault "share/doc/nachtblick/gtknblick.conf is missing"
fi

if [ "$faults" -ne 0 ]; then
  echo "check-install: $faults fault(s)" >&2
  exit 1
fi
if [ -n "$missing" ]; then
  echo "check-install: skipped, missing:$missing"
  exit 77
fi
echo "check-install: all installed files present and valid"
