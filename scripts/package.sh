#!/bin/sh
# SPDX-License-Identifier: MIT
# The Debian packaging of nachtblick: the orig tarball, the source and
# binary packages checked by lintian, and two checks of the packages.
#
#   scripts/package.sh [--install-check] [OUT_DIR]   (default: build/deb)
#   scripts/package.sh --orig [COMMIT]               (default: HEAD)
#   scripts/package.sh --reproducible [OUT_DIR]      (default: build/repro)
#
# The first builds the source package and the binary packages nachtblick,
# nachtblick-report, nachtblick-chart and nachtblick-common in a scratch copy, so the work tree
# stays as it is, and checks them with lintian: any error or warning fails,
# and so does a test that the package build skipped. In a git checkout the
# copy holds the tracked files as they are in the work tree, changes not yet
# committed included; untracked files are left out. OUT_DIR receives the
# .deb, .dsc, .changes and .buildinfo files, build.log and lintian.txt.
# DEB_BUILD_OPTIONS is passed on (default: parallel=2); with nocheck the
# tests are not built.
#
# --install-check (as root) then installs the packages with apt-get, checks
# what arrived, purges them again and checks that nothing is left behind.
# It changes the system's packages, so it is never run by scripts/test.sh.
#
# --orig writes ../nachtblick_VERSION.orig.tar.xz (beside the checkout, where
# dpkg-buildpackage looks) from the commit's tracked files without debian/:
# the same commit gives the same bytes (see make_orig).
#
# --reproducible builds the binary packages twice, the second time in a
# deeper path, in another time zone, locale and umask, under another user
# name (as root: as the user nobody), and compares the .deb files; on a
# difference it prints what diffoscope finds and exits 1.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
mode=build
case ${1:-} in
  --install-check | --orig | --reproducible)
    mode=${1#--}
    shift
    ;;
esac
start=$(date +%s)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The tracked files of COMMIT (empty: of the work tree, changes included)
# into DIR/nachtblick-VERSION, whose path is then in $src.
extract() {
  mkdir -p "$2/x"
  if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
    # git stash create makes a commit of the work tree's tracked files
    # without touching the tree or the stash; it prints nothing when the
    # tree is clean.
    commit=${1:-$(git -C "$root" -c user.name=package -c user.email=package@localhost stash create)}
    git -C "$root" -c tar.umask=0022 archive --format=tar "${commit:-HEAD}" | tar -x -C "$2/x"
  else
    # Not a git checkout: everything but the build directories.
    tar -C "$root" --exclude='./build*' -cf - . | tar -x -C "$2/x"
  fi
  # The version comes from project() alone; debian/changelog must agree.
  version=$(sed -n 's/^project(nachtblick VERSION \([0-9.]*\) .*/\1/p' "$2/x/CMakeLists.txt")
  debian_version=$(dpkg-parsechangelog -l "$2/x/debian/changelog" -S Version)
  case $debian_version in
    "$version"-*) ;;
    *)
      echo "package: debian/changelog has $debian_version, project() has $version" >&2
      exit 1
      ;;
  esac
  src=$2/nachtblick-$version
  mv "$2/x" "$src"
}

# The orig tarball of the tree in $src, without debian/, as FILE. Its bytes
# depend on the files alone: names sorted bytewise, owner and group 0, modes
# 644 and 755, every mtime the date of debian/changelog, GNU tar format,
# xz -6 in one thread.
make_orig() {
  stamp=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
  (cd "$src/.." && LC_ALL=C tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner \
    --mtime="@$stamp" --mode=u+rw,go=rX --anchored --exclude="nachtblick-$version/debian" \
    -cf - "nachtblick-$version") | xz -6 -T1 -c >"$1"
}

if [ "$mode" = orig ]; then
  extract "${1:-HEAD}" "$work"
  orig=$(cd "$root/.." && pwd)/nachtblick_$version.orig.tar.xz
  make_orig "$orig"
  echo "package: $orig"
  sha256sum "$orig"
  exit 0
fi

