#!/bin/sh
# SPDX-License-Identifier: MIT
# Takes the screenshots in docs/screenshots/: starts nachtblick and kalender
# on a virtual X display of their own, types a fixed date into the entries,
# clicks every report button once and saves the window after each click as
# an 8-bit PNG; for nachtblick also the window of the eclipses, its open
# Datei menu, the dialog that adds a place, filled in and then with a
# longitude it refuses, and the city search.
#
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
#
# Needs Xvfb, xdotool, xwininfo and ImageMagick (import, convert). The
# button positions are worked out from the window's size and the fixed
# layout of each window (border 45, the paddings between the rows, the
# requested size of the text area), so the script does not depend on the
# screen size.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
out=$root/docs/screenshots
nachtblick=$build/nachtblick/nachtblick
kalender=$build/kalender/kalender

for tool in Xvfb xdotool xwininfo import convert timeout; do
  command -v "$tool" >/dev/null 2>&1 || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
for prog in "$nachtblick" "$kalender"; do
  [ -x "$prog" ] || { echo "screenshots: $prog is not built" >&2; exit 1; }
done
mkdir -p "$out"

# The programs run in a scratch directory holding the example place file,
# on the first free display (Xvfb writes its number to the file on fd 3).
# -noreset: the server must not reset when the first program ends, or the
# next connection may be refused while it does.
work=$(mktemp -d)
server=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
cp "$root/data/gtknblick.conf" "$work/"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
server=$!
n=0
until [ -s "$work/display" ]; do
  n=$((n + 1))
  [ $n -le 100 ] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

window=""
left_x=0
top_y=0
width=0
height=0
bh=0
eh=0

# wait_window TITLE: the window of that title (a regular expression), once shown.
wait_window() {
  found=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  [ -n "$found" ] || { echo "screenshots: no window \"$1\" appeared" >&2; exit 1; }
  echo "$found"
}

# start PROGRAM TITLE: starts a program and waits for its window.
start() {
  (cd "$work" && exec "$1" >/dev/null 2>&1) &
  program=$!
  window=$(wait_window "^$2\$")
  eval "$(xdotool getwindowgeometry --shell "$window")"
  left_x=$X
  top_y=$Y
  width=$WIDTH
  height=$HEIGHT
  sleep 0.5
}

stop() {
  kill "$program"
  wait "$program" 2>/dev/null || true
  program=""
}

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.4
}

# type_into X Y TEXT: replaces the text of the entry at X, Y.
type_into() {
  xdotool mousemove --window "$window" "$1" "$2" click --repeat 3 1
  xdotool type --delay 30 "$3"
  sleep 0.2
}

# shot NAME [WINDOW]: saves the window (or the screen where it is, with
# the menus open over it: WINDOW root) as docs/screenshots/NAME.png, 8 bits
# a pixel.
shot() {
  sleep 0.3
  if [ "${2:-}" = root ]; then
    import -window root -crop "${width}x${height}+$left_x+$top_y" "$work/shot.png"
  else
    import -window "${2:-$window}" "$work/shot.png"
  fi
  convert "$work/shot.png" -strip +repage -colors 64 "PNG8:$out/$1.png"
  echo "screenshots: $out/$1.png"
}

# The height of the first open menu's top below the window's top (a menu
# of the program that stands apart from its window).
menu_y() {
  y=$(xwininfo -root -tree |
    sed -n 's/.*"nachtblick": ("nachtblick" "org.example.nachtblick").*+\([0-9]*\)$/\1/p' | head -n 1)
  [ -n "$y" ] || { echo "screenshots: no menu opened" >&2; exit 1; }
  echo $((y - top_y))
}

