#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the measurement program (nb_accuracy) and the reference script
(reference.js on astronomy-engine) side by side, pairs their values, and
writes docs/accuracy.md from docs/accuracy.md.in with its plots. Called by
scripts/accuracy.sh; Python standard library and tests/oracle.py, plots
with gnuplot."""

import argparse
import bisect
import collections
import concurrent.futures
import csv
import dataclasses
import functools
import math
import os
import statistics
import string
import subprocess
import sys
import time
from typing import Optional

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests"))
from oracle import date_of, jd_of  # noqa: E402

MAIN = (1900, 2100)
WIDE = (1000, 3000)
WINDOWS = (MAIN, WIDE)
DAY = 86400.0
MJD = 2400000.5
RISESET_STEP = {MAIN: 25, WIDE: 250}  # rise and set: every n-th day
ILLUM_STEP = {MAIN: 1, WIDE: 10}
EVENT_NAMES = {0: "Sun", 1: "Moon", -1: "civil twilight", -2: "nautical twilight",
               -3: "astronomical twilight"}
EVENT_ORDER = (0, 1, -1, -2, -3)
PHASE_NAMES = ("new moon", "first quarter", "full moon", "last quarter")
SEASON_NAMES = ("March equinox", "June solstice", "September equinox", "December solstice")
SOLAR_KINDS = ("partial", "total", "annular")
LUNAR_KINDS = ("partial", "total")
STATS_HEAD = ("| quantity | window | sample | max | median | 95th percentile | signed mean "
              "| years |\n|---|---|--:|--:|--:|--:|--:|---|")


@dataclasses.dataclass
class Pair:
    """One value of the program and the reference's: errors are program
    minus reference, in seconds (percentage points for the illuminated
    fraction)."""
    year: int
    kind: object = None  # quarter 0..3, season 1..4, "solar"/"lunar", rise and set event
    ut: float = 0.0  # error in universal time
    tt: float = 0.0  # error in dynamical time
    ddt: float = 0.0  # Delta T, program minus reference
    adj: float = 0.0  # the program's own adjustment of the phases of 2000..2020
    dyear: float = 0.0  # decimal year, for the plots
    extra: float = 0.0  # phases: against the package's own quarter; eclipses: abs(gamma)
    run: Optional[tuple] = None  # the window a sampled quantity was run for
    place: int = -1
    jd: float = 0.0  # views: the program's instant (UT JD), for the lists of cases
    note: str = ""  # views: what the case is, for the lists of cases

    @property
    def unadjusted(self):  # the UT error without the adjustment
        return self.ut - self.adj


# An eclipse of either side with its kind on both ("none": not found): body
# "solar" or "lunar", year, instant ut, the program's kind pk and the
# reference's rk, the program's gamma, u and lunation n (None when its node
# test rejected the lunation), the reference's abs(gamma) rgamma.
Eclipse = dataclasses.make_dataclass("Eclipse", "body year ut pk rk gamma u n rgamma".split())


@dataclasses.dataclass
class Row:
    """One row of a statistics table: the pairs of a quantity (of the
    kinds given), their value, shown with digits decimals and the unit."""
    label: str
    src: str
    kinds: Optional[tuple] = None  # None: all
    value: str = "ut"
    digits: int = 1
    unit: str = "s"
    window: Optional[tuple] = None  # None: one row for each window


TWILIGHTS = (-1, -2, -3)

# The views of a place and of the Moon's distance.
LOCAL = (1900, 2100)  # eclipses at places
SUN_YEARS = (2000, 2030)  # the sun view
SUN_STEP = 1  # every n-th day
BAND_YEARS = (2026, 2030)  # the golden and blue hours as whole intervals
BAND_LEVELS = {"golden": (-4.0, 6.0), "blue": (-6.0, -4.0)}
APSIS_YEARS = (2000, 2100)  # apsides and the distances at new and full moon
UP_ALTITUDE = -50.0 / 60.0  # the views' "up": the centre's geometric altitude above -50'
GRAZE = 0.5  # degrees from that line within which "up" is not compared
LOCAL_PLOT_LIMIT = 60  # seconds
GRAZE_SUN = 0.1  # degrees: a day whose extreme altitude is this near an event's is grazing
SOLAR_CONTACTS = ("C1", "C2", "MAX", "C3", "C4")
LUNAR_CONTACTS = ("P1", "U1", "U2", "MAX", "U3", "U4", "P4")
LOCAL_KINDS = {-1: "none", 0: "partial", 1: "total", 2: "annular"}
SUN_EVENTS = ("rise", "set", "transit", "blue_am_begin", "blue_am_end", "golden_am_begin",
              "golden_am_end", "golden_pm_begin", "golden_pm_end", "blue_pm_begin",
              "blue_pm_end")
SUN_EDGES = SUN_EVENTS[3:]  # the hours' intervals, whole (a begin may repeat an end)
SUN_ALTITUDES = {"rise": UP_ALTITUDE, "set": UP_ALTITUDE}  # the hours': the reference's level
VIEW_NAMES = {"local": "eclipses", "sun": "sun", "bands": "sun", "moon": "moon distance"}


@dataclasses.dataclass
class Check:
    """One criterion: the pairs of a quantity (of the kinds given) within
    the window, and the limit of the absolute error."""
    label: str
    src: str
    kinds: Optional[tuple]
    limit: float
    window: tuple
    digits: int = 1
    unit: str = "s"


CHECKS = {
    "local": [
        Check("Solar eclipse at a place, first and last contact (C1, C4)", "local_time",
              ("C1", "C4"), 30, LOCAL),
        Check("Solar eclipse at a place, local maximum", "local_time", ("MAX",), 30, LOCAL),
        Check("Solar eclipse at a place, second and third contact (C2, C3)", "local_time",
              ("C2", "C3"), 10, LOCAL),
        Check("Solar eclipse at a place, magnitude", "local_mag", ("magnitude",), 0.01, LOCAL,
              4, ""),
        Check("Solar eclipse at a place, obscuration", "local_mag", ("obscuration",), 0.01,
              LOCAL, 4, ""),
        Check("Sun's apparent altitude at the eclipse's instants", "local_alt", ("Sun",), 0.1,
              LOCAL, 4, "deg"),
        Check("Moon's apparent altitude at the lunar contacts", "local_alt", ("Moon",), 0.1,
              LOCAL, 4, "deg"),
        Check("Lunar eclipse, penumbral contacts (P1, P4)", "lunar_contacts", ("P1", "P4"), 30,
              LOCAL),
        Check("Lunar eclipse, umbral contacts (U1, U4)", "lunar_contacts", ("U1", "U4"), 30,
              LOCAL),
        Check("Lunar eclipse, totality (U2, U3)", "lunar_contacts", ("U2", "U3"), 30, LOCAL),
        Check("Lunar eclipse, greatest eclipse", "lunar_contacts", ("MAX",), 30, LOCAL)],
    "sun": [
        Check("Sunrise and sunset", "sun_time", ("rise", "set"), 60, SUN_YEARS),
        Check("Transit", "sun_time", ("transit",), 30, SUN_YEARS, 2),
        Check("Edges of the golden and blue hours", "sun_time", SUN_EDGES, 60, SUN_YEARS, 2),
        Check("Sun's altitude at all events", "sun_alt", None, 0.05, SUN_YEARS, 5, "deg"),
        Check("Sun's azimuth at all events, on the sky (times cos altitude)", "sun_az", None,
              0.05, SUN_YEARS, 5, "deg")],
    "bands": [
        Check("Golden hour as whole intervals, begin and end", "band_time", ("golden",), 60,
              BAND_YEARS, 2),
        Check("Blue hour as whole intervals, begin and end", "band_time", ("blue",), 60,
              BAND_YEARS, 2)],
    "moon": [
        Check("Perigee, instant", "apsis_time", ("perigee",), 35, APSIS_YEARS, 1, "min"),
        Check("Apogee, instant", "apsis_time", ("apogee",), 35, APSIS_YEARS, 1, "min"),
        Check("Perigee, distance", "apsis_dist", ("perigee",), 25, APSIS_YEARS, 2, "km"),
        Check("Apogee, distance", "apsis_dist", ("apogee",), 25, APSIS_YEARS, 2, "km"),
        Check("Distance at new moon", "phase_dist", ("new",), 20, APSIS_YEARS, 2, "km"),
        Check("Distance at full moon", "phase_dist", ("full",), 20, APSIS_YEARS, 2, "km")],
}


def instant_rows(what, src):
    return [Row(what + ", UT", src), Row(what + ", TT", src, value="tt"),
            Row("Delta T, program minus reference", src, value="ddt", digits=2)]


# The quantities, each giving one table of the page (the summary first).
TABLES = {
    "summary": [
        Row("Moon phases", "phases"),
        Row("Illuminated fraction at 0h", "illum", digits=3, unit="pp"),
        Row("Solar eclipses, greatest eclipse", "eclipses", ("solar",)),
        Row("Lunar eclipses, greatest eclipse", "eclipses", ("lunar",)),
        Row("Equinoxes and solstices", "seasons"),
        Row("Sun rise and set", "riseset", (0,)),
        Row("Moon rise and set", "riseset", (1,)),
        Row("Twilights (civil, nautical, astronomical)", "riseset", TWILIGHTS)],
    "phases": instant_rows("phase instant", "phases") + [
        Row(name + ", UT", "phases", (q,), window=MAIN) for q, name in enumerate(PHASE_NAMES)] + [
        Row("phase instant, UT", "phases", window=(2000, 2020)),
        Row("the same without the 2000..2020 adjustment", "phases", value="unadjusted",
            window=(2000, 2020)),
        Row("phase instant, UT, against the package's own quarters", "phases", value="extra",
            window=MAIN)],
    "illum": [Row("illuminated fraction at 0h UT", "illum", digits=3, unit="pp")],
    "eclipses": [Row(f"{body} eclipse, {what}", "eclipses", (body,), *fields)
                 for body in ("solar", "lunar") for what, *fields in (
                     ("greatest eclipse, UT", "ut"), ("greatest eclipse, TT", "tt"),
                     ("abs(gamma)", "extra", 4, ""))],
    "seasons": instant_rows("season start", "seasons") + [
        Row(name + ", UT", "seasons", (s + 1,), window=MAIN)
        for s, name in enumerate(SEASON_NAMES)],
    "riseset": [Row(EVENT_NAMES[t], "riseset", (t,)) for t in EVENT_ORDER],
}


# ---------------------------------------------------------------- dates

@functools.lru_cache(maxsize=None)
def year_start(y):
    return jd_of(y, 1, 1)


def year_of(jd):
    return date_of(jd)[0]


def decimal_year(jd):
    y = year_of(jd)
    return y + (jd - year_start(y)) / (year_start(y + 1) - year_start(y))


def datestr(jd, with_time=True):  # to the nearest minute, or the date
    y, m, d = date_of(jd + 0.5 / 1440 if with_time else jd)
    minutes = int((d - int(d)) * 1440)
    return "%04d-%02d-%02d" % (y, m, d) + (" %02d:%02d" % divmod(minutes, 60) if with_time else "")


def in_window(year, w):
    return w[0] <= year <= w[1]


# ------------------------------------------------- pairing and statistics

def pair(prog, ref, key, near=None):
    """Each program row with the reference row of the same key: the one
    nearest in the time column `near` within a day, or without `near` the
    one with that key. Returns (program row, reference row or None) for
    each program row, and the reference rows that none took."""
    groups, out, used = {}, [], set()
    for r in sorted(ref, key=lambda r: r[near]) if near else ref:
        groups.setdefault(key(r), []).append(r)
    times = {k: [r[near] for r in g] for k, g in groups.items()} if near else {}
    for p in prog:
        g = groups.get(key(p), [])
        if near:
            j = bisect.bisect_left(times.get(key(p), []), p[near])
            g = sorted((r for r in g[max(j - 1, 0):j + 1] if abs(r[near] - p[near]) <= 1.0),
                       key=lambda r: abs(r[near] - p[near]))
        out.append((p, g[0] if g else None))
        used.add(id(out[-1][1]))
    return out, [r for r in ref if id(r) not in used]


def stats(pairs, value):
    """Sample size, maximum, median and 95th percentile (nearest rank) of
    the absolute value, the signed mean and the years covered."""
    errs = [getattr(p, value) for p in pairs]
    if not errs:
        return None
    n, a, years = len(errs), sorted(abs(e) for e in errs), [p.year for p in pairs]
    return {"n": n, "max": a[-1], "median": statistics.median(a),
            "p95": a[math.ceil(0.95 * n) - 1], "mean": sum(errs) / n,
            "years": "%d..%d" % (min(years), max(years))}


def fmt(x, digits):
    return "%.*f" % (digits, x)


def select(pairs, w, kinds=None):
    """The pairs of the window (of its run, or of its years) and kinds."""
    return [p for p in pairs if (p.run == w if p.run else in_window(p.year, w))
            and (kinds is None or p.kind in kinds)]


def stats_row(label, w, s, digits, unit):
    if s is None:
        return "| %s | %d..%d | 0 | | | | | |" % (label, w[0], w[1])
    u = (" " + unit) if unit else ""
    cells = "".join(" %s%s |" % (fmt(s[k], digits), u) for k in ("max", "median", "p95", "mean"))
    return "| %s | %d..%d | %d |%s %s |" % (label, w[0], w[1], s["n"], cells, s["years"])


def table(rows, data):
    """The statistics table of the rows: those without a window once for
    each window, window by window, then the others."""
    out = [STATS_HEAD]
    for r, w in [(r, w) for w in WINDOWS for r in rows if not r.window] + [
            (r, r.window) for r in rows if r.window]:
        s = stats(select(data[r.src], w, r.kinds), r.value)
        out.append(stats_row(r.label, w, s, r.digits, r.unit))
    return "\n".join(out)


def check_table(checks, data):
    """The statistics of each criterion with its limit and how many pairs
    lie beyond it."""
    out = ["| quantity | years | sample | max | median | 95th percentile | signed mean | limit "
           "| beyond |", "|---|---|--:|--:|--:|--:|--:|--:|--:|"]
    for c in checks:
        sel = select(data[c.src], c.window, c.kinds)
        s = stats(sel, "ut")
        u = (" " + c.unit) if c.unit else ""
        if s is None:
            out.append("| %s | %d..%d | 0 | | | | | %g%s | |" % (c.label, *c.window, c.limit, u))
            continue
        beyond = sum(1 for p in sel if abs(p.ut) > c.limit)
        out.append("| %s | %d..%d | %d |%s %g%s | %d |" % (
            c.label, *c.window, s["n"], "".join(" %s%s |" % (fmt(s[k], c.digits), u)
                                                 for k in ("max", "median", "p95", "mean")),
            c.limit, u, beyond))
    return "\n".join(out)


def views_summary(data):
    """Every criterion of the views in one table: maximum, limit and how
    many lie beyond it."""
    out = ["| view | quantity | sample | max | limit | beyond |", "|---|---|--:|--:|--:|--:|"]
    for view, checks in CHECKS.items():
        for c in checks:
            sel = select(data[c.src], c.window, c.kinds)
            u = (" " + c.unit) if c.unit else ""
            out.append("| %s | %s | %d | %s%s | %g%s | %d |" % (
                VIEW_NAMES[view], c.label, len(sel), fmt(max((abs(p.ut) for p in sel), default=0),
                                                         c.digits), u, c.limit, u,
                sum(1 for p in sel if abs(p.ut) > c.limit)))
    return "\n".join(out)


def moon_spread(data):
    """How far each distance error lies from its check's mean at most."""
    parts = []
    for c in CHECKS["moon"]:
        if c.unit == "km":
            e = [p.ut for p in select(data[c.src], c.window, c.kinds)]
            mean = sum(e) / len(e)
            parts.append("%s %s km" % (c.kinds[0] + ("s" if c.src == "apsis_dist" else " moons"),
                                        fmt(max(abs(x - mean) for x in e), 1)))
    return ", ".join(parts)


