"""tropolink.p2001_all: shapes, injected map values, refusals, threads, and the
ITU's validation example prof4 at 50 % with its own map values injected."""
import csv
import math
import os
import pathlib
import re

import numpy as np
import pytest

import tropolink

SITES = dict(site1=(45.0, 10.0), site2="45.179864,10")
PLAIN = {
    "DN_Median": 45, "DN_SupSlope": 12, "DN_SubSlope": 8, "dndz_01": -300, "surfwv_50_fixed": 7.5, "h0": 3,
    "Esarain_Pr6_v5": 5, "Esarain_Mt_v5": 600, "Esarain_Beta_v5": 0.2, "FoEs0.1": 8, "FoEs01": 6, "FoEs10": 4,
    "FoEs50": 3, "TropoClim": 4,
}
D = np.linspace(0, 20, 41)
H = 100 + 50 * np.sin(D)


def run(**kw):
    args = dict(SITES, frequency_mhz=900, percent=50, s1_mast_m=10, s2_mast_m=10, map_values=PLAIN)
    args.update(kw)
    return tropolink.p2001_all(D, H, None, **args)


def test_the_name_comes_from_the_method_table():
    assert callable(tropolink.p2001_all)


def test_columns_broadcast_over_frequency_then_percent():
    r = run(frequency_mhz=[900, 2000, 5000], percent=[1, 50])
    assert r["Lb"].shape == (3, 2)
    assert np.all(r["GHz"][:, 0] == [0.9, 2, 5])
    assert np.all(r["Tpc"][1] == [1, 50])
    assert r["N"].dtype.kind == "i"
    assert "Profile" not in r and "Nsrima" not in r
    scalar = run()
    assert scalar["Lb"].shape == ()
    assert scalar["Lb"] == r["Lb"][0, 1]
    # Lb never rises as the percentage falls.
    assert np.all(np.diff(run(percent=np.linspace(1, 99, 50))["Lb"]) >= 0)


def test_threads_give_the_same_rows():
    percents = np.linspace(0.01, 99.99, 300)
    one = run(frequency_mhz=[100, 900], percent=percents, threads=1)
    two = run(frequency_mhz=[100, 900], percent=percents, threads=2)
    for name in one:
        np.testing.assert_array_equal(one[name], two[name])


def test_zones_given_or_derived():
    sea = np.zeros_like(D)
    derived = tropolink.p2001_all(D, sea, None, **SITES, frequency_mhz=900, percent=50, s1_mast_m=10,
                                  s2_mast_m=10, map_values=PLAIN)
    inland = tropolink.p2001_all(D, sea, np.full(D.shape, 4), **SITES, frequency_mhz=900, percent=50,
                                 s1_mast_m=10, s2_mast_m=10, map_values=PLAIN)
    assert derived["Fsea"] == 1 and inland["Fsea"] == 0


def test_map_values_by_point():
    by_point = dict(PLAIN, surfwv_50_fixed={"mid": 7.5, "tx": 5.0, "rx": 9.0})
    r = run(map_values=by_point)
    assert r["WvSurtx"] == 5.0 and r["WvSurrx"] == 9.0 and r["Wvsur"] == 7.5


@pytest.mark.parametrize("kw, message", [
    (dict(frequency_mhz=29), "frequency"),
    (dict(percent=100), "percentage"),
    (dict(percent=[50, 0]), "percentage"),
    (dict(s1_mast_m=0), "antenna height"),
    (dict(polarisation="circular"), "vertical or horizontal"),
    (dict(threads=0), "threads=0"),
    (dict(map_values={k: v for k, v in PLAIN.items() if k != "h0"}), "map_values lacks 'h0'"),
    (dict(map_values=dict(PLAIN, surfwv_50_fixed={"mid": 7.5})), "lacks 'tx'"),
])
def test_refusals_name_the_input(kw, message):
    with pytest.raises(ValueError, match=re.escape(message)):
        run(**kw)


INTERNALS = ("pybind11", "C++", "incompatible function arguments", "error_already_set", "nullptr")


