#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian packages nachtblick and nachtblick-report (and the
# source package) from a copy of the tracked files, so the work tree stays
# as it is, and checks them with lintian: any error or warning fails.
#
#   scripts/package.sh [--install-check] [OUT_DIR]     (default: build/deb)
#
# In a git checkout the copy holds the tracked files as they are in the work
# tree, changes not yet committed included; untracked files are left out. OUT_DIR
# receives the .deb, .dsc, .changes and .buildinfo files and lintian.txt.
# DEB_BUILD_OPTIONS is passed on (default: parallel=2); with nocheck the
# tests are not built.
#
# --install-check (as root) then installs both packages with apt-get, checks
# what arrived, purges them again and checks that nothing is left behind.
# It changes the system's packages, so it is never run by scripts/test.sh.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
install_check=no
if [ "${1:-}" = "--install-check" ]; then
  install_check=yes
  shift
fi
out=${1:-$root/build/deb}
mkdir -p "$out"
out=$(cd "$out" && pwd)
start=$(date +%s)

# The version comes from project() alone; debian/changelog must agree.
version=$(sed -n 's/^project(nachtblick VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
debian_version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
case $debian_version in
  "$version"-*) ;;
  *)
    echo "package: debian/changelog has $debian_version, project() has $version" >&2
    exit 1
    ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/nachtblick-$version
if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
  # git stash create makes a commit of the work tree's tracked files without
  # touching the tree or the stash; it prints nothing when the tree is clean.
  tree=$(git -C "$root" -c user.name=package -c user.email=package@localhost stash create)
  git -C "$root" archive --format=tar --prefix="nachtblick-$version/" "${tree:-HEAD}" |
    tar -x -C "$work"
else
  # Not a git checkout: everything but the build directories.
  mkdir "$src"
  tar -C "$root" --exclude='./build*' -cf - . | tar -x -C "$src"
fi
tar -C "$work" --exclude="nachtblick-$version/debian" -cJf \
  "$work/nachtblick_$version.orig.tar.xz" "nachtblick-$version"

echo "== dpkg-buildpackage nachtblick $debian_version"
(cd "$src" && DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS:-parallel=2} dpkg-buildpackage -us -uc) \
  >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "package: dpkg-buildpackage failed, see $out/build.log" >&2
  exit 1
}
rm -f "$out"/nachtblick*_"$version"*
for f in "$work"/nachtblick*_"$version"*; do
  [ -f "$f" ] && cp "$f" "$out/"
done
changes=$out/nachtblick_${debian_version}_$(dpkg --print-architecture).changes

echo "== lintian"
lintian -I --pedantic "$changes" >"$out/lintian.txt" 2>&1 || true
cat "$out/lintian.txt"
if grep -q '^[EW]: ' "$out/lintian.txt"; then
  echo "package: lintian reports errors or warnings" >&2
  exit 1
fi
# The text front end must install without GTK+ and X.
report_deb=$out/nachtblick-report_${debian_version}_$(dpkg --print-architecture).deb
depends=$(dpkg-deb -f "$report_deb" Depends)
if echo "$depends" | grep -Eq 'gtk|libx11|libgdk'; then
  echo "package: nachtblick-report depends on $depends" >&2
  exit 1
fi
echo "package: nachtblick and nachtblick-report $debian_version in $out, $(($(date +%s) - start)) s"

[ "$install_check" = yes ] || exit 0
echo "== install, check, purge"
arch=$(dpkg --print-architecture)
packages="nachtblick nachtblick-report"
faults=0
fault() {
  echo "package: $*" >&2
  faults=$((faults + 1))
}
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$out/nachtblick_${debian_version}_$arch.deb" \
  "$out/nachtblick-report_${debian_version}_$arch.deb" >/dev/null
for f in /usr/bin/nachtblick /usr/bin/kalender /usr/bin/nachtblick-report \
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
  /usr/share/doc/nachtblick/gtknblick.conf /usr/share/doc/nachtblick-report/gtknblick.conf; do
  [ -f "$f" ] || fault "$f is not installed"
done
for p in nachtblick kalender nachtblick-report; do
  [ "$(env -u DISPLAY "$p" --version)" = "$p $version" ] || fault "$p --version is not $p $version"
done
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