def beyond_table(checks, data, places, limit=None):
    """Every pair beyond its criterion: place, instant, quantity, error and
    what the case is; at most limit rows per criterion (the largest)."""
    out = ["| place | date (UT) | quantity | program minus reference | note |",
           "|---|---|---|--:|---|"]
    for c in checks:
        sel = sorted((p for p in select(data[c.src], c.window, c.kinds) if abs(p.ut) > c.limit),
                     key=lambda p: -abs(p.ut))
        for p in sel[:limit]:
            out.append("| %s | %s | %s | %s %s | %s |" % (
                places[p.place][0] if p.place >= 0 else "", datestr(p.jd), "%s: %s" % (
                    c.label, p.kind) if c.kinds is None or len(c.kinds) > 1 else c.label,
                fmt(p.ut, c.digits), c.unit, p.note))
    return "\n".join(out) if len(out) > 2 else "None."


def bins_table(pairs):
    """Mean and maximum errors in 200-year bins."""
    rows = ["| years | sample | mean error TT | max abs error TT | mean error UT "
            "| max abs error UT | mean Delta T difference |", "|---|--:|--:|--:|--:|--:|--:|"]
    for b0 in range(WIDE[0], WIDE[1], 200):
        b1 = b0 + 199 if b0 + 200 < WIDE[1] else WIDE[1]
        tt, ut, ddt = (stats(select(pairs, (b0, b1)), v) for v in ("tt", "ut", "ddt"))
        if tt:
            rows.append("| %d..%d | %d | %s s | %s s | %s s | %s s | %s s |" % (
                b0, b1, tt["n"], fmt(tt["mean"], 1), fmt(tt["max"], 1), fmt(ut["mean"], 1),
                fmt(ut["max"], 1), fmt(ddt["mean"], 2)))
    return "\n".join(rows)


