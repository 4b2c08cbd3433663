#!/bin/sh
# SPDX-License-Identifier: MIT
# The calendar export as other software reads it. What it holds is the
# golden tests/data/ical.txt, checked by tests/data/crosscheck.py; this adds
# what only real readers and place names show:
#  1. python3-icalendar parses `nachtblick-report ical` for a year, a Julian
#     year and, with sunrise and sunset, at four places whose names hold the
#     TEXT specials, Latin-1 bytes, bytes that are no UTF-8 and control
#     characters: every UID once; every line ends in CR LF, has at most 75
#     octets and is UTF-8 on its own (no fold inside a sequence); a
#     LOCATION of exactly 75 octets stays whole; LOCATION escaped as TEXT,
#     the names read back as UTF-8;
#     Each --events kind alone parses, every event with one CATEGORIES;
#     no DTEND before its DTSTART; at Reykjavik (64 N) the golden hours of
#     a year one a day, none twice and none overlapping the next;
#  2. khal imports the year into a temporary calendar and lists the full
#     moon of 22 June 2024 at the minute the file gives, and the golden
#     hour, lunar eclipse and perigee that --events adds.
# It is the one check of the 75-octet limit: the golden export pins where
# the lines are folded.
#
#   tests/ical_check.sh PATH/TO/nachtblick-report
#
# Exits 77 (skipped) when python3-icalendar or khal is missing (Debian
# packages python3-icalendar and khal; scripts/setup.sh installs them).
set -eu

report=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
if ! /usr/bin/python3 -c 'import icalendar' 2>/dev/null || ! command -v khal >/dev/null 2>&1; then
  echo "ical_check: python3-icalendar or khal is missing, skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The TEXT specials and a Latin-1 o umlaut; a LOCATION line of 75 octets,
# the most that stays whole; one of 86 octets, folded beside an umlaut; a
# name of well-formed UTF-8, bytes that are none (overlong, surrogate,
# beyond U+10FFFF; read as Latin-1) and control characters (blanks).
{
  printf '52 N 31  013 E 24 Berlin; Mitte, \\ Sch\366neberg \342\202x\303\200\n'
  printf '52 N 31  013 E 24 %s\n' "$(printf '\344%.0s' $(seq 27))Twelve chars"
  printf '52 N 31  013 E 24 x%s\n' "$(printf '\344%.0s' $(seq 38))"
  printf '52 N 31  013 E 24 \302\251\301\201\364\217\277\277\364\220\200\200\340\240\200\340\237\277\355\237\277\355\240\200\360\220\200\200\360\217\277\277\365\200\200\200;\001\177\n'
} >gtknblick.conf
mkdir north
for args in "2024" "1500" "2024 --place 0" "2024 --place 1" "2024 --place 2" "2024 --place 3"; do
  # shellcheck disable=SC2086
  "$report" ical $args --today 2026-02-06 >"$(echo "$args" | tr -d ' -')".ics
done
# Each kind of event alone, and the kinds at a place that only --events adds.
for kind in phases eclipses seasons feasts sun golden apsides local-eclipses; do
  "$report" ical 2024 --place 0 --events $kind --today 2026-02-06 >"events-$kind.ics"
done
"$report" ical 2024 --place 0 --events golden,apsides,local-eclipses >chosen.ics
# A year of golden hours at 64 N: nights that cross midnight, white nights,
# winter days with the Sun below +6 degrees.
printf '64 N 09  021 W 57 Reykjavik [Atlantic/Reykjavik]\n' >north/gtknblick.conf
(cd north && "$report" ical 2026 --place 0 --events golden --today 2026-02-06 >../golden-64n.ics)

/usr/bin/python3 - <<'EOF'
import datetime as dt
import glob
import icalendar

NAMES = ["Berlin; Mitte, \\ Schöneberg â\x82xÀ", "ä" * 27 + "Twelve chars", "x" + "ä" * 38,
         "©Á\x81\U0010ffffô\x90\x80\x80\u0800à\x9f¿\ud7ffí\xa0\x80\U00010000ð\x8f¿¿õ\x80\x80\x80;  "]
for name in glob.glob("*.ics"):
    raw = open(name, "rb").read()
    assert raw.endswith(b"\r\n"), name
    lines = raw[:-2].split(b"\r\n")
    for line in lines:
        assert len(line) <= 75 and b"\r" not in line and b"\n" not in line, (name, line)
        line.decode("utf-8")  # raises on a fold inside a sequence
    events = icalendar.Calendar.from_ical(raw).walk("VEVENT")
    uids = [str(e["UID"]) for e in events]
    assert len(uids) == len(set(uids)), name
    assert events and all("CATEGORIES" in e for e in events), name
    for e in events:
        assert "DTEND" not in e or e.decoded("DTEND") > e.decoded("DTSTART"), (name, e["UID"])
    if name.startswith("events-"):  # one kind: one category
        assert len({str(e["CATEGORIES"].cats[0]) for e in events}) == 1, name
    if "place" in name:
        text = NAMES[int(name[-5])]
        line = ("LOCATION:" + text.replace("\\", "\\\\").replace(";", "\\;")
                .replace(",", "\\,")).encode()
        assert b"\r\n" + line + b"\r\n" in raw.replace(b"\r\n ", b""), (name, line)
        assert len(line) != 75 or line in lines, name  # 75 octets stay whole
        assert {str(e["LOCATION"]) for e in events if "LOCATION" in e} == {text}, name
golden = sorted((e.decoded("DTSTART"), e.decoded("DTEND")) for e in icalendar.Calendar.from_ical(
    open("golden-64n.ics", "rb").read()).walk("VEVENT"))
assert 360 <= len(golden) <= 370, len(golden)
for (b1, e1), (b2, e2) in zip(golden, golden[1:]):
    assert e1 < b2 and dt.timedelta(hours=12) < b2 - b1 < dt.timedelta(hours=36), (b1, e1, b2)
moon = [e for e in icalendar.Calendar.from_ical(open("2024.ics", "rb").read()).walk("VEVENT")
        if e["SUMMARY"] == "Vollmond" and e.decoded("DTSTART").date() == dt.date(2024, 6, 22)]
open("full-moon", "w").write(f"{moon[0].decoded('DTSTART'):%H:%M} Vollmond")
print("ical_check: python3-icalendar reads the exports; lines, UIDs, LOCATION, DTEND and the"
      " golden hours at 64 N hold")
EOF

export TZ=UTC XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_CONFIG_HOME/khal" "$XDG_DATA_HOME" "$work/calendar" "$work/chosen"
printf '[calendars]\n[[nb]]\npath = %s\n[[chosen]]\npath = %s\n[locale]\ntimeformat = %%H:%%M\ndateformat = %%Y-%%m-%%d\ndefault_timezone = UTC\nlocal_timezone = UTC\n' \
  "$work/calendar" "$work/chosen" >"$XDG_CONFIG_HOME/khal/config"
khal import --batch -a nb 2024.ics
khal list -a nb --format '{start-time} {title}' 2024-06-22 1d | grep -x "$(cat full-moon)"
echo "ical_check: khal lists the full moon of 22 June 2024 as the file has it"
# The events of a place that only --events adds, in a calendar of their own.
khal import --batch -a chosen chosen.ics
for day in "2024-06-22 Goldene Stunde" "2024-09-18 Mondfinsternis (partiell)" \
  "2024-01-13 Erdnähe des Mondes"; do
  khal list -a chosen --format '{title}' "${day%% *}" 1d | grep -qx "${day#* }"
done
echo "ical_check: khal lists a golden hour, a lunar eclipse and a perigee chosen by --events"
