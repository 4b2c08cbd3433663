#!/bin/sh
# SPDX-License-Identifier: MIT
# The calendar export against the reports and read by real software:
#  1. every phase, eclipse (with Saros and gamma), season start and feast of
#     the export is what the moon, seasons and calendar reports print, for
#     years across 1000..3000, and sunrise and sunset are the minutes of the
#     rise and set report every fifth day of 2024 (plain python3);
#  2. python3-icalendar reads what `nachtblick-report ical` writes (lines,
#     UTF-8, UIDs, instants, feasts, escaped LOCATION);
#  3. khal imports it into a temporary calendar and lists the full moon of
#     22 June 2024 at 01:07 UTC.
#
#   tests/ical_check.sh PATH/TO/nachtblick-report
#
# Exits 77 (skipped) after part 1 when python3-icalendar or khal is missing
# (Debian packages python3-icalendar and khal; scripts/setup.sh installs
# them).
set -eu

report=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# One place whose name holds the TEXT specials and a Latin-1 o umlaut, one
# whose LOCATION line is 75 octets, the most that stays unfolded.
printf '52 N 31  013 E 24 Berlin; Mitte, \\ Sch\366neberg\n' >gtknblick.conf
printf '52 N 31  013 E 24 %s\n' "$(printf '\344%.0s' $(seq 27))Twelve chars" >>gtknblick.conf
# One whose name mixes well-formed UTF-8 with bytes that are none (overlong,
# surrogate, beyond U+10FFFF), which the export reads as Latin-1.
# One whose LOCATION line of 86 octets is folded, not inside an umlaut.
printf '52 N 31  013 E 24 x%s\n' "$(printf '\344%.0s' $(seq 38))" >>gtknblick.conf
printf '52 N 31  013 E 24 A\302\251\301\201\364\217\277\277\364\220\200\200\340\240\200\340\237\277\355\237\277\355\240\200\360\220\200\200\360\217\277\277\337\277;\n' \
  >>gtknblick.conf

"$python" - "$report" <<'EOF'
import datetime as dt, re, subprocess, sys

REPORT = sys.argv[1]
NAMES = {"Neumond": "Neumond", "Erstes Viertel": "Erstes Viertel", "Vollmond": "Vollmond",
         "Letzes Viertel": "Letztes Viertel", "SOFI partiell": "Partielle Sonnenfinsternis",
         "SOFI total": "Totale Sonnenfinsternis", "SOFI ringfoermig": "Ringförmige Sonnenfinsternis",
         "MOFI partiell": "Partielle Mondfinsternis", "MOFI total": "Totale Mondfinsternis",
         "Fruehling": "Frühlingsanfang", "Sommer": "Sommeranfang", "Herbst": "Herbstanfang",
         "Winter": "Winteranfang", "Ostern": "Ostersonntag", "Ch. Himmelf.": "Christi Himmelfahrt",
         "Pfingsten": "Pfingstsonntag", "Fronleichnam": "Fronleichnam",
         "Aschermittwoch": "Aschermittwoch"}
MONTHS = {"Januar": 1, "Jaenner": 1, "Februar": 2, "Maerz": 3, "April": 4, "Mai": 5, "Juni": 6,
          "Juli": 7, "August": 8, "Sept.": 9, "September": 9, "Oktober": 10, "November": 11,
          "Dez.": 12, "Dezember": 12}


def run(*args):
    return subprocess.run([REPORT, *map(str, args), "--today", "2026-02-06"],
                          capture_output=True, check=True).stdout.decode("utf-8", "replace")


def gregorian(y, m, d):
    """The proleptic Gregorian date of a date of the reports' calendar."""
    if (y, m, d) > (1582, 10, 14):
        return dt.date(y, m, d)
    a = (14 - m) // 12  # Julian Day Number of a Julian calendar date (Meeus ch. 7)
    jdn = d + (153 * (m + 12 * a - 3) + 2) // 5 + 365 * (y + 4800 - a) + (y + 4800 - a) // 4 - 32083
    return dt.date.fromordinal(jdn - 1721425)


def export(year, *place):
    events = set()
    text = run("ical", year, *place).replace("\r\n ", "")
    for block in text.split("BEGIN:VEVENT")[1:]:
        f = dict(re.findall(r"^([A-Z]+)[^:\r]*:(.*?)\r$", block, re.M))
        info = re.sub(r"\\(.)", r"\1", f.get("DESCRIPTION", ""))  # TEXT escapes
        events.add((f["SUMMARY"], f["DTSTART"], info))
    return events


