"""The measured links of DBSG3 table C3-1, as validation/measured-links holds them."""

import csv
from dataclasses import dataclass
from pathlib import Path
from typing import Optional

import numpy as np

DATA_DIR = Path(__file__).resolve().parent.parent / "measured-links"
PERCENTS = (50, 90, 99)

# The older P.617 climate codes; Mediterranean (5) and polar (8) have no P.2001 zone.
P2001_ZONE_OF_CLIMATE = {"1": 1, "2": 2, "3": 3, "4": 4, "6": 5, "7A": 6, "7B": 7}


@dataclass(frozen=True)
class Station:
    ground_m: Optional[float]  # site altitude, as published
    mast_m: Optional[float]  # antenna above ground, as published
    gain_dbi: float
    horizon_mrad: Optional[float]  # published horizon elevation angle
    lat: Optional[float] = None  # degrees north
    lon: Optional[float] = None  # degrees east, 0 to 360 as published


@dataclass(frozen=True)
class Link:
    number: int
    f_mhz: float
    d_km: float
    theta_mrad: float
    n0: float
    delta_n: float
    climate: str
    tx: Station
    rx: Station
    measured_db: dict  # percent -> loss, only where measured

    @property
    def p2001_zone(self) -> Optional[int]:
        return P2001_ZONE_OF_CLIMATE.get(self.climate)

    @property
    def profile_path(self) -> Path:
        return DATA_DIR / "profiles" / f"3_1_{self.number:04d}_d_km_h_m.csv"


def _number(text: str) -> Optional[float]:
    return float(text) if text.strip() else None


def _climate(text: str) -> str:
    # Numeric codes come as "6.0"; the maritime temperate ones as "7A", "7B".
    return text[:-2] if text.endswith(".0") else text


def _station(row: dict, end: str) -> Station:
    return Station(_number(row[f"{end}_HASL"]), _number(row[f"{end}_AHAG"]), float(row[f"{end}_GN"]),
                   _number(row["TH_T" if end == "TX" else "TH_R"]), _number(row[f"{end}_LAT"]),
                   _number(row[f"{end}_LONG"]))


def read_links(path: Path = DATA_DIR / "links.csv") -> list[Link]:
    with open(path, newline="") as f:
        rows = list(csv.DictReader(f))
    links = []
    for row in rows:
        measured = {p: float(row[f"TLT{p}"]) for p in PERCENTS if row[f"TLT{p}"].strip()}
        links.append(Link(int(float(row["STATION_NO"])), float(row["F"]) * 1000, float(row["D"]),
                          float(row["THETA"]), float(row["N0"]), float(row["DELTA_N"]), _climate(row["CLIM"]),
                          _station(row, "TX"), _station(row, "RX"), measured))
    return links


def read_profile(path: Path) -> tuple[np.ndarray, np.ndarray]:
    """Distances from the transmitter, km, and ground heights, m."""
    table = np.loadtxt(path, delimiter=",", skiprows=1, ndmin=2)
    return table[:, 0], table[:, 1]
