#!/usr/bin/env python3
"""`tropolink-cli --batch` against the Python model of the same pass (tests/oracle), in one run, five times.

Usage: batch_vs_model.py CLI [MODEL_SETTINGS [CLI_SETTINGS]]. Both take the same random slider settings (the oracle's
mix); the model's rate comes from MODEL_SETTINGS of them (default 3 000), the tool's from CLI_SETTINGS (default
300 000) at its default job count, output to /dev/null. Each run prints both rates and the ratio; the last line gives
the lowest of the five, against the target of 100x. The machine's other load moves both, so the lowest is the figure.
"""
import pathlib
import random
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "oracle"))
import reference_model  # noqa: E402
from settings import command_line, random_settings  # noqa: E402

RUNS = 5
TARGET = 100


def model_rate(settings):
    started = time.perf_counter()
    for positions, ticked in settings:
        try:
            reference_model.recalculate(positions, ticked)
        except (ArithmeticError, ValueError):
            pass  # a fault is an answer too
    return len(settings) / (time.perf_counter() - started)


def cli_rate(cli, lines):
    started = time.perf_counter()
    subprocess.run([cli, "--batch"], stdin=lines, stdout=subprocess.DEVNULL, check=True)
    return CLI_COUNT / (time.perf_counter() - started)


def main():
    global CLI_COUNT
    cli = sys.argv[1]
    model_count = int(sys.argv[2]) if len(sys.argv) > 2 else 3_000
    CLI_COUNT = int(sys.argv[3]) if len(sys.argv) > 3 else 300_000
    rng = random.Random(1)
    settings = [random_settings(rng) for _ in range(max(model_count, 1000))]
    ratios = []
    with tempfile.TemporaryFile() as lines:
        for i in range(CLI_COUNT):
            lines.write(command_line(*settings[i % len(settings)]).encode() + b"\n")
        for run in range(1, RUNS + 1):
            model = model_rate(settings[:model_count])
            lines.seek(0)
            tool = cli_rate(cli, lines)
            ratios.append(tool / model)
            print(f"batch vs Python model, run {run}: tool {tool:,.0f} settings/s, model {model:,.0f} settings/s, "
                  f"{tool / model:.0f}x")
    print(f"batch vs Python model, lowest of {RUNS}: {min(ratios):.0f}x (target {TARGET}x)")


if __name__ == "__main__":
    main()
