#pragma once

// Where the Sun and the Moon stand, seen from the centre of the Earth, and the moments the
// calendar is built on: when the Sun reaches a given apparent longitude (the 24 solar terms) and
// when the Moon overtakes it (new moon). The Sun comes from VSOP87D, the Moon from the ELP-2000/82
// series as truncated in Meeus's Astronomical Algorithms (ch. 47), nutation from the IAU 1980
// series (its largest terms), and ΔT from the Espenak–Meeus polynomials. Times are Julian days:
// "jde" on Terrestrial Time, "jd" on Universal Time. Accurate to well under a minute over
// 1900-2101; usable, with a growing ΔT error, from 1800 to 2200.

namespace calendar::sky {

// Julian day of 2000-01-01 12:00 TT, the epoch of the series.
inline constexpr double j2000 = 2451545.0;

// TT − UT in seconds for a decimal year (1990.5 is the middle of 1990).
double deltaT(double decimalYear);
double universalFromTerrestrial(double jde);
double terrestrialFromUniversal(double jd);

// Nutation in longitude, in degrees.
double nutationInLongitude(double jde);
// The Sun's apparent geocentric longitude, in degrees [0, 360): true equinox of date, FK5,
// aberration included.
double apparentSunLongitude(double jde);
// The Moon's apparent geocentric longitude, in degrees [0, 360).
double apparentMoonLongitude(double jde);

// The moment (jde) the Sun's apparent longitude reaches the given degrees, the one nearest to
// the guess (the guess must lie within about two months of it).
double sunReachesLongitude(double degrees, double jdeGuess);
// The moment (jde) of the new moon nearest to the guess (within about ten days of it).
double newMoonNear(double jdeGuess);
// The new moon of lunation k: 0 is the one of 2000-01-06, negative ones before it.
double newMoonOfLunation(int k);
// The lunation whose new moon is the last at or before the moment.
int lunationAtOrBefore(double jde);

} // namespace calendar::sky
