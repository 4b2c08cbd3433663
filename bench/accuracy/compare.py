#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the measurement program (nb_accuracy) and the reference script
(reference.js on astronomy-engine) side by side, pairs their values, and
writes docs/accuracy.md with its plots. Called by scripts/accuracy.sh;
Python standard library only, plots with gnuplot."""

import argparse
import bisect
import concurrent.futures
import csv
import datetime
import functools
import math
import os
import statistics
import subprocess
import time

MAIN = (1900, 2100)
WIDE = (1000, 3000)
WINDOWS = (MAIN, WIDE)
DAY = 86400.0
MJD = 2400000.5

# Sampling of the rise and set comparison: every RISESET_STEP[w]-th day.
RISESET_STEP = {MAIN: 25, WIDE: 250}
ILLUM_STEP = {MAIN: 1, WIDE: 10}

EVENT_NAMES = {0: "Sun", 1: "Moon", -1: "civil twilight", -2: "nautical twilight",
               -3: "astronomical twilight"}
EVENT_ORDER = (0, 1, -1, -2, -3)
PHASE_NAMES = ("new moon", "first quarter", "full moon", "last quarter")


# ---------------------------------------------------------------- calendar

def jd_of_date(y, m, d):
    """Julian Date of 0h of a date; Julian calendar before 15 October 1582
    (Meeus ch. 7)."""
    gregorian = (y, m, d) >= (1582, 10, 15)
    if m <= 2:
        y, m = y - 1, m + 12
    b = 0
    if gregorian:
        a = y // 100
        b = 2 - a + a // 4
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + d + b - 1524.5


def date_of_jd(jd):
    """Calendar date (year, month, day with fraction) of a Julian Date."""
    z = math.floor(jd + 0.5)
    f = jd + 0.5 - z
    a = z
    if z >= 2299161:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - alpha // 4
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e) + f
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return year, month, day


@functools.lru_cache(maxsize=None)
def year_start(y):
    return jd_of_date(y, 1, 1)


def year_of(jd):
    return date_of_jd(jd)[0]


def decimal_year(jd):
    y = year_of(jd)
    return y + (jd - year_start(y)) / (year_start(y + 1) - year_start(y))


def datestr(jd, with_time=True):
    y, m, d = date_of_jd(jd)
    day = int(d)
    if not with_time:
        return "%04d-%02d-%02d" % (y, m, day)
    minutes = int(round((d - day) * 1440))
    if minutes == 1440:  # rounding up to midnight: show the next day
        return datestr(jd + 0.5 / 1440, True)
    return "%04d-%02d-%02d %02d:%02d" % (y, m, day, minutes // 60, minutes % 60)


def in_window(year, w):
    return w[0] <= year <= w[1]


# ------------------------------------------------------------- statistics

def stats(errs, years):
    """Sample size, maximum, median and 95th percentile (nearest rank) of
    the absolute error, the signed mean and the years covered."""
    if not errs:
        return None
    a = sorted(abs(e) for e in errs)
    n = len(a)
    return {"n": n, "max": a[-1], "median": statistics.median(a),
            "p95": a[math.ceil(0.95 * n) - 1], "mean": sum(errs) / n,
            "years": "%d..%d" % (min(years), max(years))}


def fmt(x, digits):
    return ("%." + str(digits) + "f") % x


def stats_row(label, window, s, digits, unit=""):
    if s is None:
        return "| %s | %d..%d | 0 | | | | | |" % (label, window[0], window[1])
    u = (" " + unit) if unit else ""
    return "| %s | %d..%d | %d | %s%s | %s%s | %s%s | %s%s | %s |" % (
        label, window[0], window[1], s["n"], fmt(s["max"], digits), u, fmt(s["median"], digits),
        u, fmt(s["p95"], digits), u, fmt(s["mean"], digits), u, s["years"])


def sel(pairs, w):
    """The pairs (year first) that lie in the window w."""
    return [p for p in pairs if in_window(p[0], w)]


def st(pairs, i):
    """Statistics of column i of the pairs, against their years."""
    return stats([p[i] for p in pairs], [p[0] for p in pairs])


def instant_rows(what, data):
    """Rows of the UT and TT errors and of the Delta T difference per window."""
    rows = []
    for w in WINDOWS:
        s_ = sel(data, w)
        rows.append(stats_row(what + ", UT", w, st(s_, 2), 1, "s"))
        rows.append(stats_row(what + ", TT", w, st(s_, 1), 1, "s"))
        rows.append(stats_row("Delta T, program minus reference", w, st(s_, 3), 2, "s"))
    return rows


STATS_HEAD = ("| quantity | window | sample | max | median | 95th percentile | signed mean "
              "| years |\n|---|---|--:|--:|--:|--:|--:|---|")


# --------------------------------------------------------------- running

class Runner:
    def __init__(self, args):
        self.prog = args.program
        self.ref = args.reference
        self.work = args.work
        self.env = dict(os.environ, NODE_PATH=args.node_path)
        self.pool = concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs)

    def path(self, name):
        return os.path.join(self.work, name)

    def _run(self, cmd, out, env=None):
        with open(self.path(out), "w") as f:
            subprocess.run(cmd, stdout=f, check=True, env=env)
        return self.path(out)

    def program(self, out, *args):
        return self.pool.submit(self._run, [self.prog] + [str(a) for a in args], out)

    def reference(self, out, *args):
        return self.pool.submit(self._run, ["node", self.ref] + [str(a) for a in args], out,
                                self.env)


def read_csv(path):
    with open(path) as f:
        return list(csv.DictReader(f))


# ----------------------------------------------------------- Moon phases

def bins_table(pairs, unit_digits=1):
    """Mean and maximum errors in 200-year bins: (year, err_tt, err_ut, ddt, adj)."""
    rows = ["| years | sample | mean error TT | max abs error TT | mean error UT "
            "| max abs error UT | mean Delta T difference |",
            "|---|--:|--:|--:|--:|--:|--:|"]
    for b0 in range(WIDE[0], WIDE[1], 200):
        b1 = b0 + 199 if b0 + 200 < WIDE[1] else WIDE[1]
        sel = [p for p in pairs if b0 <= p[0] <= b1]
        if not sel:
            continue
        n = len(sel)
        tt = [p[1] for p in sel]
        ut = [p[2] for p in sel]
        dd = [p[3] for p in sel]
        rows.append("| %d..%d | %d | %s s | %s s | %s s | %s s | %s s |" % (
            b0, b1, n, fmt(sum(tt) / n, unit_digits), fmt(max(abs(x) for x in tt), unit_digits),
            fmt(sum(ut) / n, unit_digits), fmt(max(abs(x) for x in ut), unit_digits),
            fmt(sum(dd) / n, 2)))
    return "\n".join(rows)


def nearest(keys, jd, within=1.0):
    """Index of the instant of the sorted list keys nearest to jd, if it
    lies within the given days; else None."""
    i = bisect.bisect_left(keys, jd)
    near = [j for j in (i - 1, i) if 0 <= j < len(keys) and abs(keys[j] - jd) <= within]
    return min(near, key=lambda j: abs(keys[j] - jd), default=None)


def moon_phases(prog_path, ref_path):
    ref = {q: [] for q in range(4)}
    for r in read_csv(ref_path):
        ref[int(r["quarter"])].append((float(r["ut"]), float(r["tt"]), float(r["pkg"])))
    for q in ref:
        ref[q].sort()
    keys = {q: [x[0] for x in ref[q]] for q in ref}
    pairs = []  # (year, err_tt, err_ut, ddt, adj, phase, decimal year, err_ut_pkg)
    used = set()
    unpaired = 0
    for p in read_csv(prog_path):
        ut, tt, dt = float(p["ut"]), float(p["tt"]), float(p["dt"])
        year = year_of(ut)
        if not in_window(year, WIDE):
            continue
        q = int(p["phase"])
        best = nearest(keys[q], ut)
        if best is None:
            unpaired += 1
            continue
        used.add((q, best))
        rut, rtt, rpkg = ref[q][best]
        adj = (ut - (tt - dt / DAY)) * DAY
        pairs.append((year, (tt - rtt) * DAY, (ut - rut) * DAY, dt - (rtt - rut) * DAY, adj, q,
                      decimal_year(ut), (ut - rpkg) * DAY))
    ref_unpaired = sum(1 for q in ref for j, (rut, _, _) in enumerate(ref[q])
                       if in_window(year_of(rut), WIDE) and (q, j) not in used)
    return pairs, unpaired, ref_unpaired


# --------------------------------------------------------------- seasons

def seasons(prog_path, ref_path):
    ref = {(int(r["year"]), int(r["season"])): (float(r["ut"]), float(r["tt"]))
           for r in read_csv(ref_path)}
    pairs = []
    for p in read_csv(prog_path):
        key = (int(p["year"]), int(p["season"]))
        ut, tt, dt = float(p["ut"]), float(p["tt"]), float(p["dt"])
        rut, rtt = ref[key]
        pairs.append((key[0], (tt - rtt) * DAY, (ut - rut) * DAY, dt - (rtt - rut) * DAY, 0.0,
                      key[1], decimal_year(ut)))
    return pairs


# ---------------------------------------------------------- illumination

def illumination(prog_path, ref_path):
    ref = {int(r["mjd"]): float(r["fraction"]) for r in read_csv(ref_path)}
    out = []
    for p in read_csv(prog_path):
        mjd = int(p["mjd"])
        out.append((year_of(mjd + MJD), (float(p["fraction"]) - ref[mjd]) * 100.0, mjd))
    return out


# -------------------------------------------------------------- eclipses

SOLAR_TYPES = {0: "partial", 1: "total", 2: "annular"}
LUNAR_TYPES = {0: "partial", 1: "total"}


def eclipse_note(body, pk, rk, gamma, u):
    """Why the two sides name an eclipse differently, from the program's
    gamma and u (None when the program's node test rejected the lunation)."""
    if gamma is None:
        return "the program's node test (abs(sin F) <= 0.36) rejects the lunation"
    g = abs(gamma)
    if body == "solar":
        if rk == "partial" and pk in ("total", "annular"):
            if g > 0.9972:
                return ("non-central (abs(gamma) > 0.9972): the program names the kind of the "
                        "umbra's touch, the reference calls every eclipse whose axis misses the "
                        "Earth partial")
            return ("central for the program (abs(gamma) < 0.9972), the reference's axis just "
                    "misses the flattened Earth")
        if {pk, rk} == {"total", "annular"}:
            lim = 0.00464 * math.sqrt(max(0.0, 1 - gamma * gamma))
            return ("annular-total (hybrid): u = %.5f against the program's limit %.5f; the "
                    "reference names the kind at greatest eclipse" % (u, lim))
        if pk == "none":
            return ("no eclipse for the program: abs(gamma) > 1.5433 + u = %.4f"
                    % (1.5433 + u))
        if pk == "partial":
            return "at the program's central limit 0.9972 + abs(u) = %.4f" % (0.9972 + abs(u))
    else:
        mu = (1.0128 - u - g) / 0.5450
        if pk == "partial" and rk == "penumbral":
            if mu <= 0:
                return ("umbral magnitude %.4f: partial only through the 1.0248 limit of the "
                        "program's no-eclipse test" % mu)
            return "umbral magnitude %.4f, just above 0" % mu
        if {pk, rk} == {"partial", "total"}:
            tau = (0.4678 - u) ** 2 - gamma * gamma
            return "at the total limit: (0.4678 - u)^2 - gamma^2 = %.5f" % tau
        if pk == "none":
            return "umbral magnitude %.4f by the program's series" % mu
    return ""


def eclipses(prog_path, ref_path):
    ref = {"solar": [], "lunar": []}
    for r in read_csv(ref_path):
        ref[r["body"]].append({"ut": float(r["ut"]), "tt": float(r["tt"]), "kind": r["kind"],
                               "gamma": float(r["gamma"]), "paired": False})
    for b in ref:
        ref[b].sort(key=lambda e: e["ut"])
    keys = {b: [e["ut"] for e in ref[b]] for b in ref}
    pairs, records = [], []
    misses = {"solar": [], "lunar": []}  # (ut, gamma, u, n): lunations with no eclipse
    for p in read_csv(prog_path):
        body = "solar" if p["kind"] == "0" else "lunar"
        ut, tt = float(p["ut"]), float(p["tt"])
        year = year_of(ut)
        if p["type"] == "-1":
            misses[body].append((ut, float(p["gamma"]), float(p["u"]), int(p["n"])))
            continue
        if not in_window(year, WIDE):
            continue
        kind = (SOLAR_TYPES if body == "solar" else LUNAR_TYPES)[int(p["type"])]
        gamma, u = float(p["gamma"]), float(p["u"])
        best = nearest(keys[body], ut)
        rec = {"body": body, "year": year, "ut": ut, "pk": kind, "gamma": gamma, "u": u,
               "n": int(p["n"]), "rk": "none", "rgamma": None}
        if best is not None:
            r = ref[body][best]
            r["paired"] = True
            rec["rk"], rec["rgamma"] = r["kind"], r["gamma"]
            pairs.append({"body": body, "year": year, "err_ut": (ut - r["ut"]) * DAY,
                          "err_tt": (tt - r["tt"]) * DAY, "err_gamma": abs(gamma) - r["gamma"],
                          "dyear": decimal_year(ut)})
        records.append(rec)
    for b in ref:
        for r in ref[b]:
            y = year_of(r["ut"])
            if not r["paired"] and in_window(y, WIDE):
                near = [m for m in misses[b] if abs(m[0] - r["ut"]) <= 1.0]
                gamma, u, n = (near[0][1], near[0][2], near[0][3]) if near else (None, None, None)
                records.append({"body": b, "year": y, "ut": r["ut"], "pk": "none", "gamma": gamma,
                                "u": u, "n": n, "rk": r["kind"], "rgamma": r["gamma"]})
    records.sort(key=lambda r: r["ut"])
    return pairs, records


def agrees(rec):
    if rec["body"] == "solar":
        return rec["pk"] == rec["rk"]
    return rec["pk"] == rec["rk"] or (rec["pk"] == "none" and rec["rk"] == "penumbral")


# -------------------------------------------------------- rise and set

def load_places(path):
    places = []
    with open(path) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, lat, lon, zone = line.rstrip("\n").split(";")
                places.append((name, float(lat), float(lon), int(zone)))
    return places


def riseset(prog_path, ref_paths, places):
    """Errors (s) per event type and per place, crossing agreement counts and
    the agreement of the days without a crossing."""
    errs = {t: [] for t in EVENT_ORDER}
    years = {t: [] for t in EVENT_ORDER}
    per_place = {(i, t): [] for i in range(len(places)) for t in EVENT_ORDER}
    cross = {t: {"both": 0, "prog": 0, "ref": 0, "unpaired": 0} for t in EVENT_ORDER}
    nocross = {t: {"days": 0, "above": 0, "below": 0, "disagree": 0, "prog_only": 0,
                   "ref_only": 0, "ref_check": 0} for t in EVENT_ORDER}
    cases = []
    days = set()
    ref_rows = []
    for path in ref_paths:
        ref_rows.extend(read_csv(path))
    prog_rows = read_csv(prog_path)
    assert len(prog_rows) == len(ref_rows)
    for p, r in zip(prog_rows, ref_rows):
        place, mjd, t = int(p["place"]), int(p["mjd"]), int(p["type"])
        assert (place, mjd, t) == (int(r["place"]), int(r["mjd"]), int(r["type"]))
        days.add((place, mjd))
        flags = int(p["flags"])
        year = year_of(mjd + MJD)
        for bit, pkey, rkey, dkey in ((1, "rise", "rise", "dayrise"), (2, "set", "set", "dayset")):
            pf = bool(flags & bit)
            if pf and r[rkey]:
                e = (float(p[pkey]) - float(r[rkey])) * 3600.0
                errs[t].append(e)
                years[t].append(year)
                per_place[(place, t)].append(e)
            elif pf:
                cross[t]["unpaired"] += 1
            rf = bool(r[dkey])
            if pf and rf:
                cross[t]["both"] += 1
            elif pf:
                cross[t]["prog"] += 1
            elif rf:
                cross[t]["ref"] += 1
        pnone = (flags & 3) == 0
        rnone = not r["dayrise"] and not r["dayset"]
        nc = nocross[t]
        if rnone and (float(r["extreme"]) > 0) != (float(r["alt0"]) > 0):
            nc["ref_check"] += 1  # the reference's own search missed a crossing
        if pnone or rnone:
            nc["days"] += 1
            pabove = bool(flags & 4)
            rabove = float(r["alt0"]) > 0
            if pnone and rnone:
                if pabove == rabove:
                    nc["above" if pabove else "below"] += 1
                else:
                    nc["disagree"] += 1
                    cases.append((place, mjd, t, horizon_text(t, pabove), horizon_text(t, rabove)))
            elif pnone:
                nc["prog_only"] += 1
                cases.append((place, mjd, t, horizon_text(t, pabove),
                              crossing_text(r["dayrise"], r["dayset"])))
            else:
                nc["ref_only"] += 1
                cases.append((place, mjd, t, crossing_text(p["rise"] if flags & 1 else "",
                                                           p["set"] if flags & 2 else ""),
                              horizon_text(t, float(r["alt0"]) > 0)))
    return {"errs": errs, "years": years, "per_place": per_place, "cross": cross,
            "nocross": nocross, "cases": cases, "days": len(days)}


def horizon_text(t, above):
    if t >= 0:
        return "immer sichtbar" if above else "nie sichtbar"
    return "immer hell" if above else "immer dunkel"


def hhmm(h):
    m = int(round(float(h) * 60))
    return "%02d:%02d" % (m // 60, m % 60)


def crossing_text(rise, set_):
    parts = []
    if rise:
        parts.append("rise " + hhmm(rise))
    if set_:
        parts.append("set " + hhmm(set_))
    return ", ".join(parts)


# -------------------------------------------------------------- calendar

def easter_gregorian(y):
    """Anonymous Gregorian algorithm (Meeus ch. 8), as day of March."""
    a, b, c = y % 19, y // 100, y % 100
    d, e = b // 4, b % 4
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = c // 4, c % 4
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month, day = divmod(h + l - 7 * m + 114, 31)
    return day + 1 + (31 if month == 4 else 0)


def easter_julian(y):
    """Julian Easter (Meeus ch. 8), as day of March of the Julian calendar."""
    a, b, c = y % 4, y % 7, y % 19
    d = (19 * c + 15) % 30
    e = (2 * a + 4 * b - d + 34) % 7
    month, day = divmod(d + e + 114, 31)
    return day + 1 + (31 if month == 4 else 0)


def weeks(prog_path):
    counts = {MAIN: [0, 0], "all": [0, 0]}
    bad = []
    years = [9999, 0]
    with open(prog_path) as f:
        next(f)
        for line in f:
            y, m, d, w = (int(x) for x in line.split(","))
            if y < 1583 or y > 9999:
                continue
            ok = datetime.date(y, m, d).isocalendar()[1] == w
            years[0], years[1] = min(years[0], y), max(years[1], y)
            for key in ((MAIN, "all") if MAIN[0] <= y <= MAIN[1] else ("all",)):
                counts[key][0] += 1
                counts[key][1] += 0 if ok else 1
            if not ok and len(bad) < 20:
                bad.append((y, m, d, w))
    return counts, bad, years


def easter(prog_path):
    res = {"greg": [0, 0], "jul": [0, 0], "julall": [0, 0], "main": [0, 0], "sunday": [0, 0]}
    bad = []
    for p in read_csv(prog_path):
        y, e, j = int(p["year"]), int(p["easter"]), int(p["julian"])
        if y <= 1582:
            key, want = "jul", easter_julian(y)
        else:
            key, want = "greg", easter_gregorian(y)
            if y <= 9999:
                date = datetime.date(y, 3, 1) + datetime.timedelta(days=e - 1)
                res["sunday"][0] += 1
                res["sunday"][1] += 0 if date.isoweekday() == 7 else 1
        res[key][0] += 1
        res[key][1] += 0 if e == want else 1
        if MAIN[0] <= y <= MAIN[1]:
            res["main"][0] += 1
            res["main"][1] += 0 if e == want else 1
        res["julall"][0] += 1
        res["julall"][1] += 0 if j == easter_julian(y) else 1
        if e != want and len(bad) < 20:
            bad.append((y, e, want))
    return res, bad


# ---------------------------------------------------------------- plots

PLOT_HEAD = ('set terminal pngcairo size 800,450 font "DejaVu Sans,10"\n'
             'set grid lc rgb "#dddddd"\nset key top center horizontal\n')


def write_data(path, rows):
    with open(path, "w") as f:
        for r in rows:
            f.write(" ".join(str(x) for x in r) + "\n")


def plot(script, work):
    path = os.path.join(work, "plot.gp")
    with open(path, "w") as f:
        f.write(script)
    subprocess.run(["gnuplot", path], check=True)


def error_vs_year(pairs, name, title, outpng, work):
    """Upper panel: the error as shown (UT) in minutes; lower panel: UT
    error minus TT error in seconds, what Delta T and the year adjustment
    add."""
    data = os.path.join(work, name + ".dat")
    write_data(data, [("%.3f" % p[6], "%.4f" % (p[2] / 60.0), "%.3f" % (p[2] - p[1]))
                      for p in pairs])
    plot(PLOT_HEAD + (
        'set output "%s"\nset multiplot\nset lmargin 10\nset rmargin 3\n'
        'set xrange [1000:3001]\nset xtics 200\n'
        'set size 1,0.66\nset origin 0,0.34\nset bmargin 1\nset format x ""\n'
        'set title "%s: program minus reference"\nset ylabel "UT error (min)"\n'
        'plot "%s" using 1:2 with dots lc rgb "#1f4e99" notitle\n'
        'set size 1,0.34\nset origin 0,0\nset tmargin 0.5\nset bmargin 3\nset format x "%%g"\n'
        'unset title\nset xlabel "year"\nset ylabel "UT minus TT error (s)"\nset ytics 5\n'
        'plot "%s" using 1:3 with points pt 7 ps 0.15 lc rgb "#c0392b" notitle\n'
        'unset multiplot\n') % (outpng, title, data, data), work)


def eclipse_plot(pairs, outpng, work):
    rows = [("%.3f" % p["dyear"], "%.3f" % (p["err_ut"] / 60.0), 1 if p["body"] == "solar" else 2)
            for p in pairs]
    data = os.path.join(work, "eclipses.dat")
    write_data(data, rows)
    plot(PLOT_HEAD + (
        'set output "%s"\nset title "Instant of greatest eclipse: program minus reference"\n'
        'set xlabel "year"\nset ylabel "error (min)"\nset xrange [1000:3001]\nset xtics 200\n'
        'plot "%s" using 1:($3==1?$2:1/0) with points pt 7 ps 0.3 lc rgb "#e67e22" '
        'title "solar", "%s" using 1:($3==2?$2:1/0) with points pt 7 ps 0.3 lc rgb "#1f4e99" '
        'title "lunar"\n') % (outpng, data, data), work)


def riseset_hist(errs, outpng, work, width=5, limit=240):
    colours = {0: "#e67e22", 1: "#1f4e99", -1: "#27ae60", -2: "#8e44ad", -3: "#7f8c8d"}
    cols = []
    nbins = 2 * limit // width
    for t in EVENT_ORDER:
        h = [0] * nbins
        for e in errs[t]:
            b = int(math.floor((max(-limit, min(limit - 1e-9, e)) + limit) / width))
            h[b] += 1
        n = len(errs[t]) or 1
        cols.append([100.0 * x / n for x in h])
    data = os.path.join(work, "riseset.dat")
    write_data(data, [["%g" % (-limit + (i + 0.5) * width)] + ["%.4f" % c[i] for c in cols]
                      for i in range(nbins)])
    plots = ", ".join(
        '"%s" using 1:%d with histeps lw 1.5 lc rgb "%s" title "%s"' % (
            data, i + 2, colours[t], EVENT_NAMES[t]) for i, t in enumerate(EVENT_ORDER))
    plot(PLOT_HEAD + (
        'set output "%s"\nset title "Rise, set and twilight times 1900..2100: program minus '
        'reference (%d s bins; beyond +-%d s in the end bins)"\nset xlabel "error (s)"\n'
        'set ylabel "share of events (%%)"\nset logscale y\nset yrange [0.001:*]\n'
        'set key top right vertical\nset xrange [%d:%d]\nplot %s\n'
    ) % (outpng, width, limit, -limit, limit, plots), work)


# --------------------------------------------------------------- the page

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--program", required=True)
    ap.add_argument("--reference", required=True)
    ap.add_argument("--node-path", required=True)
    ap.add_argument("--places", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--docs", required=True)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--versions", default="")
    args = ap.parse_args()
    start = time.time()
    run = Runner(args)
    plots_dir = os.path.join(args.docs, "accuracy")
    os.makedirs(plots_dir, exist_ok=True)

    jd0 = year_start(WIDE[0]) - 3
    jd1 = year_start(WIDE[1] + 1) + 3
    mjd_range = {w: (int(year_start(w[0]) - MJD), int(year_start(w[1] + 1) - MJD) - 1)
                 for w in WINDOWS}

    # The program's rise and set rows first: the reference works from them.
    prog_rs = {}
    for w in WINDOWS:
        name = "riseset_prog_%d.csv" % w[0]
        prog_rs[w] = run.program(name, "riseset", args.places, mjd_range[w][0], mjd_range[w][1],
                                 RISESET_STEP[w])
    ref_rs = {}
    for w in WINDOWS:
        path = prog_rs[w].result()
        with open(path) as f:
            lines = f.readlines()
        chunks = 3
        size = (len(lines) - 1 + chunks - 1) // chunks
        ref_rs[w] = []
        for c in range(chunks):
            cpath = run.path("riseset_prog_%d_%d.csv" % (w[0], c))
            with open(cpath, "w") as f:
                f.write(lines[0])
                f.writelines(lines[1 + c * size:1 + (c + 1) * size])
            ref_rs[w].append(run.reference("riseset_ref_%d_%d.csv" % (w[0], c), "riseset",
                                           args.places, cpath))
    jobs = {
        "phases_ref": run.reference("phases_ref.csv", "phases", "%.1f" % jd0, "%.1f" % jd1),
        "eclipses_ref": run.reference("eclipses_ref.csv", "eclipses", "%.1f" % jd0,
                                      "%.1f" % jd1),
        "phases_prog": run.program("phases_prog.csv", "phases", WIDE[0], WIDE[1]),
        "eclipses_prog": run.program("eclipses_prog.csv", "eclipses", WIDE[0], WIDE[1]),
        "seasons_prog": run.program("seasons_prog.csv", "seasons", WIDE[0], WIDE[1]),
        "seasons_ref": run.reference("seasons_ref.csv", "seasons", WIDE[0], WIDE[1]),
        "weeks_prog": run.program("weeks_prog.csv", "weeks", 1583, 9999),
        "easter_prog": run.program("easter_prog.csv", "easter", 1, 10000),
    }
    for w in WINDOWS:
        a, b = mjd_range[w]
        jobs["illum_prog_%d" % w[0]] = run.program("illum_prog_%d.csv" % w[0], "illum", a, b,
                                                   ILLUM_STEP[w])
        jobs["illum_ref_%d" % w[0]] = run.reference("illum_ref_%d.csv" % w[0], "illum", a, b,
                                                    ILLUM_STEP[w])
    path = {k: f.result() for k, f in jobs.items()}
    rs_ref_paths = {w: [f.result() for f in ref_rs[w]] for w in WINDOWS}
    elapsed_runs = time.time() - start

    places = load_places(args.places)
    page = Page()
    analyse(page, args, path, {w: prog_rs[w].result() for w in WINDOWS}, rs_ref_paths, places,
            plots_dir)
    with open(os.path.join(args.docs, "accuracy.md"), "w") as f:
        f.write(page.text())
    print(STATS_HEAD)
    print("\n".join(page.summary))
    print("\n".join(page.notes))
    print("runs %.0f s, total %.0f s" % (elapsed_runs, time.time() - start))


def ignorable(rec):
    """A penumbral lunar eclipse the program (rightly) does not report."""
    return rec["body"] == "lunar" and rec["pk"] == "none" and rec["rk"] == "penumbral"


def quadfit(xs, ys):
    """Least-squares a + b x + c x^2."""
    s = [sum(x ** k for x in xs) for k in range(5)]
    t = [sum(y * x ** k for x, y in zip(xs, ys)) for k in range(3)]
    m = [[s[i + j] for j in range(3)] + [t[i]] for i in range(3)]
    for i in range(3):
        for r in range(i + 1, 3):
            f = m[r][i] / m[i][i]
            m[r] = [m[r][k] - f * m[i][k] for k in range(4)]
    c = [0.0] * 3
    for i in (2, 1, 0):
        c[i] = (m[i][3] - sum(m[i][k] * c[k] for k in range(i + 1, 3))) / m[i][i]
    return c


class Page:
    def __init__(self):
        self.parts = []
        self.summary = []
        self.notes = []

    def add(self, text):
        self.parts.append(text.strip("\n") + "\n")

    def text(self):
        return "\n".join(self.parts)


def confusion(records, body, w, rows, cols):
    sel = [r for r in records if r["body"] == body and in_window(r["year"], w)]
    lines = ["| program \\ reference | " + " | ".join(cols) + " |",
             "|---|" + "--:|" * len(cols)]
    for pk in rows:
        cells = []
        for rk in cols:
            n = sum(1 for r in sel if r["pk"] == pk and r["rk"] == rk)
            cells.append(("**%d**" % n) if (pk == rk and n) else str(n))
        lines.append("| %s | %s |" % (pk, " | ".join(cells)))
    return "\n".join(lines)


def disagreement_table(recs):
    lines = ["| date (UT) | lunation | program | reference | program gamma | reference abs(gamma) "
             "| why |", "|---|--:|---|---|--:|--:|---|"]
    for r in recs:
        lines.append("| %s | %s | %s %s | %s %s | %s | %s | %s |" % (
            datestr(r["ut"]), "" if r["n"] is None else r["n"], r["body"], r["pk"], r["body"],
            r["rk"], "" if r["gamma"] is None else "%.4f" % r["gamma"], "%.4f" % r["rgamma"],
            eclipse_note(r["body"], r["pk"], r["rk"], r["gamma"], r["u"])))
    return "\n".join(lines)


def analyse(page, args, path, prog_rs, rs_ref_paths, places, plots_dir):
    P = page.add
    ph, ph_unpaired, ph_ref_unpaired = moon_phases(path["phases_prog"], path["phases_ref"])
    se = seasons(path["seasons_prog"], path["seasons_ref"])
    ec_pairs, ec_records = eclipses(path["eclipses_prog"], path["eclipses_ref"])
    il = {}
    for w in WINDOWS:
        rows = illumination(path["illum_prog_%d" % w[0]], path["illum_ref_%d" % w[0]])
        il[w] = [r for r in rows if in_window(r[0], w)]
    rs = {w: riseset(prog_rs[w], rs_ref_paths[w], places) for w in WINDOWS}
    wk, wk_bad, wk_years = weeks(path["weeks_prog"])
    ea, ea_bad = easter(path["easter_prog"])

    # Summary rows (also printed)
    summary = page.summary
    for w in WINDOWS:
        summary.append(stats_row("Moon phases", w, st(sel(ph, w), 2), 1, "s"))
        summary.append(stats_row("Illuminated fraction at 0h", w,
                                 stats([r[1] for r in il[w]], [r[0] for r in il[w]]), 3, "pp"))
        for body in ("solar", "lunar"):
            ps = [p for p in ec_pairs if p["body"] == body and in_window(p["year"], w)]
            summary.append(stats_row("%s eclipses, greatest eclipse" % body.capitalize(), w,
                                     stats([p["err_ut"] for p in ps], [p["year"] for p in ps]),
                                     1, "s"))
        summary.append(stats_row("Equinoxes and solstices", w, st(sel(se, w), 2), 1, "s"))
        for t in (0, 1):
            summary.append(stats_row("%s rise and set" % EVENT_NAMES[t], w,
                                     stats(rs[w]["errs"][t], rs[w]["years"][t]), 1, "s"))
        summary.append(stats_row("Twilights (civil, nautical, astronomical)", w, stats(
            [e for t in (-1, -2, -3) for e in rs[w]["errs"][t]],
            [y for t in (-1, -2, -3) for y in rs[w]["years"][t]]), 1, "s"))
    kinds = {}
    for w in WINDOWS:
        recs = [r for r in ec_records if in_window(r["year"], w) and not ignorable(r)]
        kinds[w] = (len(recs), sum(1 for r in recs if agrees(r)),
                    [r for r in recs if not agrees(r)])
        page.notes.append("Eclipse kinds %d..%d: %d eclipses, %d of the same kind, %d differ" % (
            w[0], w[1], kinds[w][0], kinds[w][1], len(kinds[w][2])))
    page.notes.append("ISO weeks 1583..9999: %d days, %d differ" % tuple(wk["all"]))
    page.notes.append("Easter 1..10000: %d years, %d differ" % (
        ea["greg"][0] + ea["jul"][0], ea["greg"][1] + ea["jul"][1]))

    # Plots
    error_vs_year(ph, "phases", "Moon phases", os.path.join(plots_dir, "phases.png"), args.work)
    error_vs_year(se, "seasons", "Equinoxes and solstices",
                  os.path.join(plots_dir, "seasons.png"), args.work)
    eclipse_plot(ec_pairs, os.path.join(plots_dir, "eclipses.png"), args.work)
    riseset_hist(rs[MAIN]["errs"], os.path.join(plots_dir, "riseset.png"), args.work)

    versions = args.versions
    P("""# How accurate is nachtblick?

<!-- Written by scripts/accuracy.sh; do not edit by hand. -->

Every instant nachtblick shows comes from published series, not from an
ephemeris file. This page measures how far those instants lie from an
independent modern ephemeris, the npm package astronomy-engine (%s), for
the main window 1900..2100 and, where the program computes them, for the
whole range 1000..3000 the reports accept. Everything below, numbers and
pictures, is written by one command:

```sh
scripts/accuracy.sh
```

It builds a small measurement program that links the engine's libraries
(`bench/accuracy/measure.cpp`), installs astronomy-engine into a scratch
folder of the build directory, runs both, pairs the values and aggregates
them with Python (`bench/accuracy/compare.py`), and draws the plots with
gnuplot. It takes a few minutes on two cores.""" % versions)

    P("""## Summary

Errors are program minus reference: a positive error means the program's
instant is later (or its value larger). "max", "median" and "95th percentile"
are of the absolute error; "signed mean" keeps the sign and shows a bias.
Times are universal time (UT) as the reports show them; pp are percentage
points of the illuminated disk.

""" + STATS_HEAD + "\n" + "\n".join(summary))
    n5, same5, diff5 = kinds[MAIN]
    n5w, same5w, diff5w = kinds[WIDE]
    easter_n = ea["greg"][0] + ea["jul"][0]
    easter_bad = ea["greg"][1] + ea["jul"][1]
    P("""- Kind of eclipse (partial, total, annular solar; partial, total lunar):
  the same on both sides for %d of %d eclipses in 1900..2100 and for %d of
  %d in 1000..3000; every difference is [listed below](#kind-of-eclipse).
- ISO week numbers: %d of %d days of the years 1583..9999 agree with
  Python's `datetime` (the others: see [Calendar](#calendar)).
- Easter Sunday: %d of %d years 1..10000 agree with an independent
  computation.""" % (same5, n5, same5w, n5w, wk["all"][0] - wk["all"][1], wk["all"][0],
                     easter_n - easter_bad, easter_n))

    P("""## How the comparison is made

- **Program side.** `nb_accuracy` calls the very functions the reports call:
  `moonphase`, `moonillumination`, `eclipse`, `seasonstart`, `riseset`,
  `weeknumber`, `easterdate` and `eastermarchday`. Instants are taken in
  universal time (the flag the reports pass) and once more in dynamical time
  (TT, the same instant before Delta T is subtracted).
- **Reference.** astronomy-engine computes the Earth from VSOP87 and the Moon
  from Brown's lunar theory as the Improved Lunar Ephemeris of 1954 gives it
  (a far longer series than the low-precision one nachtblick uses for rise
  and set), with precession, nutation, aberration and light time. Its Delta T
  is the same set of Espenak and Meeus polynomials, evaluated continuously;
  nachtblick evaluates them once for the middle of each calendar month.
- **Pairing.**
  - Moon phases: each phase of the program with the reference's quarter of
    the same kind nearest in time, within +-1 day. %d phases of the program
    and %d of the reference stayed unpaired.
  - Eclipses: each eclipse of the program with the reference's eclipse of the
    same body (solar or lunar) nearest in time, within +-1 day; eclipses left
    over on either side count as "none" on the other.
  - Equinoxes and solstices: by year and season. Illuminated fraction: the
    same instant, 0h UT of each day.
  - Rise, set and twilight: for the program's date and zone, each time the
    program finds is paired with the reference's crossing of the same
    direction within +-3 hours; whether a crossing exists at all is decided
    by the reference's search over the same day (0h to 24h of zone time).
- **Years** are calendar years of the event (Julian calendar up to
  4 October 1582, as in the program).
- **Sampling.** Every phase, eclipse and season of 1000..3000. The
  illuminated fraction every day of 1900..2100 and every %dth day of
  1000..3000. Rise and set at %d places on every %dth day of 1900..2100 and
  every %dth day of 1000..3000, each day with all five events: a denser
  sample would only make the run longer, not the figures different.""" % (
        ph_unpaired, ph_ref_unpaired, ILLUM_STEP[WIDE], len(places), RISESET_STEP[MAIN],
        RISESET_STEP[WIDE]))

    # ------------------------------------------------------------ phases
    rows = instant_rows("phase instant", ph)
    for q in range(4):
        s_ = [p for p in sel(ph, MAIN) if p[5] == q]
        rows.append(stats_row(PHASE_NAMES[q] + ", UT", MAIN, st(s_, 2), 1, "s"))
    s_ = [p for p in ph if 2000 <= p[0] <= 2020]
    rows.append(stats_row("phase instant, UT", (2000, 2020), st(s_, 2), 1, "s"))
    rows.append(stats_row("the same without the 2000..2020 adjustment", (2000, 2020),
                          stats([p[2] - p[4] for p in s_], [p[0] for p in s_]), 1, "s"))
    pk = sel(ph, MAIN)
    rows.append(stats_row("phase instant, UT, against the package's own quarters", MAIN,
                          stats([p[7] for p in pk], [p[0] for p in pk]), 1, "s"))
    adj = [p[4] for p in ph if p[4] != 0.0]
    with_adj = stats([p[2] for p in s_], [p[0] for p in s_])
    without_adj = stats([p[2] - p[4] for p in s_], [p[0] for p in s_])
    adj_effect = ("farther from" if abs(with_adj["mean"]) > abs(without_adj["mean"])
                  else "nearer to")
    fit = quadfit([(p[6] - 2000) / 100.0 for p in ph], [p[1] for p in ph])
    P("""## Moon phases

**Source.** Meeus, *Astronomical Algorithms*, ch. 49: the mean phase of
eq. 49.1 (a polynomial in the lunation number k with terms in T^2, T^3 and
T^4), the periodic terms and the 14 additional corrections, in dynamical time;
then Delta T of Espenak and Meeus. Between 2000 and 2020 the program adds a
small adjustment of its own (0.536 (year - 2001.6) + 0.5 seconds, %s s to
%s s) before Delta T.

**Reference.** The quarters are the instants when the apparent geocentric
longitudes of the Moon and the Sun differ by 0, 90, 180 or 270 degrees, the
definition Meeus and the almanacs use. astronomy-engine's own
`SearchMoonQuarter` compares geometric longitudes, without the Sun's
aberration of about 20", and so finds every quarter about 40 s later (last
row of the table); the reference script therefore takes its quarter only as
the start of three Newton steps on the apparent elongation, from the
package's `EclipticGeoMoon` and `SunPosition`.

""" % (fmt(min(adj), 1) if adj else "0", fmt(max(adj), 1) if adj else "0")
      + STATS_HEAD + "\n" + "\n".join(rows))
    main_ut = st(sel(ph, MAIN), 2)
    P("""![Moon phases: error against year](accuracy/phases.png)

Within 1900..2100 every phase lies within %s s of the reference (median
%s s). Away from 2000 the difference grows with the square of the time: a
least-squares parabola through the TT errors of 1000..3000 is
%s seconds, with T in centuries from 2000. It is the same in TT
and in UT; the lower panel shows what the time scale adds: at most about a
second from the two ways of evaluating the same Delta T polynomials, and the
program's 2000..2020 adjustment. That adjustment moves the phases of
2000..2020 %s the reference: mean error %s s with it, %s s without. The
growth does not come from Delta T: it is the difference between the secular
terms of the two lunar theories, the T^2 term of Meeus's mean phase against
those of Brown's theory in the reference. The comparison alone cannot tell
which of the two is nearer to the real Moon there. Mean errors in 200-year
bins:

""" % (fmt(main_ut["max"], 0), fmt(main_ut["median"], 0), poly_text(fit), adj_effect,
       fmt(with_adj["mean"], 1), fmt(without_adj["mean"], 1))
      + bins_table(ph))

    # ------------------------------------------------------ illumination
    rows = []
    for w in WINDOWS:
        rows.append(stats_row("illuminated fraction at 0h UT", w, stats(
            [r[1] for r in il[w]], [r[0] for r in il[w]]), 3, "pp"))
    P("""## Illuminated fraction

**Source.** Meeus ch. 48, the low-precision method: the phase angle from the
Moon's mean elongation and the two mean anomalies (ch. 47), then
(1 + cos i) / 2. The program evaluates it at 0h UT with the universal-time
Julian Date as its time argument. **Reference.** `Illumination(Body.Moon)`,
its `phase_fraction`, at the same instant. Errors in percentage points (pp)
of the disk; the report prints the value with two decimals.

""" + STATS_HEAD + "\n" + "\n".join(rows))

    # ----------------------------------------------------------- eclipses
    rows = []
    for w in WINDOWS:
        for body in ("solar", "lunar"):
            ps = [p for p in ec_pairs if p["body"] == body and in_window(p["year"], w)]
            ys = [p["year"] for p in ps]
            rows.append(stats_row(body + " eclipse, greatest eclipse, UT", w,
                                  stats([p["err_ut"] for p in ps], ys), 1, "s"))
            rows.append(stats_row(body + " eclipse, greatest eclipse, TT", w,
                                  stats([p["err_tt"] for p in ps], ys), 1, "s"))
            rows.append(stats_row(body + " eclipse, abs(gamma)", w,
                                  stats([p["err_gamma"] for p in ps], ys), 4))
    P("""## Eclipses

**Source.** Meeus ch. 54: the instant of greatest eclipse from the mean phase
and a short set of periodic terms, gamma and the umbral radius u from P and Q, and the
classification by thresholds on gamma and u. **Reference.**
`SearchGlobalSolarEclipse` / `NextGlobalSolarEclipse` (peak: the instant the
shadow axis passes closest to the Earth's centre; abs(gamma) = that distance
divided by the Earth's equatorial radius, 6378.1366 km) and
`SearchLunarEclipse` / `NextLunarEclipse` (peak; abs(gamma) computed from the
package's Moon and Earth vectors at the peak as the distance of the Moon's
centre from the axis of the Earth's shadow, in the same unit). gamma is
compared by its absolute value.

""" + STATS_HEAD + "\n" + "\n".join(rows) + """

![Eclipses: error against year](accuracy/eclipses.png)

The instants follow the same parabola as the phases: both start from the
mean phase of eq. 49.1. Near 2000 they are less exact than the phases,
as ch. 54 has fewer periodic terms and no additional corrections.""")

    solar_cols = ("partial", "total", "annular", "none")
    lunar_rows = ("partial", "total", "none")
    lunar_cols = ("penumbral", "partial", "total", "none")
    P("""### Kind of eclipse

The program knows five kinds: partial, total and annular solar eclipses, and
partial and total lunar eclipses (no penumbral ones). The tables count the
eclipses of both sides by the program's kind (rows) and the reference's
(columns); the diagonal agrees. Two rules differ by design: the reference
calls every solar eclipse whose shadow axis misses the Earth partial, while
the program gives a non-central eclipse the kind of its umbra (total or
annular) as long as abs(gamma) < 0.9972 + abs(u); and the reference names a
hybrid eclipse by its kind at greatest eclipse, while the program counts
annular-total eclipses with a small u as total. Penumbral lunar eclipses that
the program does not report are not counted as differences.

Solar, 1900..2100:

%s

Lunar, 1900..2100:

%s

Solar, 1000..3000:

%s

Lunar, 1000..3000:

%s

Every eclipse of 1900..2100 whose kind differs:

%s

<details><summary>All %d of 1000..3000</summary>

%s

</details>""" % (confusion(ec_records, "solar", MAIN, solar_cols, solar_cols),
                 confusion(ec_records, "lunar", MAIN, lunar_rows, lunar_cols),
                 confusion(ec_records, "solar", WIDE, solar_cols, solar_cols),
                 confusion(ec_records, "lunar", WIDE, lunar_rows, lunar_cols),
                 disagreement_table(diff5), len(diff5w), disagreement_table(diff5w)))

    # ------------------------------------------------------------ seasons
    rows = instant_rows("season start", se)
    for q in range(4):
        s_ = [p for p in sel(se, MAIN) if p[5] == q + 1]
        rows.append(stats_row(("March equinox", "June solstice", "September equinox",
                               "December solstice")[q] + ", UT", MAIN, st(s_, 2), 1, "s"))
    P("""## Equinoxes and solstices

**Source.** Meeus ch. 27: the mean instant from the polynomials of Tables
27.A and 27.B, corrected by the 24 periodic terms of Table 27.C, in dynamical
time; then Delta T. **Reference.** `Seasons(year)`: the instants when the
Sun's apparent geocentric longitude is 0, 90, 180 and 270 degrees.

""" + STATS_HEAD + "\n" + "\n".join(rows) + """

![Equinoxes and solstices: error against year](accuracy/seasons.png)

The scatter of some tens of seconds is the price of the short Table 27.C
(24 periodic terms). On top of it lies a slow drift over the centuries,
which the TT rows show to belong to the series, not to Delta T. Mean errors
in 200-year bins:

""" + bins_table(se))

    # ------------------------------------------------------- rise and set
    rows = []
    for w in WINDOWS:
        for t in EVENT_ORDER:
            rows.append(stats_row(EVENT_NAMES[t], w, stats(rs[w]["errs"][t], rs[w]["years"][t]),
                                  1, "s"))
    place_rows = ["| place | latitude | longitude | zone | Sun: 95th pct / max | Moon: 95th pct / "
                  "max | twilights: 95th pct / max |", "|---|--:|--:|--:|--:|--:|--:|"]
    for i, (name, lat, lon, zone) in enumerate(places):
        cells = []
        for ts in ((0,), (1,), (-1, -2, -3)):
            e = [x for t in ts for x in rs[MAIN]["per_place"][(i, t)]]
            s_ = stats(e, [0] * len(e))
            cells.append("%s s / %s s" % (fmt(s_["p95"], 0), fmt(s_["max"], 0)) if s_ else "")
        place_rows.append("| %s | %.2f | %.2f | %+d | %s |" % (name, lat, lon, zone,
                                                              " | ".join(cells)))
    cross_rows = ["| event | window | found by both | by the program only | by the reference "
                  "only | program's time without a reference crossing within +-3 h |",
                  "|---|---|--:|--:|--:|--:|"]
    for w in WINDOWS:
        for t in EVENT_ORDER:
            c = rs[w]["cross"][t]
            cross_rows.append("| %s | %d..%d | %d | %d | %d | %d |" % (
                EVENT_NAMES[t], w[0], w[1], c["both"], c["prog"], c["ref"], c["unpaired"]))
    nc_rows = ["| event | window | days without a crossing | both: above | both: below | above "
               "and below swapped | only the program | only the reference | reference check "
               "failed |", "|---|---|--:|--:|--:|--:|--:|--:|--:|"]
    for w in WINDOWS:
        for t in EVENT_ORDER:
            c = rs[w]["nocross"][t]
            nc_rows.append("| %s | %d..%d | %d | %d (\"%s\") | %d (\"%s\") | %d | %d | %d | %d |"
                           % (EVENT_NAMES[t], w[0], w[1], c["days"], c["above"],
                              horizon_text(t, True), c["below"], horizon_text(t, False),
                              c["disagree"], c["prog_only"], c["ref_only"], c["ref_check"]))
    case_rows = ["| place | date | event | program | reference |", "|---|---|---|---|---|"]
    for place, mjd, t, ptxt, rtxt in rs[MAIN]["cases"]:
        case_rows.append("| %s | %s | %s | %s | %s |" % (
            places[place][0], datestr(mjd + MJD, False), EVENT_NAMES[t], ptxt, rtxt))
    wide_cases = ["| place | date | event | program | reference |", "|---|---|---|---|---|"]
    for place, mjd, t, ptxt, rtxt in rs[WIDE]["cases"]:
        wide_cases.append("| %s | %s | %s | %s | %s |" % (
            places[place][0], datestr(mjd + MJD, False), EVENT_NAMES[t], ptxt, rtxt))
    P("""## Rise, set and twilight

**Source.** The low-precision Sun and Moon of Montenbruck and Pfleger
(*Astronomy on the Personal Computer*, ch. 3; about 1' for the Sun and a few
arcminutes for the Moon), the altitude sampled every hour of the day and a
three-point parabola through each two-hour window. The altitudes that count
as rising or setting: the Sun's centre at -50' (34' refraction and 16'
semidiameter), the Moon's centre at +8' geocentric (its parallax of about 57'
less refraction and semidiameter), civil, nautical and astronomical twilight
at -6, -12 and -18 degrees. **Reference.** `SearchAltitude` for the Sun's
centre at -50', -6, -12 and -18 degrees (geometric, as the program), and
`SearchRiseSet` for the Moon: its upper limb, topocentric, with the same 34'
of refraction, the physical event that the geocentric +8' stands for.

Places (zone: whole hours nearest longitude / 15, so that a day is the local
day):

""" + "\n".join(place_rows) + "\n\n" + STATS_HEAD + "\n" + "\n".join(rows) + """

![Rise and set: distribution of the errors](accuracy/riseset.png)

The Sun's and the twilights' errors have two peaks at about +-15 s: that is
the three-point parabola, whose error vanishes at the hourly samples and
reaches some 15 s between them, with the sign of the third derivative of the
altitude curve. The Moon adds the error of its short series and the fixed
+8', which stands for a parallax that varies between 54' and 61'. Wherever
the Sun or the Moon crosses its altitude at a shallow angle, a small error in
altitude makes a large one in time: near the polar circles and beyond, and
for twilight where the Sun only just reaches the twilight altitude (the
astronomical twilight of a Berlin June). The table of places shows it, and
so does 1000..3000, where the short series are also evaluated far from their
epoch, with universal time as their argument (off by Delta T, which is
26 minutes in the year 1000).

Whether a crossing exists on a day: counts of rises and sets (each direction
on its own).

""" + "\n".join(cross_rows) + """

Days without any crossing, where the report prints "immer sichtbar" or "nie
sichtbar" (Sun and Moon) and "immer hell" or "immer dunkel" (twilights), by
the altitude at 0h. For each such day of the reference, the script also
checks its altitude at the day's ends and at the upper and lower transits,
where it is extreme; "reference check failed" counts the days on which that
altitude crosses the horizon after all, so that the reference's own search
would have missed a crossing.

""" + "\n".join(nc_rows) + """

Every day of 1900..2100 on which the two sides disagree about a crossing or
about the text (these are days when the body just grazes its altitude):

""" + "\n".join(case_rows) + """

<details><summary>The same for 1000..3000 (%d days)</summary>

""" % len(rs[WIDE]["cases"]) + "\n".join(wide_cases) + """

</details>""")

    # ------------------------------------------------------------ calendar
    P("""## Calendar

- **ISO week numbers** (`weeknumber` with iso 1) against Python's
  `datetime.date.isocalendar()`, every day of %d..%d: %d days, %d differ
  (1900..2100: %d days, %d differ).%s
- **Easter Sunday** (`easterdate`) against the anonymous Gregorian algorithm
  (Meeus ch. 8) for 1583..10000 (%d years, %d differ) and against the Julian
  algorithm (Meeus ch. 8) for 1..1582 (%d years, %d differ); the Julian
  computus `eastermarchday(year, 1)` against the Julian algorithm for every
  year 1..10000 (%d years, %d differ). Every Gregorian Easter Sunday of
  1583..9999 falls on a Sunday by `datetime` (%d years, %d not).""" % (
        wk_years[0], wk_years[1], wk["all"][0], wk["all"][1], wk[MAIN][0], wk[MAIN][1],
        week_note(wk_bad), ea["greg"][0], ea["greg"][1], ea["jul"][0], ea["jul"][1],
        ea["julall"][0], ea["julall"][1], ea["sunday"][0], ea["sunday"][1]))

    P("""## Where the errors come from

- **Delta T.** Both sides use the Espenak and Meeus polynomials, so this
  comparison does not see the uncertainty of Delta T itself. That
  uncertainty is the largest one in universal time far from today: the
  polynomials before about 1600 rest on ancient and medieval eclipse records
  and are uncertain by a minute or more, and after about 2020 they are an
  extrapolation (a parabola from 2150 on) that may be off by a minute or more
  by 2100 and by much more by 3000. Every instant in UT inherits that error
  one to one; the TT rows above show the series without it.
- **Secular terms.** Far from 2000 the phases and eclipses are dominated by
  the difference between the lunar theories (Meeus eq. 49.1 against Brown's
  theory in the reference), and the seasons by the drift of the mean-instant
  polynomials of Tables 27.A and 27.B.
- **Polar latitudes.** Where the Sun or the Moon moves almost along the
  horizon, rise, set and twilight times become very sensitive to any error,
  and days with one crossing, with two or with none lie close together.
- **Refraction near the horizon.** Both sides use a fixed 34'. Real
  refraction varies with temperature and pressure by several arcminutes,
  which moves real rise and set times by a minute or more at mid latitudes
  and by much more near the polar circles: more than the program's own error.
- **The program's simplifications** measured above: the short Sun and Moon
  series with universal time as their time argument, the fixed +8' for the
  Moon, the parabola through hourly samples, the illuminated fraction from
  mean elements, the fewer terms of the eclipse instants.""")


def poly_text(c):
    """a + b T + c T^2 with the signs written as such."""
    terms = [fmt(c[0], 1)]
    for v, t in ((c[1], " T"), (c[2], " T^2")):
        terms.append(("- " if v < 0 else "+ ") + fmt(abs(v), 2 if t == " T^2" else 1) + t)
    return " ".join(terms)


def week_note(bad):
    if not bad:
        return ""
    if all(b[0] == 1583 for b in bad):
        days = ", ".join("%d-%02d-%02d (program %d)" % b for b in bad)
        return (" The differing days are %s: Python's calendar is the proleptic Gregorian one, in "
                "which 1582 has 365 days and began on another weekday, while the program counts "
                "the weeks of 1582 in the calendar then in force, from Monday 1 January (Julian) "
                "through the reform, when Thursday 4 October was followed by Friday 15 October; "
                "so the week of 1 January 1583 is its 51st." % days)
    return " First differing days: " + ", ".join("%d-%02d-%02d (program %d)" % b for b in bad)


if __name__ == "__main__":
    main()
