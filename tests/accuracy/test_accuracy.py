import os
import pathlib
import subprocess
import sys

import numpy as np
import pytest

ROOT = pathlib.Path(__file__).parent.parent.parent
SCRIPT = ROOT / "validation" / "accuracy"
sys.path.insert(0, str(SCRIPT))

from geometry import antenna_altitude_m, find_horizon, split_scatter_angle  # noqa: E402
from page import compare_stats, read_stats  # noqa: E402

PAGE = (ROOT / "docs" / "accuracy.md").read_text()


def run_script(*args):
    return subprocess.run([sys.executable, str(SCRIPT), *map(str, args)], capture_output=True, text=True,
                          check=False)


def check(tmp_path, page):
    path = tmp_path / "accuracy.md"
    path.write_text(page)
    done = subprocess.run([sys.executable, str(SCRIPT), "--check", "--page", str(path)], capture_output=True,
                          text=True, check=False)
    return done.returncode, done.stderr


# A figure moved by more than the page's rounding fails and names its method; one within it passes.
@pytest.mark.parametrize("old, new, status, named", [
    # The recomputed mean is -0.4553 dB.
    ("| P.2001 | published | 50 | 12 | -0.46 |", "| P.2001 | published | 50 | 12 | -0.47 |", 1,
     "P.2001, published route, p = 50 %: mean error -0.4553 dB"),
    ("| P.2001 | published | 50 | 12 | -0.46 |", "| P.2001 | published | 50 | 12 | -0.45 |", 0, ""),
    ("| RIDER | terrain | 50 | 13 |", "| RIDER | terrain | 50 | 14 |", 1, "RIDER, terrain route, p = 50 %: 13 links"),
    ("| CCIR | terrain | 50 | 13 | +0.36 | 11.92 |", "| CCIR | terrain | 50 | 13 | +0.36 | 11.90 |", 1,
     "CCIR, terrain route, p = 50 %: RMS error"),
    ("| YEH | terrain | 50 | 13 |", "| YEH | terrain | 90 | 13 |", 1, "YEH, terrain route, p = 50 %: not on the page"),
])
def test_check_names_the_method_whose_figure_moved(tmp_path, old, new, status, named):
    assert old in PAGE
    code, err = check(tmp_path, PAGE.replace(old, new, 1))
    assert code == status
    assert named in err


def test_the_committed_page_reads_back_whole():
    rows = read_stats(PAGE)
    assert len({(r.method, r.route, r.percent) for r in rows}) == len(rows) > 20
    assert compare_stats(rows, rows) == []
    assert compare_stats(rows, rows[1:]) == [f"{rows[0].method}, {rows[0].route} route, p = {rows[0].percent} %: "
                                             "not on the page"]


# Published horizon angles are kept within 1 mrad of the published scatter angle, else split evenly.
# With d = 0 the horizon angles must add up to θ itself.
@pytest.mark.parametrize("theta, t, r, expected", [
    (10.0, 3.0, 6.0, (3.5, 6.5, False)),  # 1 mrad short: kept, each moved by half
    (10.0, 3.0, 8.0, (2.5, 7.5, False)),  # 1 mrad over
    (10.0, 3.0, 5.9, (5.0, 5.0, True)),  # 1.1 mrad short
    (10.0, None, 5.0, (5.0, 5.0, True)),
    (10.0, 4.0, None, (5.0, 5.0, True)),
])
def test_split_of_the_published_scatter_angle(theta, t, r, expected):
    got = split_scatter_angle(theta, 0.0, 8500.0, t, r)
    assert got == pytest.approx(expected)
    assert got[0] + got[1] == pytest.approx(theta)


@pytest.mark.parametrize("end, site, mast, expected", [
    (100.0, 120.0, 5.0, 125.0),  # the site above the profile's end
    (100.0, 80.0, 5.0, 105.0),  # the profile's end above the site
    (100.0, None, 5.0, 105.0),
    (100.0, 120.0, None, 130.0),  # 10 m where no height is published
    (100.0, None, None, 110.0),
])
def test_the_antenna_stands_on_the_higher_ground(end, site, mast, expected):
    assert antenna_altitude_m(end, site, mast) == expected


def test_horizon_search_limit_and_ties():
    d = np.array([0.0, 50.0, 100.0, 150.0, 200.0])
    h = np.array([0.0, 0.0, 0.0, 2000.0, 0.0])
    whole = find_horizon(d, h, True, 0.0, np.inf)
    assert (whole.index, whole.distance_km) == (3, 150.0)
    near = find_horizon(d, h, True, 0.0, np.inf, limit_km=100)
    assert (near.index, near.distance_km) == (1, 50.0)  # a tie with the point at 100 km goes to the nearer
    assert find_horizon(d, h, False, 0.0, np.inf, limit_km=50).index == 3  # 50 km from the far end
    assert find_horizon(d, h, True, 0.0, np.inf, limit_km=10) is None


@pytest.fixture(scope="module")
def synthetic_maps(tmp_path_factory):
    """The 14 maps (and the other two) from the one generator, never the ITU's."""
    folder = tmp_path_factory.mktemp("maps") / "synthetic"
    subprocess.run([os.environ["TROPOLINK_SYNTHETIC_MAPS"], str(folder)], check=True)
    return folder


def test_without_maps_the_page_says_the_complete_rows_need_them():
    assert "needs the ITU's 14 digital maps" in PAGE
    assert "--maps DIR" in PAGE
    assert not any(r.method == "P.2001 complete" for r in read_stats(PAGE))


def test_with_maps_the_complete_rows_join_and_the_page_names_the_files(tmp_path, synthetic_maps):
    page = tmp_path / "accuracy.md"
    done = run_script("--maps", synthetic_maps, "--page", page)
    assert done.returncode == 0, done.stderr
    text = page.read_text()
    rows = read_stats(text)
    complete = {(r.route, r.percent): r for r in rows if r.method == "P.2001 complete"}
    # Every measured link has both sites' coordinates: all 13 at the median, on the terrain route alone.
    assert complete[("terrain", 50)].count == 13
    assert {route for route, _ in complete} == {"terrain", "terrain, flagged out"}
    assert f"read the maps in `{synthetic_maps}`" in text
    for name in ("`DN_Median.txt`", "`TropoClim.txt`", "`FoEs0.1.txt`", "`Esarain_Beta_v5.txt`"):
        assert name in text
    assert "needs the ITU's 14 digital maps" not in text
    # The other rows are those of the page without maps.
    others = [r for r in rows if r.method != "P.2001 complete"]
    assert compare_stats(others, read_stats(PAGE)) == []
    assert "P.2001 complete" in (tmp_path / "accuracy.svg").read_text()
    # And the page checks against itself with the same maps.
    checked = run_script("--check", "--maps", synthetic_maps, "--page", page)
    assert checked.returncode == 0, checked.stderr


def test_a_folder_without_the_maps_is_refused_by_name(tmp_path, synthetic_maps):
    partial = tmp_path / "partial"
    partial.mkdir()
    for f in synthetic_maps.iterdir():
        if f.name != "h0.txt":
            (partial / f.name).write_bytes(f.read_bytes())
    done = run_script("--maps", partial, "--page", tmp_path / "accuracy.md")
    assert done.returncode == 2
    assert done.stderr == f"{partial}: no h0.txt (allowed: a folder holding the 14 maps of the complete P.2001)\n"
    assert not (tmp_path / "accuracy.md").exists()
