"""tropolink.coverage against `tropolink-cli coverage`: the same cells to the bit, the same
refusals, the same values for any number of jobs, and Ctrl-C stops it."""
import _thread
import pathlib
import shutil
import subprocess
import threading

import numpy as np
import pytest
import tropolink

DEM = pathlib.Path(__file__).parent.parent.parent / "docs" / "examples" / "white-mountains.tif"
ARGS = {"site": (44.7, -71.7), "radius_km": 6, "cell_m": 400, "dem": str(DEM), "frequency_mhz": 2000,
        "percent": [99.9, 50], "s1_mast_m": 30, "s2_mast_m": 10, "method": "p617"}
OPTIONS = ["--site", "44.7,-71.7", "--radius-km", "6", "--cell-m", "400", "--dem", str(DEM), "--frequency-mhz",
           "2000", "--percent", "99.9", "--percent", "50", "--s1-mast-m", "30", "--s2-mast-m", "10", "--method", "p617"]


@pytest.fixture
def no_maps(tmp_path, monkeypatch):
    """No maps where lookups look, for this process and the tool: the defaults,
    whatever the user installed. A folder named with maps= must hold them."""
    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "no-maps"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "no-data"))


def tiff_bands(path, shape):
    """The GeoTIFF's bands as raw float32, through GDAL's own tool."""
    raw = pathlib.Path(str(path) + ".bin")
    subprocess.run(["gdal_translate", "-q", "-of", "ENVI", "-co", "INTERLEAVE=BSQ", str(path), str(raw)], check=True)
    return np.fromfile(raw, dtype="<f4").reshape(shape)


@pytest.mark.skipif(shutil.which("gdal_translate") is None, reason="needs gdal_translate")
def test_bands_are_the_tools_geotiff(cli, tmp_path, no_maps):
    tif = tmp_path / "map.tif"
    status, out, err = cli("coverage", *OPTIONS, "--sector", "45,200", "--out", str(tif))
    assert status == 0, err
    result = tropolink.coverage(**ARGS, maps=no_maps, sector="45,200")
    bands = result["bands"]
    assert bands.dtype == np.float32 and bands.ndim == 3 and bands.shape[0] == 2
    assert np.array_equal(bands, tiff_bands(tif, bands.shape), equal_nan=True)
    for kind, count in result["counts"].items():
        if count:
            assert f"{kind}: {count:,} cells".replace(",", " ") in out
    assert result["crs"] == "EPSG:4326"
    assert result["percent"] == [99.9, 50]
    assert result["band_names"] == ["Lb at 99.9 % of the year, dB", "Lb at 50 % of the year, dB"]
    west, size, _, north, _, negative = result["geotransform"]
    rows, cols = bands.shape[1:]
    assert size == -negative == int(result["metadata"]["CELL_ARCSEC"]) / 3600
    assert west + cols / 2 * size == pytest.approx(-71.7) and north - rows / 2 * size == pytest.approx(44.7)
    assert result["counts"]["computed"] > 0
    assert result["metadata"]["METHOD"] == "p617"
    assert result["metadata"]["SECTOR"].startswith("45")
    assert result["metadata"]["DEM_FILES_USED"] == str(DEM)


def test_same_values_for_any_jobs(no_maps):
    one = tropolink.coverage(**ARGS, maps=no_maps, jobs=1)["bands"]
    for jobs in (2, 3):
        assert np.array_equal(one, tropolink.coverage(**ARGS, maps=no_maps, jobs=jobs)["bands"], equal_nan=True)


@pytest.mark.parametrize("change, error, message", [
    ({"radius_km": 1000.5}, ValueError, "radius_km 1000.5: out of range (allowed: a plain decimal from 1 to 1000 km)"),
    ({"cell_m": 29}, ValueError, "cell_m 29: out of range"),
    ({"radius_km": 1000, "cell_m": 30}, ValueError, "--radius-km 1000 with --cell-m 30: "),
    ({"site": (46.5, -71.5)}, ValueError, "--site 46.5,-71.5: outside every DEM"),
    ({"percent": 100}, ValueError, "percent 100: "),
    ({"percent": []}, ValueError, "percent: none given"),
    ({"frequency_mhz": 20}, ValueError, "frequency_mhz 20: out of range"),
    ({"method": "p618"}, ValueError, "method p618: no such method"),
    ({"method": 617}, TypeError, "method: "),
    ({"polarisation": "circular"}, ValueError, "polarisation circular: no such polarisation"),
    ({"sector": "90"}, ValueError, "--sector 90: not two numbers"),
    ({"fill_voids": 1}, TypeError, "fill_voids"),
    ({"jobs": 0}, ValueError, "--jobs 0"),
    ({"dem": "/no/such.tif"}, ValueError, "DEM /no/such.tif: no such file or folder"),
    ({"s2_mast_m": None}, TypeError, "s2_mast_m"),
])
def test_refusals(no_maps, change, error, message):
    with pytest.raises(error) as raised:
        tropolink.coverage(**{**ARGS, "maps": no_maps, **change})
    assert message in str(raised.value)


