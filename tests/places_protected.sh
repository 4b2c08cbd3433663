#!/bin/sh
# SPDX-License-Identifier: MIT
# places --add leaves a protected place file alone: a file without its
# owner's write bit (reached through a symbolic link), a file in a folder
# without one, and a file the user may not write: status 1, one line on
# stderr naming the file or folder, nothing on stdout, the file (its inode)
# and its mode unchanged. Run as the current user and, when that is root,
# again as nobody (65534), since the mode bits do not stop root; without
# root that half is skipped.
#
#   tests/places_protected.sh PATH/TO/nachtblick-report
set -eu

report=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

# refused RUN FILE WHY: places --add run in the folder RUN, whose
# gtknblick.conf is (or links to) FILE, is refused with WHY.
refused() {
  before=$(stat -c '%a %i %s' "$2")
  status=0
  (cd "$1" && XDG_CONFIG_HOME="$1/cfg" "$report" places --add X 1 1 >out 2>err) || status=$?
  if [ "$status" -ne 1 ] || [ -s "$1/out" ] || [ "$(wc -l <"$1/err")" -ne 1 ] ||
    ! grep -qF "$3" "$1/err" || [ "$(stat -c '%a %i %s' "$2")" != "$before" ]; then
    echo "$(id -un): places --add in $1 not refused with \"$3\" (status $status):" >&2
    cat "$1/err" >&2
    exit 1
  fi
}

# The checks of the user running this in the new folder $1.
checks() {
  mkdir "$1/file" "$1/folder" "$1/run"
  echo '52 N 31  013 E 24 B' >"$1/file/real"
  chmod 444 "$1/file/real"
  ln -s real "$1/file/gtknblick.conf"
  refused "$1/file" "$1/file/real" "$1/file/real is write-protected (mode 0444)"
  echo '52 N 31  013 E 24 B' >"$1/folder/gtknblick.conf"
  chmod 555 "$1/folder"
  ln -s ../folder/gtknblick.conf "$1/run/gtknblick.conf"
  refused "$1/run" "$1/folder/gtknblick.conf" "$1/folder is write-protected (mode 0555)"
  chmod 755 "$1/folder"
}

if [ "${2-}" = as-user ]; then
  checks "$3"
  # A file of root's in this user's folder, which a rename would replace.
  refused "$3/root" "$3/root/gtknblick.conf" "cannot be written: Permission denied"
  exit 0
fi

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
checks "$work"
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the run as an unprivileged user is skipped"
  exit 0
fi
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
if ! command -v setpriv >/dev/null || ! as_nobody test -x "$report" -a -r "$0"; then
  echo "nobody cannot run $report or $0 (or no setpriv): that half is skipped"
  exit 0
fi
chmod 755 "$work"
mkdir -p "$work/nobody/root"
echo '52 N 31  013 E 24 B' >"$work/nobody/root/gtknblick.conf"
chown 65534:65534 "$work/nobody" "$work/nobody/root"
as_nobody sh "$0" "$report" as-user "$work/nobody"
echo "refused for root and for nobody"
