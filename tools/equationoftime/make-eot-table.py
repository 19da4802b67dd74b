#!/usr/bin/python3
"""Writes the equation of time at Greenwich, 1901-2100, from astropy's ephemeris (ERFA).

The table judges calendar/solartime in the tests; nothing in the program reads it. Each row is
an instant of Universal Time (the 1st and the 15th of every month at 12:00) and the apparent
solar time minus the mean solar time at that instant, in minutes: the Sun's apparent hour angle
at Greenwich (Greenwich apparent sidereal time, IAU 2006/2000A, minus the Sun's right ascension
on the true equator and equinox of date) plus 12 hours, minus UT1.

UT1 is taken equal to UTC (no Earth-orientation data is fetched): a second of UT1 moves the
equation of time by well under a thousandth of a minute.

Usage: /usr/bin/python3 tools/equationoftime/make-eot-table.py tests/data/solartime/eot-1901-2100.csv
"""
import sys
import warnings

import numpy as np
from astropy import units as u
from astropy.coordinates import TETE, get_sun
from astropy.time import Time
from astropy.utils import iers

iers.conf.auto_download = False
warnings.simplefilter("ignore")  # ERFA calls UTC before 1960 and after the last leap second dubious


def main(path):
    stamps = [f"{y:04d}-{m:02d}-{d:02d}T12:00:00"
              for y in range(1901, 2101) for m in range(1, 13) for d in (1, 15)]
    t = Time(stamps, scale="utc")
    t.delta_ut1_utc = np.zeros(len(stamps))
    sun = get_sun(t).transform_to(TETE(obstime=t))
    gast = t.sidereal_time("apparent", longitude=0 * u.deg)
    hour_angle = (gast - sun.ra).wrap_at(180 * u.deg).to(u.hourangle).value
    ut_hours = 12.0
    eot = (hour_angle + 12.0 - ut_hours) * 60.0
    eot = (eot + 720.0) % 1440.0 - 720.0
    with open(path, "w", encoding="utf-8") as out:
        out.write("# Equation of time (apparent minus mean solar time) at 12:00 UT, minutes.\n")
        out.write("# Written by tools/equationoftime/make-eot-table.py with astropy "
                  f"{__import__('astropy').__version__} (ERFA): see that script.\n")
        out.write("utc,eot_minutes\n")
        for stamp, value in zip(stamps, eot):
            out.write(f"{stamp[:16]},{value:.3f}\n")


if __name__ == "__main__":
    main(sys.argv[1])