def test_a_missing_argument_and_the_14_maps(no_maps):
    with pytest.raises(TypeError, match="missing the argument cell_m"):
        tropolink.coverage(**{k: v for k, v in ARGS.items() if k != "cell_m"})
    with pytest.raises(FileNotFoundError, match="DN_Median.txt"):
        tropolink.coverage(**{**ARGS, "method": "p2001-all", "maps": no_maps})


def test_ctrl_c_stops_the_map(no_maps):
    timer = threading.Timer(0.5, _thread.interrupt_main)
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            tropolink.coverage(**{**ARGS, "radius_km": 30, "cell_m": 100, "maps": no_maps})
    finally:
        timer.cancel()


PLAN = f"""[station1]
site = [44.7, -71.7]
mast-m = 30
tx-power = 100
antenna-gain-dbi = 30
[station2]
site = [44.8, -71.8]
mast-m = 10
antenna-gain-dbi = 25
rx-bandwidth-hz = 3000
[path]
frequency-mhz = 2000
dem = ["{DEM}"]
[requirement]
snr-db = 10
availability-percent = 99.9
percent = [50]
"""


@pytest.fixture
def plan_file(tmp_path):
    path = tmp_path / "link.tropolink.toml"
    path.write_text(PLAN)
    return path


@pytest.mark.skipif(shutil.which("gdal_translate") is None, reason="needs gdal_translate")
def test_a_plans_margin_is_the_tools(cli, tmp_path, no_maps, plan_file):
    tif = tmp_path / "map.tif"
    status, _, err = cli("coverage", "--plan", str(plan_file), "--radius-km", "6", "--cell-m", "400", "--method",
                         "p617", "--out", str(tif))
    assert status == 0, err
    for plan in (plan_file, str(plan_file), tropolink.Plan.load(plan_file)):
        result = tropolink.coverage(plan=plan, radius_km=6, cell_m=400, method="p617", maps=no_maps)
        bands = result["bands"]
        assert bands.shape[0] == 2
        assert np.array_equal(bands, tiff_bands(tif, bands.shape), equal_nan=True)
        assert result["percent"] == [50, 99.9]
        assert result["band_names"][1] == "S/N margin at 99.9 % of the year, dB"
        assert result["metadata"]["PLAN"] == str(plan_file)
        assert result["metadata"]["LIMIT"] == "0"
    # Given again with the plan's own values, the plan's arguments are taken.
    same = tropolink.coverage(plan=plan_file, radius_km=6, cell_m=400, method="p617", maps=no_maps,
                              site=(44.7, -71.7), frequency_mhz=2000, s1_mast_m=30, s2_mast_m=10, dem=str(DEM),
                              percent=[50, 99.9])
    assert np.array_equal(same["bands"], bands, equal_nan=True)


@pytest.mark.parametrize("change, error, message", [
    ({"frequency_mhz": 2100}, ValueError, "frequency_mhz 2100: contradicts the plan "),
    ({"s2_mast_m": 12}, ValueError, "(allowed: the plan's station 2's mast 10, or leave it out)"),
    ({"s1_gain_dbi": 0}, ValueError, "s1_gain_dbi 0: contradicts the plan "),
    ({"site": (44.7, -71.6)}, ValueError, "site 44.7,-71.6: contradicts the plan "),
    ({"fill_voids": True}, ValueError, "fill_voids: contradicts the plan "),
    ({"plan": "/no/such.tropolink.toml"}, FileNotFoundError, "/no/such.tropolink.toml"),
    ({"plan": 5}, TypeError, "int"),
    ({"radius_km": None}, TypeError, "radius_km"),
])
def test_plan_refusals(no_maps, plan_file, change, error, message):
    with pytest.raises(error) as raised:
        tropolink.coverage(**{"plan": plan_file, "radius_km": 6, "cell_m": 400, "method": "p617", "maps": no_maps,
                              **change})
    assert message in str(raised.value)


@pytest.mark.parametrize("text, message", [
    (PLAN + "frequency-mhz = 3\n", ":18:1: requirement.frequency-mhz: unknown key"),
    (PLAN.replace("snr-db = 10\n", ""), " has no required S/N (allowed: a plan with [requirement].snr-db)"),
])
def test_plans_a_map_cannot_take(no_maps, plan_file, text, message):
    plan_file.write_text(text)
    with pytest.raises(ValueError) as raised:
        tropolink.coverage(plan=plan_file, radius_km=6, cell_m=400, method="p617", maps=no_maps)
    assert message in str(raised.value)
    assert str(plan_file) in str(raised.value)
