#!/usr/bin/python3
"""Our root scan beside the obvious vectorised double-precision sign scan, per example.

For each of the wizard's sixteen examples at 50,000 steps this prints, from one run:
  - our scan: bench_graph's median root scan time (f and f' at every sample, refinement,
    acceptance test, all in 80 bits);
  - numpy: the median time of a numpy script that samples f in double at the same 50,002
    points and finds the sign changes (nothing else: no f', no refinement);
  - their ratio;
  - the 80-bit floor: bench_engine's time for f and f' written directly in long double at the
    50,001 points of the interval, and our scan's ratio to it.

Needs python3-numpy and the benchmark build:
    cmake -S . -B build-bench -DTREV_BENCH=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release
    cmake --build build-bench --target bench_engine bench_graph
    /usr/bin/python3 bench/compare_scan.py [build-bench/bin]   (Debian's python3 has numpy)
"""
import json
import os
import re
import subprocess
import sys
import time

import numpy as np

STEPS = 50000
RUNS = 7

# The examples in the order of grapher/project/ExampleEquations.h, as numpy code in double.
EXAMPLES = [
    ("asin(x^2)-1", lambda x: np.arcsin(x ** 2) - 1),
    ("3^x-x^3", lambda x: 3.0 ** x - x ** 3),
    ("x^x-4", lambda x: x ** x - 4),
    ("2^x+3^x+6^x-x^2", lambda x: 2.0 ** x + 3.0 ** x + 6.0 ** x - x ** 2),
    ("(x+2)^2+(x+3)^3+(x+4)^4-2", lambda x: (x + 2) ** 2 + (x + 3) ** 3 + (x + 4) ** 4 - 2),
    ("sin(x)-cos(x)", lambda x: np.sin(x) - np.cos(x)),
    ("atan(x)+atan(x^2)", lambda x: np.arctan(x) + np.arctan(x ** 2)),
    ("x^3-2x^2+1/x-3", lambda x: x ** 3 - 2 * x ** 2 + 1 / x - 3),
    ("e^x-sin(1/a^x)", lambda x: np.exp(x) - np.sin(1 / 2.0 ** x)),
    ("(1-2x)/x-2x", lambda x: (1 - 2 * x) / x - 2 * x),
    ("atanh(1/ln(x)-ln(x))", lambda x: np.arctanh(1 / np.log(x) - np.log(x))),
    ("exp(a*x)-exp(b*x)+c", lambda x: np.exp(2 * x) - np.exp(4 * x) + 1),
    ("1+12(1-exp(x/6))", lambda x: 1 + 12 * (1 - np.exp(x / 6))),
    ("sinh(x^2)-1/2cosh(2x)", lambda x: np.sinh(x ** 2) - np.cosh(2 * x) / 2),
    ("5(1-10x)^a-b", lambda x: 5 * (1 - 10 * x) ** -1.0 - 1),
    ("a^x-x^a", lambda x: 2.0 ** x - x ** 2),
]


def numpy_scan(f, a, b):
    """Milliseconds of the sign scan, and the number of sign changes it saw."""
    times = []
    changes = 0
    for _ in range(RUNS):
        start = time.perf_counter()
        with np.errstate(all="ignore"):
            x = a + np.arange(-1, STEPS + 1) * ((b - a) / STEPS)
            y = f(x)
            s = np.sign(y)
            changes = np.count_nonzero(s[:-1] * s[1:] < 0)
        times.append((time.perf_counter() - start) * 1e3)
    return sorted(times)[RUNS // 2], changes


def our_scans(program_dir):
    """bench_graph's root scan table: [(function, a, b, milliseconds)]."""
    out = subprocess.run([os.path.join(program_dir, "bench_graph"), "--roots-only"], check=True,
                         capture_output=True, text=True, cwd=program_dir).stdout
    rows = []
    for line in out.splitlines():
        m = re.match(r"\| (\d+) \| (.*?)(?: \(.*\))? \| \[(\S+), (\S+)\] \| \d+ \| ([\d.]+) \|", line)
        if m:
            rows.append((m.group(2), float(m.group(3)), float(m.group(4)), float(m.group(5))))
    return rows


def floors(program_dir):
    """bench_engine's direct long double time of f and f' per example, in milliseconds."""
    out = subprocess.run([os.path.join(program_dir, "bench_engine"), "--benchmark_filter=BM_ExampleFloor",
                          "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            result[int(b["run_name"].split("/")[1])] = b["real_time"]
    return result


def main():
    program_dir = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build-bench", "bin")
    scans = our_scans(program_dir)
    floor = floors(program_dir)
    print("| # | f(x) | our scan (ms) | numpy sign scan (ms) | ratio | 80-bit floor f, f' (ms) | scan / floor |")
    print("|---|---|---|---|---|---|---|")
    for i, (function, a, b, ours) in enumerate(scans):
        name, f = EXAMPLES[i]
        if name != function:
            sys.exit("example %d is %s here but %s in bench_graph" % (i, name, function))
        np_ms, _ = numpy_scan(f, a, b)
        print("| %d | %s | %.1f | %.2f | %.1f | %.1f | %.2f |" % (
            i, function, ours, np_ms, ours / np_ms, floor[i], ours / floor[i]))


if __name__ == "__main__":
    main()
