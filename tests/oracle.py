# SPDX-License-Identifier: MIT
"""Dates, Julian Days and Easter computed independently of the program, after
Meeus, Astronomical Algorithms, 2nd ed., 1998, ch. 7 (Julian Day) and ch. 8
(date of Easter), in the calendar of the reports: Julian up to 4 October
1582, Gregorian from 15 October 1582. Imported by tests/data/crosscheck.py
and bench/accuracy/compare.py."""
import math


def jd_of(y, m, d):
    """Julian Day of 0h of a date (Meeus ch. 7)."""
    if m <= 2:
        y, m = y - 1, m + 12
    b = 2 - y // 100 + y // 400 if (y, m, d) >= (1582, 10, 15) else 0
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + d + b - 1524.5


def date_of(jd):
    """(year, month, day with its fraction) of a Julian Day (Meeus ch. 7)."""
    z = a = math.floor(jd + 0.5)
    if z >= 2299161:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - alpha // 4
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    e = math.floor((b - math.floor(365.25 * c)) / 30.6001)
    m = e - 1 if e < 14 else e - 13
    d = b - math.floor(365.25 * c) - math.floor(30.6001 * e) + (jd + 0.5 - z)
    return (c - 4716 if m > 2 else c - 4715), m, d


def weekday(y, m, d):
    """0 for Sunday (Meeus ch. 7: JD + 1.5 modulo 7)."""
    return int(jd_of(y, m, d) + 1.5) % 7


def exists(y, m, d):
    """Whether the date is one of the calendar; false for 5..14 October 1582."""
    return 1 <= m <= 12 and date_of(jd_of(y, m, d)) == (y, m, d)


def easter(y):
    """Julian Day of Easter Sunday (Meeus ch. 8): the Julian algorithm up to
    1582, the anonymous Gregorian one from 1583."""
    if y <= 1582:
        d = (19 * (y % 19) + 15) % 30
        e = (2 * (y % 4) + 4 * (y % 7) - d + 34) % 7
        return jd_of(y, (d + e + 114) // 31, (d + e + 114) % 31 + 1)
    a, b, c = y % 19, y // 100, y % 100
    h = (19 * a + b - b // 4 - (b - (b + 8) // 25 + 1) // 3 + 15) % 30
    l = (32 + 2 * (b % 4) + 2 * (c // 4) - h - c % 4) % 7
    m = (a + 11 * h + 22 * l) // 451
    return jd_of(y, (h + l - 7 * m + 114) // 31, (h + l - 7 * m + 114) % 31 + 1)
