"""tropolink.terrain_profile and tropolink.profile against `tropolink-cli profile --json`.

Both run the same code, so the objects must be equal to the last bit of every float.
"""
import json
import pathlib
import warnings

import numpy as np
import pytest
import tropolink
from test_maps import write_maps

EXAMPLES = pathlib.Path(__file__).parent.parent.parent / "docs" / "examples"
CSV = EXAMPLES / "hill-path.csv"
DEM = EXAMPLES / "white-mountains.tif"
SITE1, SITE2 = (44.2706, -71.3033), (44.9, -71.9)
FROM, TO = "44.2706,-71.3033", "44.9,-71.9"


@pytest.fixture
def tool_json(cli):
    def run(*args):
        status, out, err = cli("profile", *args, "--json")
        assert status == 0, err
        return json.loads(out), err

    return run


def quiet_profile(*args, **kwargs):
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        answer = tropolink.profile(*args, **kwargs)
    return answer, [str(w.message) for w in caught if w.category is UserWarning]


@pytest.mark.parametrize("python_args, tool_args", [
    ({}, []),
    ({"s1_mast_m": 25, "s2_mast_m": "7.5", "frequency_mhz": 2000}, ["--s1-mast-m", "25", "--s2-mast-m", "7.5",
                                                                     "--set", "frequency-mhz=2000"]),
    ({"availability": True}, ["--availability"]),
    ({"availability": True, "percent": [50, 99.9], "delta_n": 55, "climate_zone": 3, "required_snr_db": 10,
      "power_div_1000": True},
     ["--availability", "--percent", "50", "--percent", "99.9", "--delta-n", "55", "--climate-zone", "3",
      "--required-snr", "10", "--power-div-1000"]),
])
def test_csv_profile_equals_the_tools_json(tool_json, python_args, tool_args):
    expected, _ = tool_json(str(CSV), *tool_args)
    for ground in (str(CSV), CSV):
        assert tropolink.profile(ground, **python_args) == expected


@pytest.mark.parametrize("python_args, tool_args", [
    ({}, []),
    ({"availability": True, "n0": 330}, ["--availability", "--n0", "330"]),
    ({"availability": True, "surface_refractivity": 301, "s2_mast_m": 30},
     ["--availability", "--set", "surface-refractivity=301", "--s2-mast-m", "30"]),
])
def test_dem_profile_equals_the_tools_json(tool_json, tmp_path, monkeypatch, python_args, tool_args):
    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "no-maps"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "no-data"))
    expected, err = tool_json("--from", FROM, "--to", TO, "--dem", str(DEM), *tool_args)
    ground = tropolink.terrain_profile(SITE1, SITE2, DEM)
    answer, notes = quiet_profile(ground, **python_args)
    assert answer == expected
    assert len(notes) == 1 and notes[0] in err


def test_dem_profile_takes_the_climate_from_the_maps(tool_json, tmp_path):
    maps = write_maps(tmp_path / "maps")
    expected, _ = tool_json("--from", FROM, "--to", TO, "--dem", str(DEM), "--maps", str(maps), "--availability")
    answer, notes = quiet_profile(tropolink.terrain_profile(SITE1, SITE2, DEM), maps=maps, availability=True)
    assert notes == []
    assert answer["climate"]["n0"]["source"] == "map"
    assert answer == expected


@pytest.mark.parametrize("python_args, tool_args", [
    ({}, []),
    ({"step_m": 250, "fill_voids": True, "sea_where_missing": True},
     ["--step-m", "250", "--fill-voids", "--sea-where-missing"]),
])
def test_terrain_profile_equals_the_written_profile(cli, tmp_path, monkeypatch, python_args, tool_args):
    written = tmp_path / "ground.csv"
    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "no-maps"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "no-data"))
    status, out, err = cli("profile", "--from", FROM, "--to", TO, "--dem", str(DEM),
                           "--write-profile", str(written), "--json", *tool_args)
    assert status == 0, err
    p = tropolink.terrain_profile(FROM, list(SITE2), [str(DEM)], **python_args)
    rows = np.loadtxt(written, delimiter=",", skiprows=1, ndmin=2)
    for name in ("distance_km", "height_m", "lat", "lon"):
        assert getattr(p, name).dtype == np.float64
    np.testing.assert_array_equal(p.distance_km, rows[:, 0])
    np.testing.assert_array_equal(p.height_m, rows[:, 1])
    path = json.loads(out)["path"]
    assert (p.length_km, p.azimuth1_deg, p.azimuth2_deg, p.step_m) == (
        path["lengthKm"], path["azimuth1Deg"], path["azimuth2Deg"], path["stepM"])
    assert p.dem_files == path["demFiles"] and p.sea == path["sea"] and p.voids == path["voids"]
    assert len(p) == path["pointCount"] == len(p.lat) == len(p.lon)
    assert (p.lat[0], p.lon[0], p.lat[-1], p.lon[-1]) == (*SITE1, *SITE2)


