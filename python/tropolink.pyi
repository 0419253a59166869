import os
from typing import Any, Literal, Mapping, Optional, Sequence, TypedDict, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str
VERDICTS: tuple[str, str, str]
VERDICT_VALID: int
VERDICT_OUT_OF_RANGE: int
VERDICT_LINE_OF_SIGHT: int

Setting = Union[int, float, str, np.integer, np.floating, npt.NDArray[Any]]
ArrayLike = npt.ArrayLike

class Result:
    @property
    def boxes(self) -> dict[str, str]: ...
    @property
    def values(self) -> dict[str, Any]: ...
    @property
    def labels(self) -> dict[str, str]: ...

def calculate(
    power_div_1000: Union[bool, np.bool_] = False,
    *,
    s1_antenna_height_m: Setting = ...,
    s1_obstruction_height_m: Setting = ...,
    s1_obstruction_distance_km: Setting = ...,
    s1_tx_power: Setting = ...,
    s1_tx_line_loss_db: Setting = ...,
    s1_rx_noise_figure_db: Setting = ...,
    s1_rx_line_loss_db: Setting = ...,
    s1_antenna_gain_dbi: Setting = ...,
    s1_antenna_noise_temp_k: Setting = ...,
    s1_rx_bandwidth_hz: Setting = ...,
    s2_antenna_height_m: Setting = ...,
    s2_obstruction_height_m: Setting = ...,
    s2_obstruction_distance_km: Setting = ...,
    s2_tx_power: Setting = ...,
    s2_tx_line_loss_db: Setting = ...,
    s2_rx_noise_figure_db: Setting = ...,
    s2_rx_line_loss_db: Setting = ...,
    s2_antenna_gain_dbi: Setting = ...,
    s2_antenna_noise_temp_k: Setting = ...,
    s2_rx_bandwidth_hz: Setting = ...,
    frequency_mhz: Setting = ...,
    distance_km: Setting = ...,
    surface_refractivity: Setting = ...,
    **sliders: Setting,
) -> Result: ...
def calculate_many(
    table: Union[Mapping[str, ArrayLike], np.ndarray],
    power_div_1000: Union[bool, np.bool_] = False,
    threads: Union[int, None] = None,
) -> dict[str, np.ndarray]: ...
def p617_loss(
    f_mhz: ArrayLike,
    d_km: ArrayLike,
    theta_t_mrad: ArrayLike,
    theta_r_mrad: ArrayLike,
    hts_m: ArrayLike,
    hrs_m: ArrayLike,
    gt_dbi: ArrayLike,
    gr_dbi: ArrayLike,
    n0: ArrayLike,
    delta_n: ArrayLike,
    hs_km: ArrayLike,
    p: ArrayLike,
    ae_km: ArrayLike,
    revised_angle_term: ArrayLike = False,
    *,
    out: Optional[np.ndarray] = None,
    threads: Optional[int] = None,
) -> Any: ...
def p2001_loss(
    *,
    f_mhz: ArrayLike,
    d_km: ArrayLike,
    ae_km: ArrayLike,
    theta_t_mrad: ArrayLike,
    theta_r_mrad: ArrayLike,
    climate_zone: ArrayLike,
    gt_dbi: ArrayLike,
    gr_dbi: ArrayLike,
    p: ArrayLike,
    out: Optional[np.ndarray] = None,
    threads: Optional[int] = None,
) -> Any: ...
def availability(
    *,
    percent: Union[float, Sequence[float], np.ndarray, None] = None,
    required_snr_db: Union[float, None] = None,
    delta_n: float = 40,
    n0: Union[float, None] = None,
    ground_height_km: float = 0,
    climate_zone: int = 6,
    diversity_order: Union[int, None] = None,
    combiner: Union[Literal["selection", "maximal-ratio"], None] = None,
    branch_correlation: Union[float, None] = None,
    power_div_1000: bool = False,
    **settings: Setting,
) -> dict[str, Any]: ...
@overload
def short_term_outage(
    margin_db: float, order: int = 1, combiner: Literal["selection", "maximal-ratio"] = "selection",
    correlation: float = 0.0,
) -> float: ...
@overload
def short_term_outage(
    margin_db: ArrayLike, order: int = 1, combiner: Literal["selection", "maximal-ratio"] = "selection",
    correlation: float = 0.0,
) -> npt.NDArray[np.float64]: ...

class ItuMapsValues(TypedDict):
    n0: Any  # float64 array (numpy scalar for scalar input), N-units
    delta_n: Any  # float64, N-units/km
    zone_code: Any  # uint8, the map's code 0 to 6
    climate_zone: Any  # uint8, 1 to 7 as p2001_loss takes it

def itu_maps_at(lat: ArrayLike, lon: ArrayLike, maps: Union[str, os.PathLike[str], None] = None) -> ItuMapsValues: ...

Site = Union[str, tuple[float, float], Sequence[float], np.ndarray]
PathArg = Union[str, os.PathLike[str]]

class GapReport(TypedDict):
    count: int
    first: Optional[dict[str, float]]  # distanceKm, lat, lon of the first such point

