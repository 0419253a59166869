#!/usr/bin/env python3
"""Rows per second of tropolink.calculate_many, values only, on one thread and on all.

Usage: PYTHONPATH=<build>/python python_calculate_many.py [ROWS]. The table
moves three sliders over their ranges (a mix of line-of-sight, out-of-range
and in-range paths). Prints the median of five runs on one thread, by the CPU
time of this process (steady on a shared machine) and by the wall clock; then
the wall-clock rate on every online processor, its ratio to one thread's, and
the ratio of their CPU times.
"""
import os
import statistics
import sys
import time

import numpy as np
import tropolink


def table(rows):
    rng = np.random.default_rng(1)
    return {
        "distance_km": rng.integers(1, 2001, rows),
        "frequency_mhz": rng.integers(50, 25001, rows),
        "s1_antenna_height_m": rng.integers(0, 10001, rows),
        "s2_antenna_gain_dbi": rng.integers(0, 501, rows) / 10,
    }


def medians(settings, threads):
    cpu, wall = [], []
    for _ in range(5):
        start_cpu, start_wall = time.process_time(), time.perf_counter()
        tropolink.calculate_many(settings, threads=threads)
        cpu.append(time.process_time() - start_cpu)
        wall.append(time.perf_counter() - start_wall)
    return statistics.median(cpu), statistics.median(wall)


def main():
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    settings = table(rows)
    cpu_s, wall_s = medians(settings, 1)
    print(f"calculate_many, {rows} rows, values only, 1 thread: {rows / cpu_s:,.0f} rows/s of CPU time "
          f"({cpu_s * 1e3:.0f} ms), {rows / wall_s:,.0f} rows/s wall clock (target >= 1,000,000 rows/s a core)")
    processors = os.sysconf("SC_NPROCESSORS_ONLN")
    all_cpu_s, all_wall_s = medians(settings, None)
    # The CPU time of all threads against one thread's shows what splitting costs
    # even when other processes take the processors.
    print(f"calculate_many, {rows} rows, values only, {processors} threads: {rows / all_wall_s:,.0f} rows/s "
          f"wall clock ({all_wall_s * 1e3:.0f} ms), {wall_s / all_wall_s:.2f}x one thread (target >= 1.7x on 2); "
          f"CPU time {all_cpu_s / cpu_s:.2f}x one thread's")


if __name__ == "__main__":
    main()