def quadfit(xs, ys):
    """Least-squares a + b x + c x^2."""
    s = [sum(x ** k for x in xs) for k in range(5)]
    t = [sum(y * x ** k for x, y in zip(xs, ys)) for k in range(3)]
    m = [[s[i + j] for j in range(3)] for i in range(3)]
    det = lambda m: sum(m[0][i] * (m[1][(i + 1) % 3] * m[2][(i + 2) % 3]
                                   - m[1][(i + 2) % 3] * m[2][(i + 1) % 3]) for i in range(3))
    return [det([[t[i] if j == k else m[i][j] for j in range(3)] for i in range(3)]) / det(m)
            for k in range(3)]  # Cramer's rule


def poly_text(c):
    """a + b T + c T^2 with the signs written as such."""
    sign = lambda v, digits: ("- " if v < 0 else "+ ") + fmt(abs(v), digits)
    return "%s %s T %s T^2" % (fmt(c[0], 1), sign(c[1], 1), sign(c[2], 2))


# ------------------------------------------------------------- the values

def read_csv(path):  # numbers as floats
    with open(path) as f:
        return [{k: float(v) if v[:1] in tuple("-0123456789") else v for k, v in r.items()}
                for r in csv.DictReader(f)]


def moon_phases(prog, ref):
    prog = [p for p in prog if in_window(year_of(p["ut"]), WIDE)]
    paired, left = pair(prog, ref, lambda r: r.get("quarter", r.get("phase")), "ut")
    pairs = [Pair(year_of(p["ut"]), int(p["phase"]), (p["ut"] - r["ut"]) * DAY,
                  (p["tt"] - r["tt"]) * DAY, p["dt"] - (r["tt"] - r["ut"]) * DAY,
                  (p["ut"] - (p["tt"] - p["dt"] / DAY)) * DAY, decimal_year(p["ut"]),
                  (p["ut"] - r["pkg"]) * DAY) for p, r in paired if r]
    unpaired = sum(1 for _, r in paired if r is None)
    return pairs, unpaired, sum(1 for r in left if in_window(year_of(r["ut"]), WIDE))


def seasons(prog, ref):
    paired, _ = pair(prog, ref, lambda r: (r["year"], r["season"]))
    return [Pair(int(p["year"]), int(p["season"]), (p["ut"] - r["ut"]) * DAY,
                 (p["tt"] - r["tt"]) * DAY, p["dt"] - (r["tt"] - r["ut"]) * DAY,
                 dyear=decimal_year(p["ut"])) for p, r in paired]


def illumination(prog, ref, w):
    paired, _ = pair(prog, ref, lambda r: r["mjd"])
    return [Pair(year_of(p["mjd"] + MJD), ut=(p["fraction"] - r["fraction"]) * 100.0, run=w)
            for p, r in paired]


def eclipses(prog, ref):
    body = lambda r: r.get("body") or ("solar", "lunar")[int(r["kind"])]  # the reference's, ours
    misses = [p for p in prog if p["type"] == -1]
    found = [p for p in prog if p["type"] != -1 and in_window(year_of(p["ut"]), WIDE)]
    paired, left = pair(found, ref, body, "ut")
    pairs, records = [], []
    for p, r in paired:
        b, year = body(p), year_of(p["ut"])
        records.append(Eclipse(b, year, p["ut"], (SOLAR_KINDS if b == "solar" else LUNAR_KINDS)[
            int(p["type"])], r["kind"] if r else "none", p["gamma"], p["u"], int(p["n"]),
            r["gamma"] if r else None))
        if r:
            pairs.append(Pair(year, b, (p["ut"] - r["ut"]) * DAY, (p["tt"] - r["tt"]) * DAY,
                              dyear=decimal_year(p["ut"]), extra=abs(p["gamma"]) - r["gamma"]))
    for r in left:
        if in_window(year_of(r["ut"]), WIDE):
            m = next((m for m in misses if body(m) == r["body"] and abs(m["ut"] - r["ut"]) <= 1.0),
                     None)
            records.append(Eclipse(r["body"], year_of(r["ut"]), r["ut"], "none", r["kind"],
                                   m and m["gamma"], m and m["u"], m and int(m["n"]), r["gamma"]))
    records.sort(key=lambda e: e.ut)
    return pairs, records


def eclipse_note(e, c):
    """Why the two sides name an eclipse differently, from the program's
    gamma and u and its thresholds c (astro/eclipse.h)."""
    if e.gamma is None:
        return "the program's node test (abs(sin F) <= %r) rejects the lunation" % c["node"]
    g, pk, rk, u = abs(e.gamma), e.pk, e.rk, e.u
    if e.body == "solar":
        if rk == "partial" and pk in ("total", "annular"):
            if g > c["central"]:
                return ("non-central (abs(gamma) > %r): the program names the kind of the umbra's "
                        "touch, the reference calls every eclipse whose axis misses the Earth "
                        "partial" % c["central"])
            return ("central for the program (abs(gamma) < %r), the reference's axis just "
                    "misses the flattened Earth" % c["central"])
        if {pk, rk} == {"total", "annular"}:
            lim = c["annular_total"] * math.sqrt(max(0.0, 1 - e.gamma * e.gamma))
            return ("annular-total (hybrid): u = %.5f against the program's limit %.5f; the "
                    "reference names the kind at greatest eclipse" % (u, lim))
        if pk == "none":
            return ("no eclipse for the program: abs(gamma) > %r + u = %.4f"
                    % (c["solar"], c["solar"] + u))
        if pk == "partial":
            return "at the program's central limit %r + abs(u) = %.4f" % (
                c["central"], c["central"] + abs(u))
        return ""
    mu = (c["umbral"] - u - g) / c["umbral_width"]
    if pk == "partial" and rk == "penumbral":
        if mu <= 0:
            return ("umbral magnitude %.4f: partial only through the %r limit of the program's "
                    "no-eclipse test" % (mu, c["lunar"]))
        return "umbral magnitude %.4f, just above 0" % mu
    if {pk, rk} == {"partial", "total"}:
        return "at the total limit: (%r - u)^2 - gamma^2 = %.5f" % (
            c["totality"], (c["totality"] - u) ** 2 - e.gamma * e.gamma)
    return "umbral magnitude %.4f by the program's series" % mu if pk == "none" else ""