arch=$(dpkg --print-architecture)
if [ "$mode" = reproducible ]; then
  out=${1:-$root/build/repro}
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  extract "" "$work/a"
  mkdir -p "$work/b/a/much/deeper/build/path"
  cp -a "$src" "$work/b/a/much/deeper/build/path/"
  chmod 755 "$work"
  # The tests do not change the packages: both builds leave them out.
  opts="nocheck parallel=2"
  runas=""
  if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    chown -R nobody:nogroup "$work/b"
    runas="setpriv --reuid=nobody --regid=nogroup --clear-groups"
  fi
  mkdir -p "$work/a/home" "$work/b/home"
  echo "== build 1: $src"
  (cd "$src" && umask 022 && env HOME="$work/a/home" USER=package LOGNAME=package TZ=UTC \
    LC_ALL=C.UTF-8 LANG=C.UTF-8 DEB_BUILD_OPTIONS="$opts" dpkg-buildpackage -Pnocheck -b -us -uc) \
    >"$out/build1.log" 2>&1 || {
    tail -n 40 "$out/build1.log" >&2
    exit 1
  }
  echo "== build 2: $work/b/a/much/deeper/build/path/nachtblick-$version"
  [ -z "$runas" ] || chown nobody "$work/b/home"
  # The umask is varied as reprotest does, though dpkg-buildpackage and dh
  # both set 022 for what they run.
  (cd "$work/b/a/much/deeper/build/path/nachtblick-$version" && umask 002 &&
    $runas env HOME="$work/b/home" USER=otheruser LOGNAME=otheruser TZ=Etc/GMT-14 \
      LC_ALL=C LANG=C DEB_BUILD_OPTIONS="$opts" dpkg-buildpackage -Pnocheck -b -us -uc) \
    >"$out/build2.log" 2>&1 || {
    tail -n 40 "$out/build2.log" >&2
    exit 1
  }
  differ=0
  for deb in "$work"/a/*.deb; do
    name=$(basename "$deb")
    other=$work/b/a/much/deeper/build/path/$name
    if cmp -s "$deb" "$other"; then
      echo "same: $name $(sha256sum <"$deb" | cut -c1-16)"
      continue
    fi
    differ=1
    echo "DIFFERENT: $name" >&2
    if command -v diffoscope >/dev/null 2>&1; then
      diffoscope "$deb" "$other" || true
    else
      echo "package: diffoscope is missing (apt-get install diffoscope-minimal)" >&2
    fi
  done
  cp "$work"/a/*.deb "$out/"
  [ "$differ" -eq 0 ] || exit 1
  echo "package: the .deb files of two builds are identical, $(($(date +%s) - start)) s"
  exit 0
fi

out=${1:-$root/build/deb}
mkdir -p "$out"
out=$(cd "$out" && pwd)
extract "" "$work"
make_orig "$work/nachtblick_$version.orig.tar.xz"

echo "== dpkg-buildpackage nachtblick $debian_version"
(cd "$src" && DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS:-parallel=2} dpkg-buildpackage -us -uc) \
  >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "package: dpkg-buildpackage failed, see $out/build.log" >&2
  exit 1
}
# ctest lists the tests that were skipped (exit 77) as not run.
if grep -A20 'tests did not run' "$out/build.log" >&2; then
  echo "package: the package build skipped tests, see $out/build.log" >&2
  exit 1
fi
rm -f "$out"/nachtblick*_"$version"*
for f in "$work"/nachtblick*_"$version"*; do
  [ -f "$f" ] && cp "$f" "$out/"
done
changes=$out/nachtblick_${debian_version}_$arch.changes

echo "== lintian"
lintian -I --pedantic "$changes" >"$out/lintian.txt" 2>&1 || true
cat "$out/lintian.txt"
if grep -q '^[EW]: ' "$out/lintian.txt"; then
  echo "package: lintian reports errors or warnings" >&2
  exit 1
fi
# The text front end must install without GTK+, X and cairo (the chart's
# module, in nachtblick-chart, brings those).
depends=$(dpkg-deb -f "$out/nachtblick-report_${debian_version}_$arch.deb" Depends)
if echo "$depends" | grep -Eq 'gtk|libx11|libgdk|cairo'; then
  echo "package: nachtblick-report depends on $depends" >&2
  exit 1
fi
echo "package: nachtblick, nachtblick-report, nachtblick-chart and nachtblick-common $debian_version in $out, $(($(date +%s) - start)) s"

[ "$mode" = install-check ] || exit 0
echo "== install, check, purge"
packages="nachtblick nachtblick-report nachtblick-chart nachtblick-common"
faults=0
fault() {
  echo "package: $*" >&2
  faults=$((faults + 1))
}
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$out/nachtblick_${debian_version}_$arch.deb" \
  "$out/nachtblick-report_${debian_version}_$arch.deb" \
  "$out/nachtblick-chart_${debian_version}_$arch.deb" \
  "$out/nachtblick-common_${debian_version}_all.deb" >/dev/null
conf=/etc/nachtblick/gtknblick.conf
for f in /usr/bin/nachtblick /usr/bin/kalender /usr/bin/nachtblick-report \
  "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/nachtblick/nachtblick-chart.so" \
  /usr/share/man/man1/nachtblick.1.gz /usr/share/man/man1/kalender.1.gz \
  /usr/share/man/man1/nachtblick-report.1.gz \
  /usr/share/applications/org.example.nachtblick.desktop \
  /usr/share/applications/org.example.kalender.desktop \
  /usr/share/metainfo/org.example.nachtblick.metainfo.xml \
  /usr/share/metainfo/org.example.kalender.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/nachtblick.svg \
  /usr/share/icons/hicolor/scalable/apps/kalender.svg \
  /usr/share/icons/hicolor/48x48/apps/nachtblick.png \
  /usr/share/icons/hicolor/48x48/apps/kalender.png \
  /usr/share/icons/hicolor/128x128/apps/nachtblick.png \
  /usr/share/icons/hicolor/128x128/apps/kalender.png \
  /usr/share/doc/nachtblick/README.Debian /usr/share/doc/nachtblick-report/README.Debian \
  "$conf"; do
  [ -f "$f" ] || fault "$f is not installed"
done
dpkg-query -W -f='${Conffiles}\n' nachtblick-common | grep -q " $conf " ||
  fault "$conf is no conffile"
for p in nachtblick kalender nachtblick-report; do
  [ "$(env -u DISPLAY "$p" --version)" = "$p $version" ] || fault "$p --version is not $p $version"
done
# nachtblick-report finds its chart module where the package put it.
nachtblick-report chart 2024 --format png | head -c 4 | grep -q PNG ||
  fault "nachtblick-report chart draws nothing with the installed module"
# From an empty directory with an empty home, the places come from /etc.
mkdir "$work/home"
used=$(cd "$work/home" && env -u XDG_CONFIG_HOME HOME="$work/home" nachtblick-report places 2>&1 >/dev/null)
case $used in
  *"places from $conf"*) echo "$used" ;;
  *) fault "nachtblick-report places, from an empty directory and home: $used" ;;
esac
files=$(dpkg -L $packages)
echo "$(echo "$files" | wc -l) paths installed"
apt-get purge -y -qq $packages >/dev/null
for p in $packages; do
  # "un" or nothing: neither installed nor its configuration files kept.
  dpkg-query -W -f='${db:Status-Abbrev}\n' "$p" 2>/dev/null | grep -qv '^.n' &&
    fault "$p is still installed or has configuration files left"
done
# Every file is gone, and no directory the packages made is left empty.
for f in $files; do
  if [ -d "$f" ]; then
    [ -n "$(ls -A "$f")" ] || fault "empty directory $f left behind"
  elif [ -e "$f" ] || [ -L "$f" ]; then
    fault "$f left behind"
  fi
done
[ "$faults" -eq 0 ] || exit 1
echo "package: installed, checked and purged; nothing left behind"
