#!/usr/bin/env python3
"""Start-up of two builds of the program against the bare Qt window, in one run.

Each round runs the bare window (`startup_floor plain`), the build before and the build after,
in a random order, each with LORVEX_FIRST_FRAME=quit as startup.py runs them. Prints the
quartiles of each one's wall time to its first frame, the medians of its CPU time to that frame
and of its peak memory, and each build's ratios to the bare window.

    DISPLAY=:71 python3 bench/startup_before_after.py --runs 40 \\
        build/bench/bench/startup_floor BEFORE build/bench/app/lorvex2004
"""

import argparse
import random
import statistics

from startup import run_once


def quartile(values, q):
    values = sorted(values)
    return values[int((len(values) - 1) * q)]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("floor")
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--runs", type=int, default=40)
    args = parser.parse_args()
    commands = {"bare": [args.floor, "plain"], "before": [args.before], "after": [args.after]}
    for command in commands.values():
        run_once(command)  # a warm file cache for each
    results = {name: [] for name in commands}
    for _ in range(args.runs):
        order = list(commands)
        random.shuffle(order)
        for name in order:
            results[name].append(run_once(commands[name]))
    for name, runs in results.items():
        wall = [r[0] for r in runs]
        print(f"{name:6s} wall {quartile(wall, .25):6.1f} {quartile(wall, .5):6.1f} "
              f"{quartile(wall, .75):6.1f} ms (quartiles), CPU to the frame "
              f"{statistics.median(r[2] for r in runs):5.1f} ms, peak "
              f"{statistics.median(r[1] for r in runs):5.1f} MiB")
    bare = results["bare"]
    for name in ("before", "after"):
        runs = results[name]
        print(f"{name} / bare: {statistics.median(r[0] for r in runs) / statistics.median(r[0] for r in bare):.2f} x wall, "
              f"{statistics.median(r[2] for r in runs) / statistics.median(r[2] for r in bare):.2f} x CPU to the frame, "
              f"+{statistics.median(r[1] for r in runs) - statistics.median(r[1] for r in bare):.1f} MiB peak")


if __name__ == "__main__":
    main()