def agrees(e):
    return e.pk == e.rk or (e.body == "lunar" and e.pk == "none" and e.rk == "penumbral")


def confusion(records, body, w, rows, cols):
    sel = [e for e in records if e.body == body and in_window(e.year, w)]
    lines = ["| program \\ reference | " + " | ".join(cols) + " |", "|---|" + "--:|" * len(cols)]
    for pk in rows:
        n = [sum(1 for e in sel if e.pk == pk and e.rk == rk) for rk in cols]
        lines.append("| %s | %s |" % (pk, " | ".join(("**%d**" % k) if pk == rk and k else str(k)
                                                    for k, rk in zip(n, cols))))
    return "\n".join(lines)


def disagreement_table(records, c):
    return "\n".join(["| date (UT) | lunation | program | reference | program gamma "
                      "| reference abs(gamma) | why |", "|---|--:|---|---|--:|--:|---|"] + [
        "| %s | %s | %s %s | %s %s | %s | %s | %s |" % (
            datestr(e.ut), "" if e.n is None else e.n, e.body, e.pk, e.body, e.rk,
            "" if e.gamma is None else "%.4f" % e.gamma, "%.4f" % e.rgamma, eclipse_note(e, c))
        for e in records])


def horizon_text(t, above):
    return (("nie sichtbar", "immer sichtbar") if t >= 0 else ("immer dunkel", "immer hell"))[above]


def crossing_text(rise, set_):
    return ", ".join("%s %02d:%02d" % (w, *divmod(int(round(h * 60)), 60))
                     for w, h in (("rise", rise), ("set", set_)) if h != "")


CROSS = ("both", "prog", "ref", "unpaired")
NOCROSS = ("days", "above", "below", "disagree", "prog_only", "ref_only", "ref_check")


def riseset(prog, ref, w):
    """The errors (per event and place), the counts per event of CROSS and
    NOCROSS: how often each side finds a crossing, the days without one,
    and those days on which the two disagree."""
    errs, count, cases = [], collections.Counter(), []
    paired, left = pair(prog, ref, lambda r: (r["place"], r["mjd"], r["type"]))
    assert not left and all(r for _, r in paired)
    for p, r in paired:
        place, mjd, t, flags = int(p["place"]), int(p["mjd"]), int(p["type"]), int(p["flags"])
        for bit, k in ((1, "rise"), (2, "set")):
            pf, rf = flags & bit, r["day" + k] != ""
            if pf and r[k] != "":
                errs.append(Pair(year_of(mjd + MJD), t, (p[k] - r[k]) * 3600.0, run=w, place=place))
            count[t, "unpaired"] += bool(pf) and r[k] == ""
            count[t, "both" if pf and rf else "prog" if pf else "ref"] += bool(pf or rf)
        pnone, rnone = (flags & 3) == 0, r["dayrise"] == "" and r["dayset"] == ""
        pabove, rabove = bool(flags & 4), r["alt0"] > 0
        count[t, "ref_check"] += rnone and (r["extreme"] > 0) != rabove  # its search missed one
        if pnone or rnone:
            count[t, "days"] += 1
            if pnone and rnone and pabove == rabove:
                count[t, "above" if pabove else "below"] += 1
                continue
            count[t, "disagree" if pnone and rnone else "prog_only" if pnone else "ref_only"] += 1
            cases.append((place, mjd, t, horizon_text(t, pabove) if pnone else crossing_text(
                p["rise"] if flags & 1 else "", p["set"] if flags & 2 else ""),
                horizon_text(t, rabove) if rnone else crossing_text(r["dayrise"], r["dayset"])))
    return errs, count, cases


# ------------------------------------------------------------ the views

def group(rows, key):
    """The rows by key, in their order."""
    g = {}
    for r in rows:
        g.setdefault(key(r), []).append(r)
    return g


def nearest(cands, jd, within=1.0):
    """Of the (instant, value) candidates the one nearest jd, within days."""
    best = min(cands, key=lambda c: abs(c[0] - jd), default=None)
    return best if best is not None and abs(best[0] - jd) <= within else None


def up_check(count, prog_up, geos):
    """Counts one comparison of "up": the program's flag against the
    reference's geometric altitudes (its own instant first), unless one of
    them lies within GRAZE of the line."""
    if any(abs(g - UP_ALTITUDE) < GRAZE for g in geos):
        count["grazing"] += 1
    else:
        count["same" if prog_up == (geos[0] > UP_ALTITUDE) else "differ"] += 1