# --- nachtblick -----------------------------------------------------------
# From the top: the menu bar (mh); border 45; the date table (2 button
# rows, padding 10); the entry row (padding 10); the text area (280 high,
# padding 15); the button table (5 rows, padding 10); border 45. So height
# = mh + 460 + 7 * bh + eh, and an entry is 2 pixels lower than a button.
# F10 opens the first menu, which drops down from the menu bar's lower
# edge less the bar's 2-pixel shadow.
start "$nachtblick" "Kalender & Nachtblick light"
xdotool key --window "$window" F10
sleep 0.4
mh=$(($(menu_y) + 2))
xdotool key --window "$window" Escape
bh=$(((height - mh - 460 + 2) / 8))
eh=$((bh - 2))
third1=$((45 + (width - 90) / 6))
third2=$((width / 2))
third3=$((width - 45 - (width - 90) / 6))
left=$((45 + (width - 90) / 4))
right=$((width - 45 - (width - 90) / 4))
entry_y=$((mh + 45 + 10 + 2 * bh + 10 + 10 + eh / 2))
row() { echo $((height - 55 - (5 - $1) * bh + bh / 2)); }

type_into $third1 $entry_y 2024
type_into $third2 $entry_y 6
type_into $third3 $entry_y 21

click $left "$(row 0)";  shot nachtblick-kalender
click $right "$(row 0)"; shot nachtblick-mondphasen
click $right "$(row 1)"; shot nachtblick-jahreszeiten
click $right "$(row 2)"; shot nachtblick-auf-untergaenge
click $left "$(row 2)";  shot nachtblick-pi
click $right "$(row 4)"; shot nachtblick-information
type_into $third2 $entry_y 0
click $left "$(row 0)";  shot nachtblick-feiertage
# Ansicht (Alt+A), Finsternisse am Ort (f): the eclipses of 2026 at the
# first place, in a window of their own, which Escape closes.
type_into $third1 $entry_y 2026
xdotool key --window "$window" alt+a f
eclipses=$(wait_window "^Finsternisse 2026 ")
shot nachtblick-finsternisse "$eclipses"
# Escape typed over the window (its release reaches the one below), then
# the pointer back on the year entry.
xdotool mousemove --window "$eclipses" 10 10 key Escape
xdotool mousemove --window "$window" $third1 $entry_y
xdotool key --window "$window" F10
shot nachtblick-menue root
xdotool key --window "$window" Escape
# Orte (Alt+O), Ort hinzufuegen (h): the name field has the focus, Tab
# selects the text of the next one.
xdotool key --window "$window" alt+o h
dialog=$(wait_window "^Ort hinzufuegen\$")
sleep 0.3
xdotool type --delay 30 "Sydney (Australia)"
for text in -33.8667 151.2167 Australia/Sydney; do
  xdotool key Tab
  xdotool type --delay 30 -- "$text"
done
shot nachtblick-ort-hinzufuegen "$dialog"
# Shift+Tab back to the longitude, which takes one beyond 180 degrees;
# Return adds the place, and the dialog says what is wrong.
xdotool key shift+Tab
xdotool type --delay 30 -- 251.2167
xdotool key Return
shot nachtblick-ort-fehler "$dialog"
# Escape closes it; Orte, Ort suchen (s): the list of the cities found for
# "Graz", which fills while the name is typed.
xdotool key --window "$dialog" Escape
sleep 0.3
xdotool key --window "$window" alt+o s
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "^Ort suchen\$" | head -n 1)
[ -n "$dialog" ] || { echo "screenshots: no dialog \"Ort suchen\" appeared" >&2; exit 1; }
sleep 0.3
xdotool type --delay 30 "Graz"
sleep 1.5
shot nachtblick-ort-suchen "$dialog"
stop

# --- kalender -------------------------------------------------------------
# From the top: border 45; the step table (2 rows, padding 10); the year
# entry (padding 15); the month entry (padding 25); the text area (200
# high, padding 35); four buttons (no padding); border 45. So height =
# 460 + 6 * bh + 2 * eh.
start "$kalender" "Kalender"
bh=$(((height - 456) / 8))
eh=$((bh - 2))
middle=$((width / 2))
year_y=$((45 + 10 + 2 * bh + 10 + 15 + eh / 2))
month_y=$((year_y + eh / 2 + 15 + 25 + eh / 2))
compute_y=$((height - 45 - 4 * bh + bh / 2))

type_into $middle $year_y 2024
type_into $middle $month_y 6
click $middle $compute_y; shot kalender-monat
type_into $middle $month_y 0
click $middle $compute_y; shot kalender-feiertage
stop
