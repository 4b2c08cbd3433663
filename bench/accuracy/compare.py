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
    for w in WINDOWS:
        jobs["riseset", w] = (rs[w], ref("riseset_%d" % w[0], "riseset", args.places,
                                         rs[w].result()))
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


def main():
    ap = argparse.ArgumentParser()
    for name in ("program", "reference", "node-path", "places", "work", "docs"):
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

    v = {name + "_table": table(rows, data) for name, rows in TABLES.items()}
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
    print("\n".join(notes))
    print("runs %.0f s, total %.0f s" % (elapsed_runs, time.time() - start))


if __name__ == "__main__":
    main()
