"""Angles and heights that the methods read, from the published figures or a terrain profile."""

from dataclasses import dataclass
from typing import Optional

import numpy as np

EARTH_RADIUS_KM = 6371
# The calculator's own earth, on which `profile` finds the sliders' horizons.
CALCULATOR_EARTH_RADIUS_KM = 6371 * 1.33333
# The obstruction slider reaches no farther.
SLIDER_HORIZON_LIMIT_KM = 100
# Published horizon angles that miss the published scatter angle by more are not trusted.
SPLIT_TOLERANCE_MRAD = 1.0
DEFAULT_MAST_M = 10.0


def effective_earth_radius_km(delta_n: float) -> float:
    """The ITU methods' earth, 6371 * 157 / (157 - dN) km."""
    return EARTH_RADIUS_KM * 157 / (157 - delta_n)


def split_scatter_angle(theta_mrad: float, d_km: float, ae_km: float, theta_t: Optional[float],
                        theta_r: Optional[float]) -> tuple[float, float, bool]:
    """Horizon angles that give the published scatter angle exactly: the published ones, each
    moved by half the difference, or an even split where they are missing or miss by more
    than 1 mrad. The flag says whether the split was even."""
    horizons_mrad = theta_mrad - 1000 * d_km / ae_km
    if theta_t is not None and theta_r is not None:
        miss = horizons_mrad - (theta_t + theta_r)
        if abs(miss) <= SPLIT_TOLERANCE_MRAD:
            return theta_t + miss / 2, theta_r + miss / 2, False
    return horizons_mrad / 2, horizons_mrad / 2, True


def antenna_altitude_m(profile_end_m: float, site_m: Optional[float], mast_m: Optional[float]) -> float:
    """The mast stands on the higher of the profile's end and the published site altitude."""
    ground = profile_end_m if site_m is None else max(profile_end_m, site_m)
    return ground + (DEFAULT_MAST_M if mast_m is None else mast_m)


@dataclass(frozen=True)
class Horizon:
    index: int
    distance_km: float  # from the antenna's station
    height_m: float
    angle_mrad: float


def find_horizon(d_km: np.ndarray, h_m: np.ndarray, from_tx: bool, antenna_m: float, ae_km: float,
                 limit_km: float = np.inf) -> Optional[Horizon]:
    """Of the points strictly between the ends and within limit_km of the station, the one
    of the largest elevation (h - ha) / d - 500 d / ae mrad; ties go to the nearer point."""
    inner = np.arange(1, len(d_km) - 1)
    if not from_tx:
        inner = inner[::-1]
    distance = d_km[inner] if from_tx else d_km[-1] - d_km[inner]
    near = distance <= limit_km
    if not near.any():
        return None
    inner, distance = inner[near], distance[near]
    angle = (h_m[inner] - antenna_m) / distance - 500 * distance / ae_km
    best = int(np.argmax(angle))  # the first of equal maxima, nearest the station
    return Horizon(int(inner[best]), float(distance[best]), float(h_m[inner[best]]), float(angle[best]))


def common_volume_ground_km(d_km: np.ndarray, h_m: np.ndarray, antennas_m: tuple[float, float],
                            horizons: tuple[Horizon, Horizon], ae_km: float) -> float:
    """Ground height under the crossing of the two horizon rays, km, 0 at or below sea level
    or where the rays do not cross between the stations. On a page where heights stand on
    the chord between the stations' sea level, rays over the earth are straight."""
    path = d_km[-1]

    def bulge_m(x):
        return 1000 * x * (path - x) / (2 * ae_km)

    tx, rx = horizons
    x_tx, x_rx = tx.distance_km, path - rx.distance_km
    slope_tx = (tx.height_m + bulge_m(x_tx) - antennas_m[0]) / tx.distance_km
    slope_rx = (rx.height_m + bulge_m(x_rx) - antennas_m[1]) / rx.distance_km
    if not slope_tx + slope_rx > 0:
        return 0.0
    x = (antennas_m[1] + slope_rx * path - antennas_m[0]) / (slope_tx + slope_rx)
    if not 0 < x < path:
        return 0.0
    return max(0.0, float(np.interp(x, d_km, h_m))) / 1000
