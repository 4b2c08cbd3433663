#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs a build into a scratch prefix and checks what arrived there:
# the three programs (--version and --help), the chart module of
# nachtblick-report, the desktop entries
# (desktop-file-validate), the AppStream metainfo (appstreamcli), the icons,
# the manual pages (groff without a single warning, the version) and the
# example place file in etc/nachtblick (every place line read as a place).
#
#   scripts/check-install.sh BUILD_DIR PREFIX [CMAKE [VERSION]]
#
# Exit status 0 when everything checks, 1 on a fault, 77 (skipped) when
# all that could be checked is right but desktop-file-validate, appstreamcli
# or groff is missing.
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
# Staged under DESTDIR with the prefix /: what goes to PREFIX/etc, or to an
# absolute /etc (the prefix /usr, debhelper's build), lands in PREFIX/etc.
if ! DESTDIR=$prefix "$cmake" --install "$build" --prefix / >/dev/null; then
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
  # nachtblick-report's usage is GLib's: "Usage:" on a line of its own.
  env -u DISPLAY "$exe" --help | grep -qE "^(Usage: |  )$f " || fault "$f --help prints no usage"
done

# nachtblick-report's chart module, in LIBDIR/nachtblick: a copy of both
# beside each other draws a chart (the staged program itself looks for the
# module where the prefix puts it, not in this scratch prefix).
module=$(find "$prefix" -path '*/nachtblick/nachtblick-chart.so')
if [ -f "$module" ]; then
  mkdir -p "$prefix/chart-check" && cp "$prefix/bin/nachtblick-report" "$module" "$prefix/chart-check/"
  "$prefix/chart-check/nachtblick-report" chart 2024 --format png | head -c 4 | grep -q PNG ||
    fault "nachtblick-chart.so draws no chart"
else
  fault "LIBDIR/nachtblick/nachtblick-chart.so is missing"
fi

# Desktop entry, AppStream metainfo and icons of each window program; the
# desktop entry and the metainfo are named after the component id.
share="$prefix/share"
for f in nachtblick kalender; do
  id=org.example.$f
  desktop="$share/applications/$id.desktop"
  metainfo="$share/metainfo/$id.metainfo.xml"
  if [ -f "$desktop" ]; then
    grep -qx "Exec=$f" "$desktop" || fault "$id.desktop does not start $f"
    grep -qx "Icon=$f" "$desktop" || fault "$id.desktop does not name the icon $f"
    if command -v desktop-file-validate >/dev/null 2>&1; then
      out=$(desktop-file-validate "$desktop" 2>&1)
      [ $? -eq 0 ] && [ -z "$out" ] || fault "desktop-file-validate $id.desktop: $out"
    else
      missing="$missing desktop-file-validate"
    fi
  else
    fault "share/applications/$id.desktop is missing"
  fi
  if [ -f "$metainfo" ]; then
    grep -q "<id>$id</id>" "$metainfo" || fault "$id.metainfo.xml: the id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
      fault "$id.metainfo.xml does not launch $id.desktop"
    [ -z "$version" ] || grep -q "<release version=\"$version\"" "$metainfo" ||
      fault "$id.metainfo.xml has no release $version"
    if command -v appstreamcli >/dev/null 2>&1; then
      out=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1)
      [ $? -eq 0 ] && ! echo "$out" | grep -q '^ *[EWI]:' || fault "appstreamcli $id.metainfo.xml: $out"
    else
      missing="$missing appstreamcli"
    fi
  else
    fault "share/metainfo/$id.metainfo.xml is missing"
  fi
  icons="$share/icons/hicolor"
  grep -q '<svg' "$icons/scalable/apps/$f.svg" 2>/dev/null ||
    fault "share/icons/hicolor/scalable/apps/$f.svg is missing or no SVG"
  for size in 48 128; do
    png="$icons/${size}x$size/apps/$f.png"
    # The PNG signature, then the IHDR chunk with width and height.
    head=$(od -An -tx1 -N24 "$png" 2>/dev/null | tr -d ' \n')
    hex=$(printf '%08x' "$size")
    [ "$head" = "89504e470d0a1a0a0000000d49484452$hex$hex" ] ||
      fault "share/icons/hicolor/${size}x$size/apps/$f.png is missing or not $size x $size"
  done
done

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
conf="$prefix/etc/nachtblick/gtknblick.conf"
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
  fault "etc/nachtblick/gtknblick.conf is missing"
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
