#!/usr/bin/env python3
"""Points per second of tropolink.itu_maps_at, on synthetic maps of the real size.

Usage: PYTHONPATH=<build>/python TROPOLINK_SYNTHETIC_MAPS=<build>/climate/tropolink-synthetic-maps
python_itu_maps.py [POINTS] [CLIMATE_BENCH]. The maps come from that generator, varied as real ones. The points are
spread over the world in an order the cache cannot predict. Prints the median of five runs,
by the CPU time of this process (one thread; steady on a shared machine) and by the wall
clock, next to the target of 5 000 000 points/s; the first call, which reads the maps, apart.
With the path of the built climate_bench, its figures for loading the maps and for one
lookup follow.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import numpy as np
import tropolink

TARGET_POINTS_PER_S = 5_000_000


def write_maps(folder):
    generator = os.environ.get("TROPOLINK_SYNTHETIC_MAPS", "build/climate/tropolink-synthetic-maps")
    subprocess.run([generator, str(folder), "--varied"], check=True)


def main():
    points = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rng = np.random.default_rng(1)
    lat = rng.uniform(-90, 90, points)
    lon = rng.uniform(-180, 180, points)
    with tempfile.TemporaryDirectory() as folder:
        write_maps(Path(folder))
        start = time.perf_counter()
        tropolink.itu_maps_at(0.0, 0.0, maps=folder)
        first_ms = (time.perf_counter() - start) * 1e3
        cpu, wall = [], []
        for _ in range(5):
            start_cpu, start_wall = time.process_time(), time.perf_counter()
            tropolink.itu_maps_at(lat, lon, maps=folder)
            cpu.append(time.process_time() - start_cpu)
            wall.append(time.perf_counter() - start_wall)
    cpu_s, wall_s = statistics.median(cpu), statistics.median(wall)
    print(f"itu_maps_at, {points} points: {points / cpu_s:,.0f} points/s of CPU time ({cpu_s * 1e3:.0f} ms), "
          f"{points / wall_s:,.0f} points/s wall clock (target >= {TARGET_POINTS_PER_S:,} points/s)")
    print(f"itu_maps_at, first call, reading the three maps: {first_ms:.0f} ms")
    if len(sys.argv) > 2:
        print(subprocess.run([sys.argv[2]], capture_output=True, text=True, check=True).stdout, end="")


if __name__ == "__main__":
    main()
