#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the coefficient tables of the precise Sun and Moon as C++ headers
# under astro/ from the data of the npm package astronomia (MIT), which
# carries Meeus's and Bretagnon and Francou's published tables:
#
#   npm install --prefix /tmp/astronomia astronomia@4.2.0
#   scripts/astrotables.py /tmp/astronomia/node_modules/astronomia
#   clang-format -i astro/*terms.h
#
# The VSOP87D Earth series are cut to the terms that Meeus keeps in his
# Appendix III (the largest ones of each series); every other table is
# taken whole. Units become degrees, kilometres, arcseconds and days.
import decimal
import os
import re
import sys

src = sys.argv[1]
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "astro")


def read(path):
    return open(os.path.join(src, path), encoding="utf-8").read()


def number(x):
    """A floating literal: integers get '.0' so that no table entry reads as an int."""
    s = format(decimal.Decimal(repr(float(x))), "f")
    return s if "." in s else s + ".0"


def write(name, text):
    with open(os.path.join(out, name), "w", encoding="utf-8") as f:
        f.write(text)


def rows(text):
    return [[float(v) for v in r.split(",")] for r in re.findall(r"\[([-\d.,\se]+)\]", text)]


def header(guard, comment, body):
    return (f"// SPDX-License-Identifier: MIT\n{comment}"
            f"// Written by scripts/astrotables.py; do not edit by hand.\n"
            f"#ifndef {guard}\n#define {guard}\n\n{body}\n#endif\n")


# VSOP87D Earth: Meeus, Astronomical Algorithms, 2nd ed., Appendix III.
MEEUS_COUNTS = {"L": [64, 34, 20, 7, 3, 1], "B": [5, 2], "R": [40, 10, 6, 2, 1]}
vsop = read("data/vsop87Dearth.js")
body = ["struct Vsop87Term {\n  double a, b, c;  // a cos(b + c tau): a in rad or au, b in rad, c in"
        " rad per millennium\n};\n"]
for var, counts in MEEUS_COUNTS.items():
    block = re.search(var + r": \{(.*?)\n  \}", vsop, re.S).group(1)
    series = re.split(r'"\d": ', block)[1:]
    for power, (text, count) in enumerate(zip(series, counts)):
        terms = sorted(rows(text), key=lambda t: -abs(t[0]))[:count]
        lines = "".join(f"    {{{number(a)}, {number(b)}, {number(c)}}},\n" for a, b, c in terms)
        body.append(f"inline constexpr Vsop87Term kEarth{var}{power}[] = {{\n{lines}}};\n")
write("vsop87earthterms.h", header(
    "NACHTBLICK_VSOP87EARTHTERMS_H",
    "// The Earth's heliocentric ecliptic longitude L, latitude B and radius\n"
    "// vector R referred to the mean equinox of date: VSOP87D (Bretagnon and\n"
    "// Francou, Astron. Astrophys. 202, 309, 1988), cut to the terms of Meeus,\n"
    "// Astronomical Algorithms, 2nd ed., 1998, Appendix III. Series n is\n"
    "// multiplied by tau^n, tau in Julian millennia from J2000.0 (TD).\n",
    "\n".join(body)))

# Meeus tables 47.A and 47.B: multiples of D, M, M', F; sine (longitude,
# latitude, degrees) and cosine (distance, km) coefficients.
moon = read("src/moonposition.js")
ta = rows(re.search(r"const ta = \[(.*?)\n  \]", moon, re.S).group(1))
tb = rows(re.search(r"const tb = \[(.*?)\n  \]", moon, re.S).group(1))
assert len(ta) == 60 and len(tb) == 60, (len(ta), len(tb))
mult = lambda r: ", ".join(str(int(v)) for v in r[:4])
body = ("struct MoonTerm {\n  signed char d, m, mp, f;  // multiples of D, M, M', F\n"
        "  double sine, cosine;       // degrees (longitude or latitude); km (distance)\n};\n\n"
        "// Table 47.A: longitude (sine) and distance (cosine).\n"
        "inline constexpr MoonTerm kMoonLongitudeDistance[] = {\n" +
        "".join(f"    {{{mult(r)}, {number(r[4] * 1e-6)}, {number(r[5] * 1e-3)}}},\n" for r in ta) +
        "};\n\n// Table 47.B: latitude (sine).\n"
        "inline constexpr MoonTerm kMoonLatitude[] = {\n" +
        "".join(f"    {{{mult(r)}, {number(r[4] * 1e-6)}, 0.0}},\n" for r in tb) + "};\n")
