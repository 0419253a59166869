#!/usr/bin/env python3
"""Throughput and peak memory of `tropolink-cli --batch` over a stream of settings.

Usage: cli_batch.py CLI [COUNT [JOBS]]; without JOBS the tool's default. The settings cycle through a fixed mix (line
of sight, out of range, in range); output goes to /dev/null.
"""
import subprocess
import sys
import tempfile
import time

MIX = [
    "distance-km=300",
    "s1.antenna-height-m=10000 s2.antenna-height-m=10000",
    "distance-km=160 frequency-mhz=2000",
    "surface-refractivity=350 s1.antenna-height-m=900 s2.antenna-height-m=900",
    "HScroll4=1 power-div-1000 s1.antenna-gain-dbi=50 distance-km=1999",
    "frequency-mhz=25000 distance-km=700 s2.rx-bandwidth-hz=0",
]


def peak_resident_kib(pid: int) -> int:
    """The process's own high-water mark (the parent's memory is not counted)."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def main() -> int:
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    jobs = ["--jobs", sys.argv[3]] if len(sys.argv) > 3 else []
    label = f"tropolink-cli --batch --jobs {sys.argv[3]}" if jobs else "tropolink-cli --batch (default jobs)"
    with tempfile.TemporaryFile() as settings:
        for i in range(count):
            settings.write(MIX[i % len(MIX)].encode() + b"\n")
        settings.seek(0)
        started = time.perf_counter()
        child = subprocess.Popen([cli, "--batch", *jobs], stdin=settings, stdout=subprocess.DEVNULL)
        peak_kib = 0
        while child.poll() is None:
            peak_kib = max(peak_kib, peak_resident_kib(child.pid))
            time.sleep(0.02)
        elapsed = time.perf_counter() - started
        if child.returncode != 0:
            raise SystemExit(f"{label} exited with {child.returncode}")
    peak_mb = peak_kib / 1024
    target = "target >= 100,000/s" if jobs else "every core"
    print(f"{label}: {count / elapsed:,.0f} settings per second ({count:,} settings, {elapsed:.2f} s; {target})")
    print(f"{label} peak resident memory: {peak_mb:.1f} MB (target <= 16 MB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
