#!/usr/bin/env python3
"""Writes calendar/vsop87earth.inc, the Earth's heliocentric longitude L and radius R of VSOP87D.

The coefficients are published data: VSOP87 by P. Bretagnon and G. Francou, Astronomy and
Astrophysics 202, 309 (1988), distributed by the CDS (catalogue VI/81). We read them from the data
file that the npm package `astronomia` ships (MIT licence, (c) 2013 Sonia Keys, 2016 commenthol),
which holds the series as plain numbers:

    cd /tmp && npm pack astronomia@4.2.0 && tar xzf astronomia-4.2.0.tgz
    tools/skytables/vsop87earth.py /tmp/package/data/vsop87Dearth.js calendar/vsop87earth.inc

L is kept whole; R only serves the aberration (20.5" / R), so its terms below 1e-6 AU are left
out (they move the Sun by less than 0.0001").
"""
import re
import sys

RADIUS_FLOOR = 1e-6


def series(text, name):
    """The power series of one variable: a list (power 0, 1, ...) of lists of (A, B, C)."""
    start = text.index(name + ": {")
    depth, end = 0, start
    for end in range(start, len(text)):
        if text[end] == "{":
            depth += 1
        elif text[end] == "}":
            depth -= 1
            if depth == 0:
                break
    body = text[start:end]
    powers = []
    for match in re.finditer(r'"(\d)":\s*\[(.*?)\]\s*\]', body, re.S):
        assert int(match.group(1)) == len(powers)
        rows = re.findall(r"\[([-0-9.e]+),\s*([-0-9.e]+),\s*([-0-9.e]+)\]", match.group(2) + "]")
        powers.append([tuple(float(x) for x in row) for row in rows])
    return powers


def main():
    source, target = sys.argv[1], sys.argv[2]
    text = open(source, encoding="utf-8").read()
    longitude = series(text, "L")
    radius = [[t for t in p if abs(t[0]) >= RADIUS_FLOOR] for p in series(text, "R")]
    while not radius[-1]:
        radius.pop()  # powers left without a term
    out = [
        "// Written by tools/skytables/vsop87earth.py from VSOP87D (Bretagnon & Francou 1988, CDS",
        "// VI/81), as the npm package astronomia (MIT) ships it. Do not edit.",
        "// clang-format off",
    ]
    for name, powers in (("Longitude", longitude), ("Radius", radius)):
        for power, terms in enumerate(powers):
            out.append(f"constexpr VsopTerm earth{name}{power}[] = {{")
            out += [f"    {{{a!r}, {b!r}, {c!r}}}," for a, b, c in terms]
            out.append("};")
        spans = ", ".join(f"std::span<const VsopTerm>(earth{name}{p})" for p in range(len(powers)))
        out.append(f"constexpr std::array earth{name} = {{{spans}}};")
    out.append("// clang-format on")
    open(target, "w", encoding="utf-8").write("\n".join(out) + "\n")
    print(f"L: {[len(p) for p in longitude]} terms, R: {[len(p) for p in radius]} terms")


if __name__ == "__main__":
    main()
