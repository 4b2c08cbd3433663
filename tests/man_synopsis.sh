#!/bin/sh
# SPDX-License-Identifier: MIT
# Each form of a manual page's SYNOPSIS stands on a line of its own: the
# page rendered by groff with lines too long to wrap, no line names the
# program twice, and there are at least two forms.
#
#   tests/man_synopsis.sh PAGE.1...
#
# Exits 77 (skipped) without groff.
set -eu
command -v groff >/dev/null || { echo "man_synopsis: no groff, skipped"; exit 77; }
for page in "$@"; do
  name=$(basename "$page" .1)
  groff -man -Tascii -rLL=1000n -rHY=0 -P-cbu "$page" 2>/dev/null |
    awk -v p="$name" '/^SYNOPSIS/ { s = 1; next } /^[A-Z]/ { s = 0 }
      s { n = 0; for (i = 1; i <= NF; i++) n += $i == p; bad += n > 1; forms += n }
      END { exit bad > 0 || forms < 2 }' || {
    echo "man_synopsis: $page: two forms on one line, or fewer than two forms:" >&2
    groff -man -Tascii -rLL=1000n -rHY=0 -P-cbu "$page" 2>/dev/null | sed -n '/^SYNOPSIS/,/^DESCRIPTION/p' >&2
    exit 1
  }
done
