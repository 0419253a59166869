"""Each link's predictions by both routes: the published geometry and its own terrain."""

from dataclasses import dataclass, field
from typing import Optional

import numpy as np
import tropolink

from geometry import (CALCULATOR_EARTH_RADIUS_KM, SLIDER_HORIZON_LIMIT_KM, antenna_altitude_m,
                      common_volume_ground_km, effective_earth_radius_km, find_horizon, split_scatter_angle)
from measured_links import PERCENTS, Link, read_profile

ITU_METHODS = ("P.617", "P.617 revised angle", "P.2001")
LEGACY_METHODS = ("YEH", "ITT", "CCIR", "COLLINS", "RIDER")
LEGACY_BOXES = {"YEH": "Text26", "ITT": "Text27", "CCIR": "Text28", "COLLINS": "Text29", "RIDER": "Text46"}
PUBLISHED, TERRAIN = "published", "terrain"
ROUTES = (PUBLISHED, TERRAIN)
# A horizon this near an antenna is the mast's own surroundings, not the path's.
NEAR_HORIZON_KM = 1.0
# The calculator's slider grids.
REFRACTIVITY_RANGE = (270, 350)
GAIN_RANGE_DBI = (0, 50)


@dataclass(frozen=True)
class ItuGeometry:
    d_km: float
    ae_km: float
    theta_t_mrad: float
    theta_r_mrad: float
    hts_m: float
    hrs_m: float
    hs_km: float

    @property
    def scatter_angle_mrad(self) -> float:
        return 1000 * self.d_km / self.ae_km + self.theta_t_mrad + self.theta_r_mrad


def itu_losses(link: Link, g: ItuGeometry) -> dict:
    """method -> {percent: loss or None}; P.2001 only where the climate has a zone."""
    p = np.array(PERCENTS, dtype=float)
    common = dict(f_mhz=link.f_mhz, d_km=g.d_km, theta_t_mrad=g.theta_t_mrad, theta_r_mrad=g.theta_r_mrad,
                  gt_dbi=link.tx.gain_dbi, gr_dbi=link.rx.gain_dbi, p=p, ae_km=g.ae_km)
    out = {}
    for method, revised in (("P.617", False), ("P.617 revised angle", True)):
        out[method] = tropolink.p617_loss(**common, hts_m=g.hts_m, hrs_m=g.hrs_m, n0=link.n0, delta_n=link.delta_n,
                                          hs_km=g.hs_km, revised_angle_term=revised)
    if link.p2001_zone is not None:
        out["P.2001"] = tropolink.p2001_loss(**common, climate_zone=link.p2001_zone)
    return {m: {pc: (None if np.isnan(v) else float(v)) for pc, v in zip(PERCENTS, losses)}
            for m, losses in out.items()}


@dataclass
class Published:
    geometry: ItuGeometry
    even_split: bool
    altitudes: str  # which antenna altitudes were published
    losses: dict


def published_route(link: Link) -> Published:
    ae = effective_earth_radius_km(link.delta_n)
    theta_t, theta_r, even = split_scatter_angle(link.theta_mrad, link.d_km, ae, link.tx.horizon_mrad,
                                                 link.rx.horizon_mrad)
    heights = [(s.ground_m or 0.0) + (s.mast_m or 0.0) if s.ground_m is not None else 0.0 for s in (link.tx, link.rx)]
    g = ItuGeometry(link.d_km, ae, theta_t, theta_r, heights[0], heights[1], 0.0)
    return Published(g, even, _altitudes_used(link), itu_losses(link, g))


def _altitudes_used(link: Link) -> str:
    words = []
    for name, s in (("Tx", link.tx), ("Rx", link.rx)):
        if s.ground_m is None:
            words.append(f"{name} 0 m (no site altitude published)")
        elif s.mast_m is None:
            words.append(f"{name} the site altitude (no antenna height published)")
        else:
            words.append(f"{name} the site altitude plus the antenna height")
    return words[0] + ", " + words[1]


@dataclass
class Terrain:
    antennas_m: tuple  # altitudes
    masts_m: tuple  # above the profile's ends, as profile() takes them
    geometry: ItuGeometry  # whole-path horizons
    horizons: tuple  # (tx, rx) whole-path Horizon
    slider_horizons: tuple  # (tx, rx) within 100 km, on the ITU earth
    losses: dict
    limited_losses: Optional[dict]  # with the slider-limited horizons, where they differ
    legacy: dict = field(default_factory=dict)  # method -> median loss or None
    legacy_words: dict = field(default_factory=dict)  # method -> the word its box shows instead
    calculator_angle_mrad: Optional[float] = None
    clamped: list = field(default_factory=list)  # settings moved onto their slider's range
    pass_horizons: tuple = ()  # the pass's horizons, as profile() found them


