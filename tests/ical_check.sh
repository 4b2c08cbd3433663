#!/bin/sh
# SPDX-License-Identifier: MIT
# The calendar export read by a real parser and imported by a real client:
# python3-icalendar reads what `nachtblick-report ical` writes (lines, UTF-8,
# UIDs, instants, feasts, escaped LOCATION), and khal imports it into a
# temporary calendar and lists the full moon of 22 June 2024 at 01:07 UTC.
#
#   tests/ical_check.sh PATH/TO/nachtblick-report
#
# Exits 77 (skipped) when python3-icalendar or khal is missing (Debian
# packages python3-icalendar and khal; scripts/setup.sh installs them).
set -eu

report=$1
python=/usr/bin/python3
if ! "$python" -c 'import icalendar' 2>/dev/null; then
  echo "ical_check: python3-icalendar is missing, skipped"
  exit 77
fi
if ! command -v khal >/dev/null 2>&1; then
  echo "ical_check: khal is missing, skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# One place whose name holds the TEXT specials and a Latin-1 o umlaut.
printf '52 N 31  013 E 24 Berlin; Mitte, \\ Sch\366neberg\n' >gtknblick.conf
"$report" ical 2024 --today 2026-02-06 >2024.ics
"$report" ical 2024 --place 0 --today 2026-02-06 >2024-berlin.ics
"$report" ical 1500 --today 2026-02-06 >1500.ics

"$python" - <<'EOF'
import datetime as dt
import icalendar

UTC = dt.timezone.utc


def load(name):
    raw = open(name, "rb").read()
    assert raw.endswith(b"\r\n"), name
    lines = raw[:-2].split(b"\r\n")
    for line in lines:
        assert len(line) <= 75 and b"\r" not in line and b"\n" not in line, line
        line.decode("utf-8")  # raises on no UTF-8 or a fold inside a sequence
    open_components = []
    for line in lines:
        if line.startswith(b"BEGIN:"):
            open_components.append(line[6:])
        if line.startswith(b"END:"):
            assert open_components.pop() == line[4:], line
    assert not open_components, name
    events = icalendar.Calendar.from_ical(raw).walk("VEVENT")
    uids = [str(e["UID"]) for e in events]
    assert len(uids) == len(set(uids)), name
    return {(str(e["SUMMARY"]), e.decoded("DTSTART")): e for e in events}


y2024 = load("2024.ics")
assert ("Vollmond", dt.datetime(2024, 6, 22, 1, 7, 47, tzinfo=UTC)) in y2024
eclipse = y2024[("Totale Sonnenfinsternis", dt.datetime(2024, 4, 8, 18, 17, 41, tzinfo=UTC))]
assert str(eclipse["DESCRIPTION"]) == "Saros 139, Gamma 0.3437"
assert ("Frühlingsanfang", dt.datetime(2024, 3, 20, 3, 6, 30, tzinfo=UTC)) in y2024
assert ("Ostersonntag", dt.date(2024, 3, 31)) in y2024
assert sum(s == "Vollmond" for s, _ in y2024) == 12

berlin = load("2024-berlin.ics")
sunrises = [e for (s, _), e in berlin.items() if s == "Sonnenaufgang"]
assert len(sunrises) == 366
assert str(sunrises[0]["LOCATION"]) == "Berlin; Mitte, \\ Schöneberg", sunrises[0]["LOCATION"]

assert ("Ostersonntag", dt.date(1500, 4, 29)) in load("1500.ics")
print("ical_check: python3-icalendar reads the exports")
EOF

export TZ=UTC XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_CONFIG_HOME/khal" "$XDG_DATA_HOME" "$work/calendars/nachtblick"
cat >"$XDG_CONFIG_HOME/khal/config" <<EOF
[calendars]
[[nachtblick]]
path = $work/calendars/nachtblick
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
default_timezone = UTC
local_timezone = UTC
[default]
default_calendar = nachtblick
EOF
khal import --batch -a nachtblick 2024.ics
listed=$(khal list --format '{start-time} {title}' 2024-06-22 1d)
echo "$listed"
echo "$listed" | grep -qx '01:07 Vollmond'
echo "ical_check: khal lists the full moon of 22 June 2024 at 01:07 UTC"
