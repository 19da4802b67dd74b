#!/usr/bin/env python3
"""Start-up time and peak memory of the program against the floor, in the same run.

Runs the floor and the program alternately, each with LORVEX_FIRST_FRAME=quit, so that each writes
the monotonic clock at its first frame and then ends. The wall time is from just before the exec
to that stamp; the peak memory is the child's maxrss from wait4. Two CPU times (user + system, all
threads): to the first frame, as the stamp's second field gives it, and to the exit just after
the stamp, from wait4, which adds tearing the window down. On a loaded machine the wall time
stretches with the load, the CPU times much less. Prints every run and the medians.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time


def run_once(command):
    exe = command[0]
    env = dict(os.environ, LORVEX_FIRST_FRAME="quit")
    start = time.monotonic_ns()
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = child.stderr.read().decode(errors="replace")
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = 0  # reaped above; keeps Popen from waiting again
    stamps = [line.split()[1:3] for line in err.splitlines() if line.startswith("first-frame ")]
    if not stamps or os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{exe}: no first frame or a failed exit ({status}):\n{err}")
    cpu = (usage.ru_utime + usage.ru_stime) * 1e3
    # A build from before the stamp carried the CPU time has the first field only.
    frame_cpu = int(stamps[0][1]) / 1e6 if len(stamps[0]) > 1 else float("nan")
    return (int(stamps[0][0]) - start) / 1e6, usage.ru_maxrss / 1024.0, frame_cpu, cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("floor")
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--plain", action="store_true",
                        help="the floor's label in the desktop's own font, not the Song face")
    parser.add_argument("--program-arg", action="append", default=[],
                        help="an argument for the program (startup_floor page as the program)")
    parser.add_argument("--page", action="store_true",
                        help="the floor holds the first page's kinds of widgets, made with plain Qt")
    args = parser.parse_args()
    floor = [args.floor] + (["plain"] if args.plain else []) + (["page"] if args.page else [])
    program = [args.program] + args.program_arg

    # One unmeasured run of each first, so that both start from a warm file cache.
    run_once(floor)
    run_once(program)
    results = {"floor": [], "program": []}
    for i in range(args.runs):
        order = [("floor", floor), ("program", program)]
        if i % 2:
            order.reverse()
        for name, exe in order:
            ms, mib, frame_cpu, cpu = run_once(exe)
            results[name].append((ms, mib, frame_cpu, cpu))
            print(f"{i + 1:3} {name:8} {ms:8.1f} ms {mib:7.1f} MiB {frame_cpu:7.1f} ms CPU to the frame"
                  f" {cpu:7.1f} ms CPU to the exit", flush=True)

    med = {k: [statistics.median(r[c] for r in v) for c in range(4)] for k, v in results.items()}
    for name, (ms, mib, frame_cpu, cpu) in med.items():
        print(f"median {name:8} {ms:8.1f} ms {mib:7.1f} MiB {frame_cpu:7.1f} ms CPU to the frame"
              f" {cpu:7.1f} ms CPU to the exit")
    print(f"program / floor: {med['program'][0] / med['floor'][0]:.2f} x wall time, "
          f"{med['program'][1] - med['floor'][1]:+.1f} MiB peak memory, "
          f"{med['program'][2] / med['floor'][2]:.2f} x CPU to the frame, "
          f"{med['program'][3] / med['floor'][3]:.2f} x CPU to the exit")


if __name__ == "__main__":
    main()
