"""docs/accuracy.md: its statistics table, written and read back."""

import re

from collect import TERRAIN_UNFLAGGED
from error_stats import ErrorStats

STATS_HEADER = ("| Method | Route | p (%) | Links | Mean error (dB) | RMS error (dB) | Largest error (dB) |\n"
                "|---|---|---:|---:|---:|---:|---:|\n")
STATS_ROW = re.compile(r"^\| ([^|]+?) \| ([^|]+?) \| (\d+) \| (\d+) \| ([-+]\d+\.\d\d) \| (\d+\.\d\d) \| "
                       r"([-+]\d+\.\d\d) \|$")
# The page shows two decimals; a recomputed figure may differ from it by that rounding only.
TOLERANCE_DB = 0.01 + 1e-9


def signed(value: float) -> str:
    return f"{value:+.2f}"


def stats_table(stats: list) -> str:
    return STATS_HEADER + "".join(
        f"| {s.method} | {s.route} | {s.percent} | {s.count} | {signed(s.mean_db)} | {s.rms_db:.2f} | "
        f"{signed(s.largest_db)} |\n" for s in stats)


def read_stats(page: str) -> list:
    rows = []
    for line in page.splitlines():
        m = STATS_ROW.match(line)
        if m:
            rows.append(ErrorStats(m[1], m[2], int(m[3]), int(m[4]), float(m[5]), float(m[6]), float(m[7])))
    return rows


def compare_stats(recomputed: list, page: list) -> list:
    """One sentence per difference, naming the method, route and percentage."""
    problems = []
    shown = {(s.method, s.route, s.percent): s for s in page}
    for s in recomputed:
        key = (s.method, s.route, s.percent)
        name = f"{s.method}, {s.route} route, p = {s.percent} %"
        old = shown.pop(key, None)
        if old is None:
            problems.append(f"{name}: not on the page")
            continue
        if old.count != s.count:
            problems.append(f"{name}: {s.count} links, the page says {old.count}")
        for what, new_value, page_value in (("mean error", s.mean_db, old.mean_db), ("RMS error", s.rms_db, old.rms_db),
                                            ("largest error", s.largest_db, old.largest_db)):
            if abs(new_value - page_value) > TOLERANCE_DB:
                problems.append(f"{name}: {what} {new_value:.4f} dB, the page says {page_value:.2f} dB")
    for (method, route, percent) in shown:
        problems.append(f"{method}, {route} route, p = {percent} %: on the page but no longer computed")
    return problems


def split_stats(stats: list) -> tuple:
    """The main table (both routes) and the terrain route without the flagged links."""
    return [s for s in stats if s.route != TERRAIN_UNFLAGGED], [s for s in stats if s.route == TERRAIN_UNFLAGGED]