def stamp(y, m, d, hh=0, mm=0, ss=0, zone=0):
    t = dt.datetime.combine(gregorian(y, m, d), dt.time()) + dt.timedelta(
        hours=hh - zone, minutes=mm, seconds=ss)
    return t.strftime("%Y%m%dT%H%M%SZ")


def from_reports(year):
    events = set()
    for day in range(0, 366, 3):
        d = dt.date(2001, 1, 1) + dt.timedelta(days=day)  # months and days only
        text = run("moonphase", year, d.month, d.day)
        for name, dd, mo, y, hh, mi, ss, saros, gamma in re.findall(
                r"Naechste[rs]? ([A-Za-z. ]+?): +(\d+)\. *(\d+)\.(\d+) um (\d+):(\d+):(\d+) \(UTC\)"
                r"[^\n]*(?:\n +\(Saros = +(\d+), Gamma = +(\S+)\))?", text):
            if int(y) == year:
                info = f"Saros {saros}, Gamma {float(gamma):.4f}" if saros else ""
                events.add((NAMES[name], stamp(*map(int, (y, mo, dd, hh, mi, ss))), info))
    for name, dd, mon, y, hh, mi, ss in re.findall(
            r"\n (\w+) +(\d+)\. (\S+) +(\d+) um (\d+):(\d+):(\d+)", run("seasons", year)):
        if int(y) == year:
            events.add((NAMES[name], stamp(int(y), MONTHS[mon], *map(int, (dd, hh, mi, ss))), ""))
    for name, dd, mon, y in re.findall(r"\n (.+?) ist am \w+, den (\d+)\. (\w+) (\d+)",
                                      run("calendar", year, 0)):
        events.add((NAMES[name], gregorian(year, MONTHS[mon], int(dd)).strftime("%Y%m%d"), ""))
    return events


for year in (1000, 1500, 1582, 1583, 2000, 2024, 2999):
    assert export(year) == from_reports(year), (year, export(year) ^ from_reports(year))
sun = {(s, t) for s, t, _ in export(2024, "--place", 0)} - {(s, t) for s, t, _ in export(2024)}
assert len(sun) == 2 * 366, len(sun)
for day in range(0, 366, 5):
    d = dt.date(2024, 1, 1) + dt.timedelta(days=day)
    text = run("riseset", 2024, d.month, d.day, "--place", 0)
    zone = 2 if "MESZ" in text else 1
    h1, m1, h2, m2 = map(int, re.search(r"Mond\n  (\d+):(\d+) / (\d+):(\d+)", text).groups())
    assert ("Sonnenaufgang", stamp(2024, d.month, d.day, h1, m1, zone=zone)) in sun, d
    assert ("Sonnenuntergang", stamp(2024, d.month, d.day, h2, m2, zone=zone)) in sun, d
lines = run("ical", 2024, "--place", 1).split("\r\n")
at = next(i for i, line in enumerate(lines) if line.startswith("LOCATION:"))
assert len(lines[at].encode()) == 75 and not lines[at + 1].startswith(" "), lines[at:at + 2]


def location(index):
    text = run("ical", 2024, "--place", index).replace("\r\n ", "")
    return re.search(r"\r\nLOCATION:(.*?)\r\n", text).group(1)


def as_utf8(name):
    """Well-formed UTF-8 characters kept, every other byte read as Latin-1."""
    out, i = "", 0
    while i < len(name):
        n = 1 if name[i] < 0x80 else 2 if 0xC2 <= name[i] <= 0xDF else 3 if 0xE0 <= name[i] <= 0xEF \
            else 4 if 0xF0 <= name[i] <= 0xF4 else 0
        try:
            char = name[i:i + n].decode("utf-8") if n else ""
        except UnicodeDecodeError:
            char = ""
        out, i = (out + char, i + n) if len(char) == 1 else (out + chr(name[i]), i + 1)
    return re.sub(r"([\\;,])", r"\\\1", out)


name = open("gtknblick.conf", "rb").read().split(b"\n")[3][18:]
assert location(3) == as_utf8(name), (location(3), as_utf8(name))
lines = run("ical", 2024, "--place", 2).encode().split(b"\r\n")
at = next(i for i, line in enumerate(lines) if line.startswith(b"LOCATION:"))
assert [len(line) for line in lines[at:at + 2]] == [74, 13] and lines[at + 2].startswith(b"GEO:")
print("ical_check: the exports hold what the reports print")
EOF

if ! "$python" -c 'import icalendar' 2>/dev/null; then
  echo "ical_check: python3-icalendar is missing, skipped"
  exit 77
fi
if ! command -v khal >/dev/null 2>&1; then
  echo "ical_check: khal is missing, skipped"
  exit 77
fi

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