def local_eclipses(prog, at, solar_ref, lunar_ref):
    """The eclipses at places: pairs of contact instants (local_time,
    lunar_contacts), magnitude and obscuration (local_mag) and altitudes
    (local_alt); the local kinds of both sides; the counts of "up"; the
    rows of the plot."""
    for r, a in zip(prog, at):
        r["ref_alt"], r["ref_geo"] = a["alt"], a["geo"]
    data = {k: [] for k in ("local_time", "local_mag", "local_alt", "lunar_contacts")}
    up = {b: collections.Counter() for b in ("Sun", "Moon")}
    kinds, one_sided = [], []
    for r in prog:
        if r["event"] != "none":
            body = "Moon" if r["body"] == "lunar" else "Sun"
            data["local_alt"].append(Pair(year_of(r["jd"]), body, r["alt"] - r["ref_alt"],
                                          place=int(r["place"]), jd=r["jd"],
                                          note="%s %s" % (r["body"], r["event"])))
    # solar: by place and greatest eclipse, paired with the reference's at the place
    ref = group(solar_ref, lambda r: (int(r["place"]), r["peak"]))
    by_place = group(ref.items(), lambda kv: kv[0][0])
    used = set()
    for (place, greatest), rows in group([r for r in prog if r["body"] == "solar"],
                                         lambda r: (int(r["place"]), r["greatest"])).items():
        m = {r["event"]: r for r in rows if r["event"] != "none"}
        match = nearest([(k[1], k) for k, _ in by_place.get(place, [])],
                        m["MAX"]["jd"] if m else greatest)
        rm = {r["event"]: r for r in ref[match[1]]} if match else {}
        if match:
            used.add(match[1])
        if not m and not match:
            continue  # not seen at the place by either side
        pk = LOCAL_KINDS[int(rows[0]["local"])]
        ends = [m[c]["alt"] for c in ("C1", "C4") if c in m]
        if m and not any(a > 0 for a in ends):
            pk = "below the horizon at C1 and C4"
        rk = next(iter(rm.values()))["kind"] if rm else "not reported"
        kinds.append((place, m["MAX"]["jd"] if m else greatest, pk, rk,
                      bool(ends) and min(abs(a) for a in ends) < GRAZE, rows[0]["magnitude"]))
        if not rm or not m:
            continue
        year = year_of(m["MAX"]["jd"])
        for k in ("magnitude", "obscuration"):
            data["local_mag"].append(Pair(year, k, rows[0][k] - next(iter(rm.values()))[k],
                                          place=place, jd=m["MAX"]["jd"]))
        for c in SOLAR_CONTACTS:
            if c in m and c in rm:
                data["local_time"].append(Pair(
                    year, c, (m[c]["jd"] - rm[c]["jd"]) * DAY, dyear=decimal_year(m[c]["jd"]),
                    place=place, jd=m[c]["jd"], note="magnitude %.4f" % rows[0]["magnitude"]))
                up_check(up["Sun"], m[c]["up"], (rm[c]["geo"], m[c]["ref_geo"]))
    for key, rows in ref.items():
        if key not in used:
            kinds.append((key[0], key[1], "no eclipse", rows[0]["kind"], False, 0.0))
    # lunar: the contacts of the eclipse (the same at every place), the Moon's altitude per place
    glob = group([r for r in lunar_ref if r["place"] == ""], lambda r: r["peak"])
    geo = {(int(r["place"]), r["peak"], r["event"]): r["geo"] for r in lunar_ref
           if r["place"] != ""}
    for (place, greatest), rows in group([r for r in prog if r["body"] == "lunar"],
                                         lambda r: (int(r["place"]), r["greatest"])).items():
        match = nearest([(k, k) for k in glob], greatest)
        if not match:
            one_sided.append((greatest, "the whole eclipse", "program"))
            continue
        rm = {r["event"]: r for r in glob[match[1]]}
        m = {r["event"]: r for r in rows}
        for c in LUNAR_CONTACTS:
            if c in m and c in rm:
                if place == 0:
                    data["lunar_contacts"].append(Pair(
                        year_of(m[c]["jd"]), c, (m[c]["jd"] - rm[c]["jd"]) * DAY,
                        dyear=decimal_year(m[c]["jd"]), jd=m[c]["jd"],
                        note="%s, umbral contacts by the reference: %s" % (
                            LOCAL_KINDS[int(rows[0]["global"])], rm[c]["kind"])))
                if (place, match[1], c) in geo:  # none when the reference's is penumbral
                    up_check(up["Moon"], m[c]["up"], (geo[place, match[1], c], m[c]["ref_geo"]))
            elif place == 0 and (c in m or c in rm):
                one_sided.append((m[c]["jd"] if c in m else rm[c]["jd"], c,
                                  "program" if c in m else "reference"))
    return data, kinds, up, one_sided


def kinds_table(kinds):
    rows = ("partial", "total", "annular", "below the horizon at C1 and C4", "none", "no eclipse")
    cols = ("partial", "total", "annular", "not reported")
    lines = ["| program \\ reference | " + " | ".join(cols) + " |", "|---|" + "--:|" * len(cols)]
    for pk in rows:
        n = [sum(1 for k in kinds if k[2] == pk and k[3] == rk) for rk in cols]
        if any(n):
            lines.append("| %s | %s |" % (pk, " | ".join(
                ("**%d**" % x) if x and kind_agrees(pk, rk) else str(x) for x, rk in zip(n, cols))))
    return "\n".join(lines)


def edge_table(kinds, places):
    """At the places near the limits of a path ("DATE north|south limit
    in|out"): the kinds of that date's eclipse on both sides."""
    out = ["| place | program | reference | program's magnitude |", "|---|---|---|--:|"]
    for i, (name, *_) in enumerate(places):
        if " limit " not in name:
            continue
        jd = jd_of(*(int(x) for x in name.split()[0].split("-")))
        k = min((k for k in kinds if k[0] == i), key=lambda k: abs(k[1] - jd))
        out.append("| %s | %s | %s | %.4f |" % (name, k[2], k[3], k[5]))
    return "\n".join(out)


def kind_agrees(pk, rk):
    return pk == rk or (pk.startswith("below") and rk == "not reported")


def kind_cases(kinds, places):
    bad = [k for k in kinds if not kind_agrees(k[2], k[3])]
    return "\n".join(["| place | date (UT) | program | reference | program's magnitude | note |",
                      "|---|---|---|---|--:|---|"] + [
        "| %s | %s | %s | %s | %.4f | %s |" % (
            places[p][0], datestr(jd), pk, rk, mag,
            "the Sun within %g deg of the horizon at C1 or C4" % GRAZE if graze else "")
        for p, jd, pk, rk, graze, mag in sorted(bad, key=lambda k: k[1])]) if bad else "None."


def sun_days(prog, ref):
    """The sun view against the reference: time, altitude and azimuth
    pairs (sun_time, sun_alt, sun_az), per event the counts of days with
    the event on both sides, on neither, on one only, and the days on
    which they differ."""
    data = {k: [] for k in ("sun_time", "sun_alt", "sun_az")}
    count, cases = collections.Counter(), []
    for p, r in zip(prog, ref):
        e = p["event"]
        pj, rj, place, year = p["jd"], r["ref"], int(p["place"]), year_of(p["mjd"] + MJD)
        h = SUN_ALTITUDES.get(e, None if r["level"] == "" else r["level"])
        margin = None if h is None else min(abs(r["high"] - h), abs(r["low"] - h))
        note = "" if margin is None else "the day's extreme altitude %.3f deg from the event's" % (
            margin)
        if pj:
            data["sun_alt"].append(Pair(year, e, p["alt"] - r["alt"], place=place, jd=pj))
            az = ((p["az"] - r["az"] + 180.0) % 360.0 - 180.0) * math.cos(math.radians(p["alt"]))
            data["sun_az"].append(Pair(year, e, az, place=place, jd=pj))
        if pj and rj != "" and abs(pj - rj) < 1 / 24:
            count[e, "both"] += 1
            data["sun_time"].append(Pair(year, e, (pj - rj) * DAY, place=place, jd=pj, note=note,
                                         extra=-1.0 if margin is None else margin))
            continue
        if not pj and rj == "":
            count[e, "neither"] += 1
            continue
        count[e, "differ"] += 1
        edge = min(abs(t - b) for t in (pj, rj) if t not in (0.0, "")
                   for b in (p["jd1"], p["jd2"])) * DAY
        why = ("grazing" if margin is not None and margin < GRAZE_SUN else
               "at the day's edge" if edge < 120 else "other")
        count[e, why] += 1
        cases.append((place, p["mjd"], e, pj, rj, why, note))
    return data, count, cases


SUN_COUNTS = ("both", "neither", "differ", "grazing", "at the day's edge", "other")


def sun_tables(count, cases, places):
    at = lambda jd: "-" if jd in (0.0, "") else datestr(jd)[11:]
    counts = "\n".join(
        ["| event | days | on both sides | on neither | they differ | of these: grazing "
         "| at the day's edge | other |", "|---|--:|--:|--:|--:|--:|--:|--:|"] + [
            "| %s | %d | %s |" % (e, count[e, "both"] + count[e, "neither"] + count[e, "differ"],
                                  " | ".join(str(count[e, k]) for k in SUN_COUNTS))
            for e in SUN_EVENTS])
    listed = "\n".join(["| place | local day | event | program (UT) | reference (UT) | why |",
                        "|---|---|---|---|---|---|"] + [
        "| %s | %s | %s | %s | %s | %s%s |" % (places[pl][0], datestr(mjd + MJD, False), e,
                                               at(pj), at(rj), why, (": " + note) if note else "")
        for pl, mjd, e, pj, rj, why, note in cases]) if cases else "None."
    return counts, listed


def band_margin(culminations, jd, level):
    """How near the Sun's altitude comes to level at the culminations
    within 18 hours of jd, degrees (None: none there)."""
    i = bisect.bisect_left(culminations, (jd,))
    near = [alt for t, alt in culminations[max(i - 2, 0):i + 2] if abs(t - jd) <= 0.75]
    return min((abs(alt - level) for alt in near), default=None)