class Profile:
    @property
    def distance_km(self) -> npt.NDArray[np.float64]: ...
    @property
    def height_m(self) -> npt.NDArray[np.float64]: ...
    @property
    def lat(self) -> npt.NDArray[np.float64]: ...
    @property
    def lon(self) -> npt.NDArray[np.float64]: ...
    @property
    def site1(self) -> tuple[float, float]: ...
    @property
    def site2(self) -> tuple[float, float]: ...
    @property
    def length_km(self) -> float: ...
    @property
    def azimuth1_deg(self) -> float: ...
    @property
    def azimuth2_deg(self) -> float: ...
    @property
    def step_m(self) -> float: ...
    @property
    def dem_files(self) -> list[str]: ...
    @property
    def sea(self) -> GapReport: ...
    @property
    def voids(self) -> GapReport: ...
    def __len__(self) -> int: ...

def terrain_profile(
    site1: Site,
    site2: Site,
    dem: Union[PathArg, Sequence[PathArg]],
    step_m: Union[float, str, None] = None,
    sea_where_missing: bool = False,
    fill_voids: bool = False,
) -> Profile: ...
def profile(
    profile_or_csv_path: Union[Profile, PathArg],
    s1_mast_m: Union[float, str] = 10,
    s2_mast_m: Union[float, str] = 10,
    *,
    availability: bool = False,
    percent: Union[float, Sequence[float], np.ndarray, None] = None,
    delta_n: Union[float, None] = None,
    n0: Union[float, None] = None,
    climate_zone: Union[int, None] = None,
    required_snr_db: Union[float, None] = None,
    maps: Union[PathArg, None] = None,
    power_div_1000: bool = False,
    **settings: Setting,
) -> dict[str, Any]: ...
def p2001_all(
    distance_km: ArrayLike,
    height_m: ArrayLike,
    zone: Optional[ArrayLike],
    *,
    site1: Site,
    site2: Site,
    frequency_mhz: Union[float, Sequence[float], np.ndarray],
    percent: Union[float, Sequence[float], np.ndarray],
    s1_mast_m: float,
    s2_mast_m: float,
    s1_gain_dbi: float = 0,
    s2_gain_dbi: float = 0,
    polarisation: str = "vertical",
    maps: Union[PathArg, None] = None,
    map_values: Optional[Mapping[str, Union[float, Mapping[str, float]]]] = None,
    threads: Optional[int] = None,
) -> dict[str, np.ndarray]: ...

class Plan:
    """A link plan, as `tropolink-cli plan` reads it from a *.tropolink.toml file."""
    def __init__(
        self,
        *,
        file: Union[PathArg, None] = None,
        title: Union[str, None] = None,
        notes: Union[str, None] = None,
        power_div_1000: bool = False,
        station1: Union[dict[str, Any], None] = None,
        station2: Union[dict[str, Any], None] = None,
        path: Union[dict[str, Any], None] = None,
        itu: Union[dict[str, Any], None] = None,
        requirement: Union[dict[str, Any], None] = None,
        diversity: Union[dict[str, Any], None] = None,
        diversity_order: Union[int, None] = None,
        combiner: Union[Literal["selection", "maximal-ratio"], None] = None,
        branch_correlation: Union[float, None] = None,
    ) -> None: ...
    @staticmethod
    def load(path: PathArg) -> Plan: ...
    def save(self, path: PathArg) -> None: ...
    def toml(self) -> str: ...
    def run(self, maps: Union[PathArg, None] = None) -> dict[str, Any]: ...
    def report(self, path: PathArg, maps: Union[PathArg, None] = None) -> None: ...
    @property
    def title(self) -> str: ...
    @property
    def file(self) -> str: ...
    @property
    def source(self) -> str: ...

class CoverageMap(TypedDict):
    bands: npt.NDArray[np.float32]  # (band, row, column), north row first, NaN for nodata
    geotransform: tuple[float, float, float, float, float, float]
    crs: str
    percent: list[float]
    band_names: list[str]
    metadata: dict[str, str]
    counts: dict[str, int]
    seconds: float

def coverage(
    *,
    radius_km: Union[float, str],
    cell_m: Union[float, str],
    site: Site = ...,
    dem: Union[PathArg, Sequence[PathArg]] = ...,
    frequency_mhz: Union[float, str] = ...,
    percent: Union[float, str, Sequence[Union[float, str]], npt.NDArray[Any]] = ...,
    s1_mast_m: Union[float, str] = ...,
    s2_mast_m: Union[float, str] = ...,
    s1_gain_dbi: Union[float, str] = 0,
    s2_gain_dbi: Union[float, str] = 0,
    polarisation: str = "vertical",
    method: str = "p2001-all",
    sector: Optional[str] = None,
    maps: Optional[PathArg] = None,
    step_m: Union[float, str, None] = None,
    sea_where_missing: bool = False,
    fill_voids: bool = False,
    jobs: Optional[int] = None,
    plan: Union[Plan, PathArg, None] = None,
) -> CoverageMap: ...