def terrain_route(link: Link) -> Terrain:
    d, h = read_profile(link.profile_path)
    antennas = (antenna_altitude_m(h[0], link.tx.ground_m, link.tx.mast_m),
                antenna_altitude_m(h[-1], link.rx.ground_m, link.rx.mast_m))
    ae = effective_earth_radius_km(link.delta_n)
    whole = _horizons(d, h, antennas, ae, np.inf)
    limited = _horizons(d, h, antennas, ae, SLIDER_HORIZON_LIMIT_KM)
    g = _geometry(d, h, antennas, whole, ae)
    limited_losses = None
    if any(a.index != b.index for a, b in zip(whole, limited)):
        limited_losses = itu_losses(link, _geometry(d, h, antennas, limited, ae))
    masts = (antennas[0] - h[0], antennas[1] - h[-1])
    t = Terrain(antennas, masts, g, whole, limited, itu_losses(link, g), limited_losses)
    _legacy_pass(link, t, d, h)
    return t


def _horizons(d, h, antennas, ae, limit) -> tuple:
    return (find_horizon(d, h, True, antennas[0], ae, limit), find_horizon(d, h, False, antennas[1], ae, limit))


def _geometry(d, h, antennas, horizons, ae) -> ItuGeometry:
    return ItuGeometry(float(d[-1]), ae, horizons[0].angle_mrad, horizons[1].angle_mrad, antennas[0], antennas[1],
                       common_volume_ground_km(d, h, antennas, horizons, ae))


def _on_grid(value: float, low: float, high: float, name: str, step_digits: int, clamped: list) -> str:
    on = min(max(round(value, step_digits), low), high)
    if on != round(value, step_digits):
        clamped.append(f"{name} {value:g} set to {on:g}, the end of its slider")
    return f"{on:.{step_digits}f}"


def _legacy_pass(link: Link, t: Terrain, d: np.ndarray, h: np.ndarray) -> None:
    """The five methods on the settings profile() derives, with the link's figures on their grids."""
    clamped: list = []
    settings = dict(frequency_mhz=_on_grid(link.f_mhz, 50, 25000, "frequency", 0, clamped),
                    s1_antenna_gain_dbi=_on_grid(link.tx.gain_dbi, *GAIN_RANGE_DBI, "Tx gain", 1, clamped),
                    s2_antenna_gain_dbi=_on_grid(link.rx.gain_dbi, *GAIN_RANGE_DBI, "Rx gain", 1, clamped),
                    surface_refractivity=_on_grid(link.n0, *REFRACTIVITY_RANGE, "N0", 0, clamped))
    answer = tropolink.profile(str(link.profile_path), t.masts_m[0], t.masts_m[1], **settings)
    t.clamped = clamped
    t.pass_horizons = (answer["horizon"]["station1"], answer["horizon"]["station2"])
    _check_same_horizons(link, t, d, h)
    for method, box in LEGACY_BOXES.items():
        text = answer["boxes"][box].strip()
        try:
            t.legacy[method] = float(text)
        except ValueError:
            t.legacy[method] = None
            t.legacy_words[method] = text
    t.calculator_angle_mrad = float(answer["boxes"]["Text38"]) * np.pi / 180 * 1000


def _check_same_horizons(link: Link, t: Terrain, d: np.ndarray, h: np.ndarray) -> None:
    """The script's horizon search must be the library's: on the calculator's earth and within
    100 km it finds the very points profile() found."""
    for from_tx, antenna, found in ((True, t.antennas_m[0], t.pass_horizons[0]),
                                    (False, t.antennas_m[1], t.pass_horizons[1])):
        mine = find_horizon(d, h, from_tx, antenna, CALCULATOR_EARTH_RADIUS_KM, SLIDER_HORIZON_LIMIT_KM)
        if mine is None or abs(mine.angle_mrad - found["angleMrad"]) > 1e-9 or \
                abs(mine.distance_km - found["distanceKm"]) > 1e-9:
            raise RuntimeError(f"link {link.number}: the horizon search differs from profile()'s")