def test_the_gil_is_free_while_reading():
    import threading
    grounds = []
    threads = [threading.Thread(target=lambda: grounds.append(tropolink.terrain_profile(SITE1, SITE2, DEM)))
               for _ in range(3)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert all(np.array_equal(g.height_m, grounds[0].height_m) for g in grounds)


@pytest.mark.parametrize("call, error, message", [
    (lambda: tropolink.terrain_profile((91, 0), SITE2, DEM), ValueError, "site1"),
    (lambda: tropolink.terrain_profile(SITE1, "44.9;-71.9", DEM), ValueError, "site2"),
    (lambda: tropolink.terrain_profile(SITE1, (44.9, float("nan")), DEM), ValueError, "site2"),
    (lambda: tropolink.terrain_profile(SITE1, (44.9,), DEM), ValueError, "site2"),
    (lambda: tropolink.terrain_profile(SITE1, (True, False), DEM), TypeError, "site2"),
    (lambda: tropolink.terrain_profile([44.2, True], SITE2, DEM), TypeError, "site1"),
    (lambda: tropolink.terrain_profile(SITE1, ("44.9", "-71.9"), DEM), TypeError, "site2"),
    (lambda: tropolink.terrain_profile(SITE1, None, DEM), TypeError, "site2"),
    (lambda: tropolink.terrain_profile(SITE1, SITE1, DEM), ValueError, "the same place"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, "no-such.tif"), ValueError, "no such file"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, []), ValueError, "dem"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, 5), TypeError, "dem"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, DEM, step_m=0.5), ValueError, "step_m"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, DEM, fill_voids=1), TypeError, "fill_voids"),
    (lambda: tropolink.terrain_profile(SITE1, SITE2, DEM, sea_where_missing=None), TypeError, "sea_where_missing"),
    (lambda: tropolink.profile(CSV, availability=None), TypeError, "availability"),
    (lambda: tropolink.profile(CSV, power_div_1000=0), TypeError, "power_div_1000"),
    (lambda: tropolink.profile(CSV, delta_n=50), ValueError, "delta_n: given without availability=True"),
    (lambda: tropolink.profile(CSV, availability=True, delta_n=81), ValueError, "--delta-n"),
    (lambda: tropolink.profile(CSV, distance_km=200), ValueError, "fixed by the profile"),
    (lambda: tropolink.profile(CSV, s1_mast_m=-1), ValueError, "s1_mast_m"),
    (lambda: tropolink.profile(CSV, no_such_slider=1), ValueError, "no_such_slider"),
    (lambda: tropolink.profile("no-such.csv"), FileNotFoundError, "no-such.csv"),
])
def test_refusals(call, error, message):
    with pytest.raises(error, match=None) as raised:
        call()
    assert message in str(raised.value)


def test_a_refused_csv_row_is_named_as_the_tool_names_it(cli, tmp_path):
    bad = tmp_path / "bad.csv"
    bad.write_text("0,100\n1,x\n2,100\n")
    _, _, err = cli("profile", str(bad), "--json")
    with pytest.raises(ValueError) as raised:
        tropolink.profile(bad)
    assert str(raised.value) in err


@pytest.mark.parametrize("ground", [0, 1.5, b"hill-path.csv", None])
def test_a_ground_that_is_neither_a_profile_nor_a_path_is_refused(ground):
    # A number would otherwise be taken for a file descriptor and read.
    with pytest.raises(TypeError, match="profile_or_csv_path"):
        tropolink.profile(ground)
