#!/bin/sh
# SPDX-License-Identifier: MIT
# The chart's files as nachtblick-report writes them for Berlin (place 2 of
# the example place file data/gtknblick.conf):
#  1. the PNG of 2024 is the picture of the README,
#     docs/chart-berlin-2024.png, byte for byte;
#  2. the SVG of 1000 is an SVG document to an XML parser (python3);
#  3. the PDF of 3000 opens in pdfinfo (poppler-utils), one page, with
#     --today as its creation date (not the clock's, so the same arguments
#     give the same file), the last year of four digits;
#  4. a copy of the program without the chart module beside it (unless
#     one is installed) still prints a text view, and a chart is an
#     installation fault: status 1, one line on stderr that names the
#     module, nothing on stdout.
#
#   tests/chart_check.sh PATH/TO/nachtblick-report INSTALLED_MODULE
#
# Exits 77 (skipped) after the PNG when python3 or pdfinfo is missing.
set -eu

report=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$0")/../data"
for run in "1000 svg" "3000 pdf" "2024 png"; do  # the years of the range's ends
  set -- $run
  "$report" chart "$1" --place 2 --format "$2" --today 9999-06-21 >"$work/1.$2"
done
cmp "$work/1.png" ../docs/chart-berlin-2024.png

if [ ! -e "$2" ]; then
  cp "$report" "$work/alone"
  "$work/alone" pi >/dev/null
  status=0
  "$work/alone" chart 2024 >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] && [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
    grep -q '^nachtblick-report: the chart module could not be loaded: .*nachtblick-chart' \
      "$work/err" || { echo "chart_check: without its module, status $status:"; cat "$work/err"; exit 1; }
fi

if [ ! -x /usr/bin/python3 ] || ! command -v pdfinfo >/dev/null; then
  echo "chart_check: python3 or pdfinfo is missing, skipped"
  exit 77
fi
/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as x
assert x.parse(sys.argv[1]).getroot().tag == "{http://www.w3.org/2000/svg}svg"' "$work/1.svg"
pdfinfo -isodates "$work/1.pdf" >"$work/info"
grep -qx 'Pages: *1' "$work/info"
grep -qx 'CreationDate: *9999-06-21T00:00:00Z' "$work/info"