write("moonterms.h", header(
    "NACHTBLICK_MOONTERMS_H",
    "// Periodic terms of the Moon's geocentric longitude, latitude and distance\n"
    "// (Meeus, Astronomical Algorithms, 2nd ed., 1998, tables 47.A and 47.B,\n"
    "// after Chapront's ELP-2000/82); the book's units of 0.000001 degree and\n"
    "// 0.001 km are here degrees and km.\n", body))

# Meeus table 22.A (IAU 1980 nutation, terms from 0.0003").
nut = read("src/nutation.js")
t22 = rows(re.search(r"const tab = \[(.*?)\n  \]", nut, re.S).group(1))
assert len(t22) == 63, len(t22)
arc = lambda v: number(round(v * 1e-4, 9))
body = ("struct NutationTerm {\n  signed char d, m, mp, f, om;  // multiples of D, M, M', F, Omega\n"
        "  double psi, psit, eps, epst;  // arcseconds: (psi + psit T) sin, (eps + epst T) cos\n"
        "};\n\ninline constexpr NutationTerm kNutationTerms[] = {\n" +
        "".join(f"    {{{', '.join(str(int(v)) for v in r[:5])}, {arc(r[5])}, {arc(r[6])}, "
                f"{arc(r[7])}, {arc(r[8])}}},\n" for r in t22) + "};\n")
write("nutationterms.h", header(
    "NACHTBLICK_NUTATIONTERMS_H",
    "// Periodic terms of the nutation in longitude and obliquity (IAU 1980\n"
    "// theory, Meeus, Astronomical Algorithms, 2nd ed., 1998, table 22.A); the\n"
    "// book's unit of 0.0001\" is here the arcsecond.\n", body))

# Meeus table 50.A: perigee and apogee corrections (days) and parallaxes (").
aps = read("src/apsis.js")


def terms(method, func):
    """(d, m, f, c0, c1) of each line 'COEF * FUNC(ARG) +' of a method; the
    constant term, if any, first with d = m = f = 0."""
    text = re.search(method + r" \(\) \{(.*?)\n  \}", aps, re.S).group(1)
    out = []
    for line in text.split("\n"):
        line = line.strip().rstrip("+").strip()
        if line.startswith("return "): line = line[len("return "):]
        if not line or line.startswith(("const", "//")): continue
        coef, _, arg = line.partition(" * " + func + "(")
        value = lambda e, **v: eval(e.replace("l.", ""), {}, dict(dict(s=1, T=0, D=0, M=0, F=0), **v))
        c0, c1 = value(coef), round(value(coef, T=1) - value(coef), 10)
        arg = arg[:-1] if arg else "0"
        mult = [round(value(arg, **{x: 1}) - value(arg)) for x in "DMF"]
        out.append((*mult, c0, c1))
    return out


def table(name, rows_):
    return (f"inline constexpr ApsisTerm {name}[] = {{\n" +
            "".join(f"    {{{d}, {m}, {f}, {number(c0)}, {number(c1)}}},\n" for d, m, f, c0, c1 in rows_) +
            "};\n")


peri, apo = terms("perigeeCorr", "sin"), terms("apogeeCorr", "sin")
pperi, papo = terms("perigeeParallax", "cos"), terms("apogeeParallax", "cos")
print("apsis terms", len(peri), len(apo), len(pperi), len(papo), file=sys.stderr)
body = ("struct ApsisTerm {\n  signed char d, m, f;  // multiples of D, M, F\n"
        "  double c, ct;          // (c + ct T) sin (instants, days) or cos (parallaxes, \")\n};\n\n"
        "// The constant parallaxes, arcseconds.\n"
        f"constexpr double kPerigeeParallax = {number(pperi[0][3])};\n"
        f"constexpr double kApogeeParallax = {number(papo[0][3])};\n\n" +
        table("kPerigeeTerms", peri) + "\n" + table("kApogeeTerms", apo) + "\n" +
        table("kPerigeeParallaxTerms", pperi[1:]) + "\n" + table("kApogeeParallaxTerms", papo[1:]))
write("apsisterms.h", header(
    "NACHTBLICK_APSISTERMS_H",
    "// Periodic terms of the instants and equatorial horizontal parallaxes of\n"
    "// the Moon's perigee and apogee (Meeus, Astronomical Algorithms, 2nd ed.,\n"
    "// 1998, table 50.A).\n", body))