def sun_bands(prog, ref, culm):
    """The golden and blue hours as whole intervals against the reference's:
    the intervals of a place and band paired where they overlap, in time
    order; the pairs of begin and end (band_time, in seconds), the counts,
    and every interval found by one side only or with an edge beyond 60 s,
    with how near the day's extreme altitude came to the edge."""
    data, count, cases = {"band_time": []}, collections.Counter(), []
    culms = {p: [(r["jd"], r["alt"]) for r in rows]
             for p, rows in group(culm, lambda r: int(r["place"])).items()}
    num = lambda x, inf: inf if x == "" else x
    for key in sorted(set(group(prog, lambda r: (int(r["place"]), r["band"])))
                      | set(group(ref, lambda r: (int(r["place"]), r["band"])))):
        ps = [r for r in prog if (int(r["place"]), r["band"]) == key]
        rs = [r for r in ref if (int(r["place"]), r["band"]) == key]
        place, band = key
        low, high = BAND_LEVELS[band]
        def note(r):
            m = [band_margin(culms.get(place, []), r[e], lv) for e, lv in (
                ("begin", low if r["beginrising"] == 1 else high),
                ("end", high if r["endrising"] == 1 else low)) if r[e] != ""]
            m = [x for x in m if x is not None]
            return min(m) if m else None
        i = j = 0
        while i < len(ps) or j < len(rs):
            p, r = ps[i] if i < len(ps) else None, rs[j] if j < len(rs) else None
            if p and r and num(p["begin"], -1e99) < num(r["end"], 1e99) and \
                    num(r["begin"], -1e99) < num(p["end"], 1e99):
                count[band, "paired"] += 1
                if (p["beginrising"], p["endrising"]) != (r["beginrising"], r["endrising"]):
                    count[band, "directions"] += 1
                for e in ("begin", "end"):
                    if r[e] == "":
                        count[band, "reference open"] += 1
                        continue
                    d = (p[e] - r[e]) * DAY
                    m = note(r)
                    data["band_time"].append(Pair(year_of(p[e]), band, d, place=place, jd=p[e]))
                    if abs(d) > 60:
                        cases.append((place, band, "%s differs by %.1f s" % (e, d), p, r, m))
                i, j = i + 1, j + 1
                continue
            later = lambda x: num(x["end"], 1e99)
            if r is None or (p is not None and later(p) < later(r)):
                count[band, "program only"] += 1
                cases.append((place, band, "program only", p, None, note(p)))
                i += 1
            else:
                count[band, "reference only"] += 1
                cases.append((place, band, "reference only", None, r, note(r)))
                j += 1
        count[band, "program"] += len(ps)
        count[band, "reference"] += len(rs)
        count[band, "not found"] += sum(1 for p in ps if p["flags"] != 0)
    return data, count, cases


BAND_COUNTS = ("program", "reference", "paired", "program only", "reference only", "directions",
               "not found")


def band_tables(count, cases, places):
    at = lambda r: "-" if r is None else "%s to %s" % (
        datestr(r["begin"]) if r["begin"] != "" else "?", datestr(r["end"]) if r["end"] != ""
        else "?")
    counts = "\n".join(
        ["| band | intervals of the program | of the reference | paired | the program's only "
         "| the reference's only | entered or left the other way | edges not found |",
         "|---|--:|--:|--:|--:|--:|--:|--:|"] +
        ["| %s | %s |" % (band, " | ".join(str(count[band, k]) for k in BAND_COUNTS))
         for band in BAND_LEVELS])
    listed = "\n".join(["| place | band | what | program (UT) | reference (UT) | day's extreme "
                        "from the edge |", "|---|---|---|---|---|--:|"] + [
        "| %s | %s | %s | %s | %s | %s |" % (places[pl][0], band, what, at(p), at(r),
                                            "" if m is None else "%.3f deg" % m)
        for pl, band, what, p, r, m in cases]) if cases else "None."
    return counts, listed


def moon_distances(prog, ref, apsides):
    """The apsides paired with the reference's of the same kind, and the
    distances at new and full moon (apsis_time, apsis_dist, phase_dist);
    the counts of unpaired apsides on either side."""
    data = {k: [] for k in ("apsis_time", "apsis_dist", "phase_dist")}
    for p, r in zip(prog, ref):
        if p["event"] in ("new", "full"):
            data["phase_dist"].append(Pair(year_of(p["ut"]), p["event"],
                                           p["distance"] - r["distance"], jd=p["ut"]))
    aps = [p for p in prog if p["event"] in ("perigee", "apogee")]
    paired, left = pair(aps, apsides, lambda r: r["event"], "ut")
    for p, r in paired:
        if r:
            y = year_of(p["ut"])
            data["apsis_time"].append(Pair(y, p["event"], (p["ut"] - r["ut"]) * 1440.0,
                                           dyear=decimal_year(p["ut"]), jd=p["ut"]))
            data["apsis_dist"].append(Pair(y, p["event"], p["distance"] - r["distance"],
                                           dyear=decimal_year(p["ut"]), jd=p["ut"]))
    return data, sum(1 for _, r in paired if r is None), len(left)


# ---------------------------------------------------------------- plots

def plot(work, name, rows, **v):
    """Writes the rows as the data file NAME.dat and draws a plot of
    plots.gp with the variables v."""
    v["data"] = os.path.join(work, name + ".dat")
    with open(v["data"], "w") as f:
        f.writelines(" ".join(str(x) for x in r) + "\n" for r in rows)
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "plots.gp")
    subprocess.run(["gnuplot", "-e", "; ".join("%s=%r" % kv for kv in v.items()), script],
                   check=True)


def error_vs_year(pairs, name, title, png, work):
    plot(work, name, [("%.3f" % p.dyear, "%.4f" % (p.ut / 60.0), "%.3f" % (p.ut - p.tt))
                      for p in pairs], kind="year", out=png,
         heading=title + ": program minus reference")


