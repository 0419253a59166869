"""Errors of the predictions against the measured losses."""

import math
from dataclasses import dataclass


@dataclass(frozen=True)
class ErrorStats:
    method: str
    route: str
    percent: int
    count: int
    mean_db: float  # predicted minus measured
    rms_db: float
    largest_db: float  # the error of largest magnitude, with its sign


def error_stats(method: str, route: str, percent: int, errors: list) -> ErrorStats:
    n = len(errors)
    return ErrorStats(method, route, percent, n, sum(errors) / n, math.sqrt(sum(e * e for e in errors) / n),
                      max(errors, key=abs))


def all_stats(errors: dict) -> list:
    """errors: (method, route, percent) -> list of errors, in the order the table shows them;
    combinations without a single link are left out."""
    return [error_stats(m, r, p, e) for (m, r, p), e in errors.items() if e]
