#include "calendar/sky.h"

#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace calendar::sky {

namespace {

struct VsopTerm
{
    double amplitude, phase, frequency;
};

#include "calendar/vsop87earth.inc"

constexpr double degree = std::numbers::pi / 180.0;
constexpr double arcsecond = 1.0 / 3600.0; // in degrees

double wrap360(double degrees)
{
    return degrees - 360.0 * std::floor(degrees / 360.0);
}

double wrap180(double degrees)
{
    return degrees - 360.0 * std::floor((degrees + 180.0) / 360.0);
}

// A VSOP87 variable: the sum of its power series in Julian millennia from J2000.
template<std::size_t N>
double vsop(const std::array<std::span<const VsopTerm>, N> &powers, double millennia)
{
    double result = 0;
    for (std::size_t p = N; p-- > 0;) {
        double sum = 0;
        for (const VsopTerm &term : powers[p])
            sum += term.amplitude * std::cos(term.phase + term.frequency * millennia);
        result = result * millennia + sum;
    }
    return result;
}

double centuriesOf(double jde)
{
    return (jde - j2000) / 36525.0;
}

// The largest terms of the IAU 1980 nutation in longitude (Meeus, Astronomical Algorithms,
// table 22.A): multiples of D, M, M', F, Ω and the coefficient in 0.0001" (constant, per century).
// The terms left out add up to less than 0.01".
struct NutationTerm
{
    signed char d, m, mm, f, node;
    double constant, perCentury;
};
constexpr NutationTerm nutationTerms[] = {
    {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6}, {0, 0, 0, 2, 2, -2274, -0.2},
    {0, 0, 0, 0, 2, 2062, 0.2},       {0, 1, 0, 0, 0, 1426, -3.4},    {0, 0, 1, 0, 0, 712, 0.1},
    {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 0, 2, 1, -386, -0.4},    {0, 0, 1, 2, 2, -301, 0},
    {-2, -1, 0, 2, 2, 217, -0.5},     {-2, 0, 1, 0, 0, -158, 0},      {-2, 0, 0, 2, 1, 129, 0.1},
    {0, 0, -1, 2, 2, 123, 0},         {2, 0, 0, 0, 0, 63, 0},         {0, 0, 1, 0, 1, 63, 0.1},
    {2, 0, -1, 2, 2, -59, 0},         {0, 0, -1, 0, 1, -58, -0.1},    {0, 0, 1, 2, 1, -51, 0},
    {-2, 0, 2, 0, 0, 48, 0},          {0, 0, -2, 2, 1, 46, 0},        {2, 0, 0, 2, 2, -38, 0},
};

// The Moon's periodic terms in longitude (Meeus, table 47.A, from ELP-2000/82): multiples of D,
// M, M', F and the coefficient in 0.000001°.
struct MoonTerm
{
    signed char d, m, mm, f;
    int coefficient;
};
constexpr MoonTerm moonTerms[] = {
    {0, 0, 1, 0, 6288774}, {2, 0, -1, 0, 1274027}, {2, 0, 0, 0, 658314},  {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116}, {0, 0, 0, 2, -114332},  {2, 0, -2, 0, 58793},  {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},   {2, -1, 0, 0, 45758},   {0, 1, -1, 0, -40923}, {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},  {2, 0, 0, -2, 15327},   {0, 0, 1, 2, -12528},  {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},  {0, 0, 3, 0, 10034},    {4, 0, -2, 0, 8548},   {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},   {1, 0, -1, 0, -5163},   {1, 1, 0, 0, 4987},    {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},    {4, 0, 0, 0, 3861},     {2, 0, -3, 0, 3665},   {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},  {2, -1, -2, 0, 2390},   {1, 0, 1, 0, -2348},   {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},   {0, 2, 0, 0, -2069},    {2, -2, -1, 0, 2048},  {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},   {4, -1, -1, 0, 1215},   {0, 0, 2, 2, -1110},   {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},    {4, -1, -2, 0, 759},    {0, 2, -1, 0, -713},   {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},    {2, -1, 0, -2, 596},    {4, 0, 1, 0, 549},     {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},    {1, 0, -2, 0, -487},    {2, 1, 0, -2, -399},   {0, 0, 2, -2, -381},
    {1, 1, 1, 0, 351},     {3, 0, -2, 0, -340},    {4, 0, -3, 0, 330},    {2, -1, 2, 0, 327},
    {0, 2, 1, 0, -323},    {1, 1, -1, 0, 299},     {2, 0, 3, 0, 294},
};

// The mean new moon of lunation k (Meeus 49.1).
double meanNewMoon(int k)
{
    const double t = k / 1236.85;
    return 2451550.09766 + 29.530588861 * k
           + t * t * (0.00015437 + t * (-0.00000015 + t * 7.3e-10));
}

// The moment f reaches zero near the guess, by the secant method; f is a difference of
// longitudes that grows at about `rate` degrees a day.
template<typename F>
double solve(F f, double guess, double rate)
{
    double t0 = guess;
    double f0 = f(t0);
    double t1 = t0 - f0 / rate;
    for (int step = 0; step < 20; ++step) {
        const double f1 = f(t1);
        if (std::abs(f1) < 1e-9 || f1 == f0)
            break;
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 = t2;
    }
    return t1;
}

} // namespace

