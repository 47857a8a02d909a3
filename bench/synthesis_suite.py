#!/usr/bin/python3
"""The shock synthesis on the suite of targets, against a plain amplitude
iteration on the same targets, in one run:

    synthesis_suite.py KORVEL_SHOCK [TARGET_FOLDER]

Per target (tests/shock/targets/*.csv), without a stroke limit, with a tight
one (below what the centred wavelets of the plain iteration need, but within
reach) and with one that cannot be met at the low end: the largest errors in dB at the 1/12-octave check points and on the
1/48-octave grid, the peaks against the limits, the exit status and the time
of the whole process (a median of three runs).
"""

import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# Stroke limits per target, in mm: tight (below what the plain iteration needs)
# and impossible at the low end.
TIGHT_STROKE = {"flat": 3, "ramp_plateau": 1.5, "pyroshock": 0.13, "wide": 1.5}
IMPOSSIBLE_STROKE = {"flat": 1, "ramp_plateau": 0.5, "pyroshock": 0.05, "wide": 0.5}


def run(program, target, extra):
    with tempfile.TemporaryDirectory() as folder:
        command = [program, "synthesize", target, "-o", os.path.join(folder, "shock.txt")] + extra
        times = []
        for _ in range(3):
            start = time.perf_counter()
            done = subprocess.run(command, capture_output=True, text=True)
            times.append(time.perf_counter() - start)
        return done.returncode, done.stderr, statistics.median(times)


def figures(summary):
    def find(pattern):
        found = re.search(pattern, summary, re.M)
        return found.groups() if found else ("?",) * re.compile(pattern).groups

    low, high = find(r"^largest errors: (\S+) dB at \S+ Hz, (\S+) dB")
    fine_low, fine_high = find(r"^largest errors at 1/48 octave: (\S+) dB at \S+ Hz, (\S+) dB")
    (acceleration,) = find(r"^peak acceleration: (\S+)")
    (velocity,) = find(r"^peak velocity: (\S+)")
    (displacement,) = find(r"^peak displacement: (\S+ mm(?: \(limit [^)]*\))?)")
    found = re.search(r"met from (\S+ Hz)", summary)
    met_from = found.group(1) if found else "-"
    return (f"{low}/{high}", f"{fine_low}/{fine_high}", acceleration, velocity, displacement, met_from)


def main():
    program = sys.argv[1]
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "..", "tests", "shock", "targets")
    header = ("target", "limit", "method", "1/12 dB", "1/48 dB", "peak acc", "peak vel m/s", "peak disp",
              "met from", "status", "time s")
    rows = [header]
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".csv"):
            continue
        stem = name[:-4]
        target = os.path.join(folder, name)
        for limit in ([], ["--max-displacement", str(TIGHT_STROKE.get(stem, 1))],
                      ["--max-displacement", str(IMPOSSIBLE_STROKE.get(stem, 0.1))]):
            for method, extra in (("synthesis", []), ("plain", ["--baseline"])):
                status, summary, seconds = run(program, target, limit + extra)
                rows.append((stem, limit[1] + " mm" if limit else "-", method) + figures(summary) +
                            (str(status), f"{seconds:.2f}"))
    widths = [max(len(row[k]) for row in rows) for k in range(len(header))]
    for row in rows:
        print("| " + " | ".join(cell.ljust(width) for cell, width in zip(row, widths)) + " |")


if __name__ == "__main__":
    main()