def riseset_hist(errs, png, work, width=5, limit=240):
    cols = []
    for t in EVENT_ORDER:
        e = [p.ut for p in errs if p.kind == t]
        h = [0] * (2 * limit // width)
        for x in e:
            h[int(math.floor((max(-limit, min(limit - 1e-9, x)) + limit) / width))] += 1
        cols.append([100.0 * x / (len(e) or 1) for x in h])
    plot(work, "riseset", [["x"] + ['"%s"' % EVENT_NAMES[t] for t in EVENT_ORDER]] + [
        ["%g" % (-limit + (i + 0.5) * width)] + ["%.4f" % c[i] for c in cols]
        for i in range(2 * limit // width)], kind="riseset", out=png, limit=limit,
        heading="Rise, set and twilight times 1900..2100: program minus reference (%d s bins; "
        "beyond +-%d s in the end bins)" % (width, limit))


# --------------------------------------------------------------- running

def run(cmd, path, env):
    with open(path, "w") as f:
        subprocess.run([str(c) for c in cmd], stdout=f, check=True, env=env)
    return path


def load_places(path):
    with open(path) as f:
        rows = [l.rstrip("\n").split(";") for l in f if l.strip() and not l.startswith("#")]
    return [(name, float(lat), float(lon), int(zone)) for name, lat, lon, zone in rows]


def run_all(args):
    """Runs both sides, args.jobs at a time, and reads their CSV: for each
    quantity the program's rows and the reference's. The rise and set
    reference works from the program's rows."""
    pool = concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs)
    env = dict(os.environ, NODE_PATH=args.node_path)
    path = lambda name: os.path.join(args.work, name + ".csv")
    prog = lambda name, *a: pool.submit(run, [args.program, *a], path(name + "_prog"), env)
    ref = lambda name, *a: pool.submit(run, ["node", args.reference, *a], path(name + "_ref"), env)
    jd0, jd1 = "%.1f" % (year_start(WIDE[0]) - 3), "%.1f" % (year_start(WIDE[1] + 1) + 3)
    mjd = {w: (int(year_start(w[0]) - MJD), int(year_start(w[1] + 1) - MJD) - 1) for w in WINDOWS}
    rs = {w: prog("riseset_%d" % w[0], "riseset", args.places, *mjd[w], RISESET_STEP[w])
          for w in WINDOWS}
    jobs = {"constants": (prog("constants", "constants"), None)}
    for name, a, b in (("phases", jd0, jd1), ("eclipses", jd0, jd1), ("seasons", *WIDE)):
        jobs[name] = (prog(name, name, *WIDE), ref(name, name, a, b))
    for w in WINDOWS:
        jobs["illum", w] = (prog("illum_%d" % w[0], "illum", *mjd[w], ILLUM_STEP[w]),
                            ref("illum_%d" % w[0], "illum", *mjd[w], ILLUM_STEP[w]))
    jd = lambda w: ("%.1f" % year_start(w[0]), "%.1f" % year_start(w[1] + 1))
    mjd[SUN_YEARS] = tuple(int(year_start(y) - MJD) for y in (SUN_YEARS[0], SUN_YEARS[1] + 1))
    views = {"placeeclipses": prog("placeeclipses", "placeeclipses", args.eclipse_places, *LOCAL),
             "sunday": prog("sunday", "sunday", args.sun_places, mjd[SUN_YEARS][0],
                            mjd[SUN_YEARS][1] - 1, SUN_STEP),
             "moondistance": prog("moondistance", "moondistance", *APSIS_YEARS)}
    jobs["sunbands"] = (prog("sunbands", "sunbands", args.band_places, *BAND_YEARS),
                        ref("sunbands", "sunbands", args.band_places, *jd(BAND_YEARS)))
    b0, b1 = jd(BAND_YEARS)
    jobs["culminations"] = (ref("culminations", "culminations", args.band_places,
                                "%.1f" % (float(b0) - 45), "%.1f" % (float(b1) + 45)), None)
    jobs["localeclipses"] = (ref("localeclipses", "localeclipses", args.eclipse_places,
                                 *jd(LOCAL)), None)
    jobs["lunareclipses"] = (ref("lunareclipses", "lunareclipses", args.eclipse_places,
                                 *jd(LOCAL)), None)
    jobs["apsides"] = (ref("apsides", "apsides", *jd(APSIS_YEARS)), None)
    for w in WINDOWS:
        jobs["riseset", w] = (rs[w], ref("riseset_%d" % w[0], "riseset", args.places,
                                         rs[w].result()))
    for name, places in (("moondistance", None), ("placeeclipses", args.eclipse_places),
                         ("sunday", args.sun_places)):
        what = "eclipsesat" if name == "placeeclipses" else name
        jobs[name] = (views[name], ref(name, what, *([places] if places else []),
                                       views[name].result()))
    return {k: [read_csv(f.result()) if f else None for f in fs] for k, fs in jobs.items()}


# --------------------------------------------------------------- the page

def cases_table(cases, places):
    return "\n".join(["| place | date | event | program | reference |", "|---|---|---|---|---|"] + [
        "| %s | %s | %s | %s | %s |" % (places[place][0], datestr(mjd + MJD, False),
                                         EVENT_NAMES[t], ptxt, rtxt)
        for place, mjd, t, ptxt, rtxt in cases])


def riseset_tables(rs, data, places):
    """The places, the crossings found by either side and the days
    without one."""
    main = select(data, MAIN)
    v = {"place_table": "\n".join(
        ["| place | latitude | longitude | zone | Sun: 95th pct / max | Moon: 95th pct / max "
         "| twilights: 95th pct / max |", "|---|--:|--:|--:|--:|--:|--:|"] + [
            "| %s | %.2f | %.2f | %+d | %s |" % (name, lat, lon, zone, " | ".join(
                "" if s is None else "%s s / %s s" % (fmt(s["p95"], 0), fmt(s["max"], 0))
                for s in (stats([p for p in main if p.place == i and p.kind in ts], "ut")
                          for ts in ((0,), (1,), TWILIGHTS))))
            for i, (name, lat, lon, zone) in enumerate(places)])}
    v["cross_table"] = "\n".join(
        ["| event | window | found by both | by the program only | by the reference only "
         "| program's time without a reference crossing within +-3 h |",
         "|---|---|--:|--:|--:|--:|"]
        + ["| %s | %d..%d | %d | %d | %d | %d |" % (EVENT_NAMES[t], *w,
                                                   *(rs[w][1][t, k] for k in CROSS))
           for w in WINDOWS for t in EVENT_ORDER])
    v["nocross_table"] = "\n".join(
        ["| event | window | days without a crossing | both: above | both: below | above and below "
         "swapped | only the program | only the reference | reference check failed |",
         "|---|---|--:|--:|--:|--:|--:|--:|--:|"]
        + ["| %s | %d..%d | %d | %d (\"%s\") | %d (\"%s\") | %d | %d | %d | %d |" % (
            EVENT_NAMES[t], *w, *(rs[w][1][t, k] for k in NOCROSS[:2]), horizon_text(t, True),
            rs[w][1][t, "below"], horizon_text(t, False), *(rs[w][1][t, k] for k in NOCROSS[3:]))
           for w in WINDOWS for t in EVENT_ORDER])
    v["cases_main"], v["cases_wide"] = (cases_table(rs[w][2], places) for w in WINDOWS)
    v["n_cases_wide"] = len(rs[WIDE][2])
    return v


def load_views_places(path):
    """The places of the views' comparisons: (name, latitude, longitude,
    zone or "")."""
    with open(path) as f:
        rows = [l.rstrip("\n").split(";") for l in f if l.strip() and not l.startswith("#")]
    return [(r[0], float(r[1]), float(r[2]), r[3] if len(r) > 3 else "") for r in rows]


def views_place_table(places):
    with_zone = any(p[3] for p in places)
    return "\n".join(["| place | latitude | longitude |" + (" zone |" if with_zone else ""),
                      "|---|--:|--:|" + ("---|" if with_zone else "")] + [
        "| %s | %.4f | %.4f |%s" % (name, lat, lon, (" %s |" % (zone or "MEZ/MESZ"))
                                    if with_zone else "")
        for name, lat, lon, zone in places])


def up_table(up):
    return "\n".join(["| body | instants compared | same | differ | not compared (within %g deg "
                      "of -50') |" % GRAZE, "|---|--:|--:|--:|--:|"] + [
        "| %s | %d | %d | %d | %d |" % (b, c["same"] + c["differ"], c["same"], c["differ"],
                                        c["grazing"]) for b, c in up.items()])


def one_sided_table(cases):
    return "\n".join(["| date (UT) | contact | only by |", "|---|---|---|"] + [
        "| %s | %s | %s |" % (datestr(jd), c, who) for jd, c, who in sorted(cases)]) \
        if cases else "None."


def main():
    ap = argparse.ArgumentParser()
    for name in ("program", "reference", "node-path", "places", "eclipse-places", "sun-places",
                 "band-places", "work", "docs"):
        ap.add_argument("--" + name, required=True)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--versions", default="")
    args = ap.parse_args()
    start = time.time()
    runs = run_all(args)
    elapsed_runs = time.time() - start
    limits = {r["name"]: r["value"] for r in runs["constants"][0]}
    places = load_places(args.places)
    ph, ph_unpaired, ph_ref_unpaired = moon_phases(*runs["phases"])
    ec, records = eclipses(*runs["eclipses"])
    rs = {w: riseset(*runs["riseset", w], w) for w in WINDOWS}
    data = {"phases": ph, "seasons": seasons(*runs["seasons"]), "eclipses": ec,
            "illum": [p for w in WINDOWS for p in illumination(*runs["illum", w], w)],
            "riseset": [p for w in WINDOWS for p in rs[w][0]]}
    png = os.path.join(args.docs, "accuracy", "%s.png")
    os.makedirs(os.path.dirname(png), exist_ok=True)
    error_vs_year(ph, "phases", "Moon phases", png % "phases", args.work)
    error_vs_year(data["seasons"], "seasons", "Equinoxes and solstices", png % "seasons", args.work)
    plot(args.work, "eclipses", [("%.3f" % p.dyear, "%.3f" % (p.ut / 60.0), 1 if p.kind == "solar"
                                  else 2) for p in ec], kind="eclipses", out=png % "eclipses",
         heading="Instant of greatest eclipse: program minus reference")
    riseset_hist(select(data["riseset"], MAIN), png % "riseset", args.work)

    eclipse_places, sun_places = load_views_places(args.eclipse_places), load_views_places(
        args.sun_places)
    local, kinds, up, one_sided = local_eclipses(*runs["placeeclipses"], runs["localeclipses"][0],
                                                 runs["lunareclipses"][0])
    sun, sun_count, sun_cases = sun_days(*runs["sunday"])
    moon, prog_unpaired, ref_unpaired = moon_distances(*runs["moondistance"], runs["apsides"][0])
    band_places = load_views_places(args.band_places)
    bands, band_count, band_cases = sun_bands(*runs["sunbands"], runs["culminations"][0])
    for d in (local, sun, moon, bands):
        data.update(d)
    groups = {"C1": 1, "C4": 1, "MAX": 2, "C2": 3, "C3": 3}
    plot(args.work, "local", [("%.3f" % p.dyear, "%.2f" % p.ut, groups[p.kind])
                              for p in local["local_time"]] +
         [("%.3f" % p.dyear, "%.2f" % p.ut, 4) for p in local["lunar_contacts"]],
         kind="local", out=png % "local", heading="Eclipses at places, contacts: program minus "
         "reference (beyond +-%d s drawn at the edge)" % LOCAL_PLOT_LIMIT, limit=LOCAL_PLOT_LIMIT)
    plot(args.work, "apsides", [("%.3f" % t.dyear, "%.3f" % t.ut, "%.3f" % d.ut,
                                 1 if t.kind == "perigee" else 2)
                                for t, d in zip(moon["apsis_time"], moon["apsis_dist"])],
         kind="apsides", out=png % "apsides", heading="The Moon's apsides: program minus reference")

    v = {name + "_table": table(rows, data) for name, rows in TABLES.items()}
    for name, checks in CHECKS.items():
        v[name + "_checks"] = check_table(checks, data)
    sun_counts, sun_listed = sun_tables(sun_count, sun_cases, sun_places)
    band_counts, band_listed = band_tables(band_count, band_cases, band_places)
    band_all = select(bands["band_time"], BAND_YEARS)
    v.update(band_counts=band_counts, band_cases=band_listed, n_band_cases=len(band_cases),
             band_place_table=views_place_table(band_places), n_band_places=len(band_places),
             band_years="%d..%d" % BAND_YEARS,
             band_max=fmt(max((abs(p.ut) for p in band_all), default=0.0), 2),
             band_beyond=sum(1 for p in band_all if abs(p.ut) > 60))
    v.update(local_beyond=beyond_table(CHECKS["local"], data, eclipse_places),
             sun_beyond=beyond_table(CHECKS["sun"], data, sun_places, 10),
             moon_beyond=beyond_table(CHECKS["moon"], data, []),
             kinds_table=kinds_table(kinds), kind_cases=kind_cases(kinds, eclipse_places),
             edge_table=edge_table(kinds, eclipse_places), views_summary=views_summary(data),
             moon_spread=moon_spread(data),
             sun_beyond_near=sum(1 for p in sun["sun_time"]
                                 if abs(p.ut) > 60 and 0 <= p.extra < 0.5),
             sun_beyond_n=sum(1 for p in sun["sun_time"] if abs(p.ut) > 60),
             n_kinds=len(kinds), n_kinds_same=sum(1 for k in kinds if kind_agrees(k[2], k[3])),
             up_table=up_table(up), one_sided=one_sided_table(one_sided),
             eclipse_place_table=views_place_table(eclipse_places), n_eclipse_places=len(
                 eclipse_places), n_sun_places=len(sun_places),
             sun_sample="Every day" if SUN_STEP == 1 else "Every %dth day" % SUN_STEP,
             sun_place_table=views_place_table(sun_places), sun_counts=sun_counts,
             sun_cases=sun_listed, n_sun_cases=len(sun_cases), graze=GRAZE, graze_sun=GRAZE_SUN,
             apsides_prog_unpaired=prog_unpaired, apsides_ref_unpaired=ref_unpaired,
             n_apsides=len(moon["apsis_time"]))
    v.update(riseset_tables(rs, data["riseset"], places), versions=args.versions,
             ph_unpaired=ph_unpaired, ph_ref_unpaired=ph_ref_unpaired, places=len(places),
             illum_step=ILLUM_STEP[WIDE], rs_step_main=RISESET_STEP[MAIN],
             rs_step_wide=RISESET_STEP[WIDE], central_limit=repr(limits["central"]),
             phase_bins=bins_table(ph), season_bins=bins_table(data["seasons"]))
    notes = []
    for w, name in ((MAIN, "main"), (WIDE, "wide")):
        recs = [e for e in records if in_window(e.year, w)
                and not (e.body == "lunar" and e.pk == "none" and e.rk == "penumbral")]
        differ = [e for e in recs if not agrees(e)]
        v.update({"kinds_n_" + name: len(recs), "kinds_same_" + name: len(recs) - len(differ),
                  "differ_" + name: disagreement_table(differ, limits),
                  "n_differ_" + name: len(differ)})
        for body, rows, cols in (("solar", SOLAR_KINDS + ("none",), SOLAR_KINDS + ("none",)),
                                 ("lunar", LUNAR_KINDS + ("none",), ("penumbral",) + LUNAR_KINDS
                                  + ("none",))):
            v["%s_%s" % (body, name)] = confusion(records, body, w, rows, cols)
        notes.append("Eclipse kinds %d..%d: %d eclipses, %d of the same kind, %d differ" % (
            *w, len(recs), len(recs) - len(differ), len(differ)))

    adj = [p.adj for p in ph if p.adj != 0.0]
    recent = select(ph, (2000, 2020))
    with_adj, without_adj = stats(recent, "ut"), stats(recent, "unadjusted")
    main_ut = stats(select(ph, MAIN), "ut")
    v.update(adj_min=fmt(min(adj), 1) if adj else "0", adj_max=fmt(max(adj), 1) if adj else "0",
             main_max=fmt(main_ut["max"], 0), main_median=fmt(main_ut["median"], 0),
             fit=poly_text(quadfit([(p.dyear - 2000) / 100.0 for p in ph], [p.tt for p in ph])),
             adj_effect="farther from" if abs(with_adj["mean"]) > abs(without_adj["mean"])
             else "nearer to", with_adj=fmt(with_adj["mean"], 1),
             without_adj=fmt(without_adj["mean"], 1))
    with open(os.path.join(args.docs, "accuracy.md.in")) as f:
        page = string.Template(f.read().split("\n", 1)[1]).substitute(v)
    with open(os.path.join(args.docs, "accuracy.md"), "w") as f:
        f.write(page)
    print(v["summary_table"])
    for name in CHECKS:
        print(v[name + "_checks"])
    print("\n".join(notes))
    print("runs %.0f s, total %.0f s" % (elapsed_runs, time.time() - start))


if __name__ == "__main__":
    main()