double deltaT(double y)
{
    const auto poly = [](double t, std::initializer_list<double> c) {
        double sum = 0;
        for (auto it = c.end(); it != c.begin();)
            sum = sum * t + *--it;
        return sum;
    };
    const double u = (y - 1820) / 100;
    if (y < 1700 || y >= 2150)
        return -20 + 32 * u * u;
    if (y < 1800)
        return poly(y - 1700, {8.83, 0.1603, -0.0059285, 0.00013336, -1 / 1174000.0});
    if (y < 1860)
        return poly(y - 1800, {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272,
                               -0.0000001699, 0.000000000875});
    if (y < 1900)
        return poly(y - 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1 / 233174.0});
    if (y < 1920)
        return poly(y - 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
    if (y < 1941)
        return poly(y - 1920, {21.20, 0.84493, -0.076100, 0.0020936});
    if (y < 1961)
        return poly(y - 1950, {29.07, 0.407, -1 / 233.0, 1 / 2547.0});
    if (y < 1986)
        return poly(y - 1975, {45.45, 1.067, -1 / 260.0, -1 / 718.0});
    if (y < 2005)
        return poly(y - 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    if (y < 2050)
        return poly(y - 2000, {62.92, 0.32217, 0.005589});
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

double universalFromTerrestrial(double jde)
{
    return jde - deltaT(2000 + (jde - j2000) / 365.25) / 86400;
}

double terrestrialFromUniversal(double jd)
{
    return jd + deltaT(2000 + (jd - j2000) / 365.25) / 86400;
}

double nutationInLongitude(double jde)
{
    const double t = centuriesOf(jde);
    const double d = 297.85036 + t * (445267.111480 + t * (-0.0019142 + t / 189474));
    const double m = 357.52772 + t * (35999.050340 + t * (-0.0001603 - t / 300000));
    const double mm = 134.96298 + t * (477198.867398 + t * (0.0086972 + t / 56250));
    const double f = 93.27191 + t * (483202.017538 + t * (-0.0036825 + t / 327270));
    const double node = 125.04452 + t * (-1934.136261 + t * (0.0020708 + t / 450000));
    double sum = 0;
    for (const NutationTerm &n : nutationTerms) {
        const double argument = n.d * d + n.m * m + n.mm * mm + n.f * f + n.node * node;
        sum += (n.constant + n.perCentury * t) * std::sin(argument * degree);
    }
    return sum * 0.0001 * arcsecond;
}

double apparentSunLongitude(double jde)
{
    const double millennia = (jde - j2000) / 365250.0;
    const double earth = vsop(earthLongitude, millennia) / degree;
    const double radius = vsop(earthRadius, millennia);
    // The Sun is opposite the Earth; then the FK5 frame, nutation and the aberration.
    return wrap360(earth + 180.0 - 0.09033 * arcsecond + nutationInLongitude(jde)
                   - 20.4898 * arcsecond / radius);
}

double apparentMoonLongitude(double jde)
{
    const double t = centuriesOf(jde);
    const double lp
        = 218.3164477
          + t * (481267.88123421 + t * (-0.0015786 + t * (1 / 538841.0 - t / 65194000)));
    const double d = 297.8501921
                     + t * (445267.1114034 + t * (-0.0018819 + t * (1 / 545868.0 - t / 113065000)));
    const double m = 357.5291092 + t * (35999.0502909 + t * (-0.0001536 + t / 24490000));
    const double mm
        = 134.9633964 + t * (477198.8675055 + t * (0.0087414 + t * (1 / 69699.0 - t / 14712000)));
    const double f
        = 93.2720950
          + t * (483202.0175233 + t * (-0.0036539 + t * (-1 / 3526000.0 + t / 863310000)));
    const double e = 1 - t * (0.002516 + t * 0.0000074); // the shrinking eccentricity of the orbit
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.290 * t;
    double sum = 3958 * std::sin(a1 * degree) + 1962 * std::sin((lp - f) * degree)
                 + 318 * std::sin(a2 * degree);
    for (const MoonTerm &term : moonTerms) {
        const double argument = term.d * d + term.m * m + term.mm * mm + term.f * f;
        const double factor = term.m == 0 ? 1 : (term.m == 1 || term.m == -1 ? e : e * e);
        sum += term.coefficient * factor * std::sin(argument * degree);
    }
    // Light takes 1.3 s to come from the Moon, in which it moves 0.7".
    return wrap360(lp + sum * 1e-6 + nutationInLongitude(jde) - 0.7 * arcsecond);
}

double sunReachesLongitude(double degrees, double jdeGuess)
{
    return solve([degrees](double t) { return wrap180(apparentSunLongitude(t) - degrees); },
                 jdeGuess, 360.0 / 365.2422);
}

double newMoonNear(double jdeGuess)
{
    return solve(
        [](double t) { return wrap180(apparentMoonLongitude(t) - apparentSunLongitude(t)); },
        jdeGuess, 360.0 / 29.530588861);
}

double newMoonOfLunation(int k)
{
    return newMoonNear(meanNewMoon(k));
}

int lunationAtOrBefore(double jde)
{
    int k = int(std::floor((jde - meanNewMoon(0)) / 29.530588861));
    while (newMoonOfLunation(k + 1) <= jde)
        ++k;
    while (newMoonOfLunation(k) > jde)
        --k;
    return k;
}

} // namespace calendar::sky