@pytest.mark.parametrize("kw, named", [
    (dict(s1_mast_m="10"), "s1_mast_m"),
    (dict(s2_mast_m=None), "s2_mast_m"),
    (dict(s1_gain_dbi=1j), "s1_gain_dbi"),
    (dict(s2_gain_dbi=True), "s2_gain_dbi"),
    (dict(polarisation=1), "polarisation"),
    (dict(frequency_mhz=900 + 1j), "frequency_mhz"),
    (dict(percent=["50"]), "percent"),
    (dict(map_values=[1, 2]), "map_values"),
    (dict(map_values=dict(PLAIN, h0="3")), "map_values['h0']"),
    (dict(map_values=dict(PLAIN, DN_Median=None)), "map_values['DN_Median']"),
    (dict(map_values=dict(PLAIN, h0=[3])), "map_values['h0']"),
    (dict(map_values=dict(PLAIN, surfwv_50_fixed={"mid": 7.5, "tx": "5", "rx": 9.0})),
     "map_values['surfwv_50_fixed']['tx']"),
])
def test_wrong_types_name_the_input_without_the_bindings_internals(kw, named):
    with pytest.raises(TypeError) as error:
        run(**kw)
    assert str(error.value).startswith(named + ": ")
    assert not any(word in str(error.value) for word in INTERNALS)


def test_zones_are_whole_numbers():
    with pytest.raises(TypeError, match=r"^zone: whole numbers"):
        tropolink.p2001_all(D, H, np.full(D.shape, 4.5), **SITES, frequency_mhz=900, percent=50, s1_mast_m=10,
                            s2_mast_m=10, map_values=PLAIN)


def test_too_few_points_and_missing_maps(tmp_path):
    with pytest.raises(ValueError, match="more than 10 points"):
        tropolink.p2001_all(D[:10], H[:10], None, **SITES, frequency_mhz=900, percent=50, s1_mast_m=10,
                            s2_mast_m=10, map_values=PLAIN)
    with pytest.raises(FileNotFoundError, match=r"DN_Median.txt.*maps download"):
        run(map_values=None, maps=tmp_path)


VALIDATION = pathlib.Path(os.environ.get("TROPOLINK_P2001_VALIDATION_DIR", "/nonexistent"))
# Read at the ends, or from the foEs maps, which the example gives per row.
ELSEWHERE = {"Foes1", "Foes2", "GAM1", "GAM2", "Lbes1", "Lbes2", "Lbm4"}


def rain_mid_point(name):
    """The rain maps at the path's mid-point, from the table of the formula sheet beside the examples."""
    sheet = (VALIDATION.parent / "itu-p2001.md").read_text()
    for line in sheet.splitlines():
        cells = [c.strip() for c in line.strip("|").split("|")]
        if len(cells) == 8 and cells[0] == name and cells[1] == "mid-point":
            return [float(c.replace("−", "-")) for c in cells[4:8]]
    raise AssertionError("no rain row for " + name)


@pytest.mark.skipif(not VALIDATION.is_dir(), reason="no ITU validation folder")
def test_validation_prof4_at_fifty_percent():
    rows = list(csv.DictReader(open(VALIDATION / "p2001-4_prof4_results_all_columns.csv", newline="")))
    lines = (VALIDATION / "Validation_examples_ITU-R_P_2001_prof4_profile.csv").read_text().splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith("Points,")) + 1
    profile = np.array([[float(x) for x in line.split(",")[:3]] for line in lines[start:] if line.strip()])
    first = rows[0]
    pr6, mt, beta, h0 = rain_mid_point("prof4")
    values = dict(PLAIN, DN_Median=-float(first["Nd1km50"]), dndz_01=float(first["Nd65m1"]),
                  surfwv_50_fixed={"mid": float(first["Wvsur"]), "tx": float(first["WvSurtx"]),
                                   "rx": float(first["WvSurrx"])},
                  TropoClim=int(first["Ztropo"]), Esarain_Pr6_v5=pr6, Esarain_Mt_v5=mt, Esarain_Beta_v5=beta, h0=h0)
    at50 = [r for r in rows if r["Tpc"] == "50"]
    got = tropolink.p2001_all(profile[:, 0], profile[:, 1], profile[:, 2].astype(int),
                              site1=(float(first["Phitn"]), float(first["Phite"])),
                              site2=(float(first["Phirn"]), float(first["Phire"])),
                              frequency_mhz=[float(r["GHz"]) * 1000 for r in at50], percent=[50],
                              s1_mast_m=float(first["Htg"]), s2_mast_m=float(first["Hrg"]), map_values=values)
    compared = 0
    for i, expected in enumerate(at50):
        for name, text in expected.items():
            if name in ELSEWHERE or name not in got or text == "":
                continue
            e, g = float(text), float(got[name][i, 0])
            assert abs(g - e) <= 1e-6 or abs(g - e) <= 1e-9 * abs(e), (expected["GHz"], name, e, g)
            compared += 1
    assert compared > 5 * 100
    assert all(not math.isnan(float(x)) for x in got["Lb"].ravel())
