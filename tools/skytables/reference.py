#!/usr/bin/env python3
"""Writes tests/data/calendar/sky-reference.csv: the moments of the 24 solar terms and of the
new moons of a few years, from astropy's built-in ephemeris (the Earth from ERFA's epv00, the
Moon from ERFA's moon98; apparent places with IAU 2006/2000A precession and nutation). It is the
independent judge of calendar/sky.cpp, run once:

    /usr/bin/python3 tools/skytables/reference.py tests/data/calendar/sky-reference.csv

Times are Julian days on Terrestrial Time, so that the judgement leaves ΔT aside. Needs
python3-astropy (Debian 12: astropy 5.2, pyerfa 2.0), no network.
"""
import sys
import warnings

import numpy as np
from astropy.coordinates import GeocentricTrueEcliptic, get_body
from astropy.time import Time

warnings.simplefilter("ignore")  # astropy warns that it uses no downloaded IERS table
YEARS = [1901, 1957, 2026, 2027, 2057, 2100]


def longitude(body, jd):
    t = Time(jd, format="jd", scale="tt")
    return get_body(body, t).transform_to(GeocentricTrueEcliptic(equinox=t)).lon.deg


def wrap(degrees):
    return (degrees + 180.0) % 360.0 - 180.0


def crossings(difference, first, last):
    """The roots of difference(jd) in [first, last] where it goes up through zero, bisected."""
    days = np.arange(first, last + 1.0)
    values = difference(days)
    lo = days[:-1][(values[:-1] < 0) & (values[1:] >= 0) & (values[1:] - values[:-1] < 90)]
    hi = lo + 1.0
    for _ in range(40):
        mid = (lo + hi) / 2
        up = difference(mid) >= 0
        hi = np.where(up, mid, hi)
        lo = np.where(up, lo, mid)
    return (lo + hi) / 2


def main():
    rows = ["kind,year,index,jde"]
    for year in YEARS:
        first = Time(f"{year}-01-01", scale="tt").jd - 0.5
        last = Time(f"{year + 1}-01-01", scale="tt").jd - 0.5
        sun = lambda jd, target: wrap(longitude("sun", jd) - target)
        for index in range(24):
            target = (285 + 15 * index) % 360
            found = crossings(lambda jd: sun(jd, target), first, last)
            assert len(found) == 1, (year, index, found)
            rows.append(f"term,{year},{index},{found[0]:.6f}")
        elongation = lambda jd: wrap(longitude("moon", jd) - longitude("sun", jd))
        for index, jd in enumerate(crossings(elongation, first, last)):
            rows.append(f"newmoon,{year},{index},{jd:.6f}")
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
