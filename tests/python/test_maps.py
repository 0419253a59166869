"""tropolink.itu_maps_at on synthetic maps written here (the ITU's may not be copied).

N0 and delta-N are planes in the 1.5 degree grid's fractional row r = (90 - lat) / 1.5 and
column c = lon / 1.5 (lon + 360 in the west), so that the bilinear lookup gives them exactly.
"""
import json
import os

import numpy as np
import pytest
import tropolink


def plane_n0(r, c):
    return 300 + 0.5 * r + 0.25 * c + 0.001 * r * c


def plane_delta_n(r, c):
    return 40 + 0.1 * r + 0.2 * c


def grid_text(values):
    return "".join(" ".join(repr(float(v)) for v in row) + "\n" for row in values)


def zone_rows(lat):
    """The 0.5 degree row of a latitude, as the nearest lookup rounds it: an exact tie takes the smaller index."""
    return int(np.ceil((89.75 - lat) / 0.5 - 0.5))


def zone_columns(lon):
    return int(np.ceil((lon + 179.75) / 0.5 - 0.5))


# Zone codes by cell: the row band of the first cell, sea (0) elsewhere.
LAND = {(zone_rows(53.25), zone_columns(-4.95)): 5, (zone_rows(-23.5), zone_columns(133.0)): 4,
        (zone_rows(1.0), zone_columns(-60.0)): 1}


def write_maps(folder, n0=plane_n0):
    folder.mkdir(parents=True, exist_ok=True)
    r, c = np.mgrid[0:121, 0:241]
    (folder / "N050.TXT").write_text(grid_text(n0(r, c)))
    (folder / "DN50.TXT").write_text(grid_text(plane_delta_n(r, c)))
    zones = np.zeros((360, 720), dtype=int)
    for (row, column), code in LAND.items():
        zones[row, column] = code
    (folder / "TropoClim.txt").write_text("".join(" ".join(map(str, row)) + "\n" for row in zones))
    return folder


@pytest.fixture(scope="module")
def maps(tmp_path_factory):
    return write_maps(tmp_path_factory.mktemp("maps") / "itu-r")


def expected(lat, lon):
    r, c = (90 - np.asarray(lat, float)) / 1.5, np.where(np.asarray(lon) < 0, np.asarray(lon) + 360, lon) / 1.5
    return plane_n0(r, c), plane_delta_n(r, c)


POINTS = [(53.25, -4.95), (0, 0), (90, 0), (-90, 180), (-90, -180), (-33.5, 150.75), (12.3456, 359.99),
          (45, 359.25), (-0.75, -0.001)]


@pytest.mark.parametrize("lat,lon", POINTS)
def test_bilinear_is_exact_on_a_plane(maps, lat, lon):
    got = tropolink.itu_maps_at(lat, lon, maps=str(maps))
    n0, delta_n = expected(lat, lon)
    assert got["n0"] == pytest.approx(n0, abs=1e-9)
    assert got["delta_n"] == pytest.approx(delta_n, abs=1e-9)


@pytest.mark.parametrize("lat,lon,code,zone", [
    (53.25, -4.95, 5, 5), (53.25, 355.05, 5, 5), (-23.5, 133.0, 4, 4), (1.0, -60.0, 1, 1),
    (1.0, -60.3, 1, 1),  # the same 0.5 degree cell: -60.0 lies on its edge, and a tie takes the western one
    (1.0, -59.7, 0, 7),  # the next one: sea, the tool's zone 7
    (-89.9, 179.9, 0, 7),
])
def test_zones_by_nearest_cell(maps, lat, lon, code, zone):
    got = tropolink.itu_maps_at(lat, lon, maps=maps)
    assert (got["zone_code"], got["climate_zone"]) == (code, zone)


def test_arrays_broadcast_and_keep_their_shape(maps):
    lat = np.array([[53.25], [-23.5]])
    lon = np.array([-4.95, 133.0, 10.0])
    got = tropolink.itu_maps_at(lat, lon, maps=maps)
    n0, delta_n = expected(*np.broadcast_arrays(lat, lon))
    for key in ("n0", "delta_n", "zone_code", "climate_zone"):
        assert got[key].shape == (2, 3)
    assert got["n0"].dtype == np.float64 and got["zone_code"].dtype == np.uint8
    assert got["climate_zone"].dtype == np.uint8
    np.testing.assert_allclose(got["n0"], n0, atol=1e-9)
    np.testing.assert_allclose(got["delta_n"], delta_n, atol=1e-9)
    np.testing.assert_array_equal(got["zone_code"], [[5, 0, 0], [0, 4, 0]])
    np.testing.assert_array_equal(got["climate_zone"], [[5, 7, 7], [7, 4, 7]])

    lists = tropolink.itu_maps_at([10, 20], 30, maps=maps)
    assert lists["n0"].shape == (2,)
    empty = tropolink.itu_maps_at(np.zeros((0, 4)), 1.5, maps=maps)
    assert empty["delta_n"].shape == (0, 4)
    scalar = tropolink.itu_maps_at(10, 30, maps=maps)
    assert np.ndim(scalar["n0"]) == 0 and isinstance(scalar["zone_code"], np.uint8)


def test_strided_and_integer_input(maps):
    lat = np.arange(-80, 81, 10)[::-2]
    lon = np.arange(len(lat)) * 7
    got = tropolink.itu_maps_at(lat, lon, maps=maps)
    np.testing.assert_allclose(got["n0"], expected(lat, lon)[0], atol=1e-9)


@pytest.mark.parametrize("lat,lon,message", [
    (90.000001, 0, "lat=90.000001: out of range (allowed: -90 to 90 degrees north)"),
    (-90.5, 0, "lat=-90.5: out of range (allowed: -90 to 90 degrees north)"),
    (0, -180.25, "lon=-180.25: out of range (allowed: -180 to 360 degrees east)"),
    (0, 360.5, "lon=360.5: out of range (allowed: -180 to 360 degrees east)"),
    (float("nan"), 0, "lat=nan: not a number (allowed: -90 to 90 degrees north)"),
    (0, np.inf, "lon=inf: out of range (allowed: -180 to 360 degrees east)"),
    ([[0, 1], [2, np.nan]], 0, "lat[1, 1]=nan: not a number (allowed: -90 to 90 degrees north)"),
    (0, [1, 2, 400], "lon[2]=400: out of range (allowed: -180 to 360 degrees east)"),
])
def test_coordinates_refused(maps, lat, lon, message):
    with pytest.raises(ValueError) as error:
        tropolink.itu_maps_at(lat, lon, maps=maps)
    assert str(error.value) == message


def test_shapes_that_do_not_broadcast(maps):
    with pytest.raises(ValueError, match="broadcast"):
        tropolink.itu_maps_at(np.zeros(2), np.zeros(3), maps=maps)


def test_missing_maps_name_the_places_and_the_remedy(tmp_path, monkeypatch):
    with pytest.raises(FileNotFoundError) as error:
        tropolink.itu_maps_at(0, 0, maps=tmp_path)
    assert str(error.value) == (
        f"{tmp_path}: lacks N050.TXT, DN50.TXT and TropoClim.txt (allowed: a maps folder holding the ITU-R maps "
        "N050.TXT, DN50.TXT and TropoClim.txt); install them with "
        "`tropolink-cli maps download`, or `tropolink-cli maps import FILE...` from the Recommendations' ZIPs")

    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "env"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "data"))
    if os.path.isdir("/usr/share/tropolink/itu-r"):
        pytest.skip("this machine has maps installed")
    with pytest.raises(FileNotFoundError, match=f"none of: {tmp_path}/env, {tmp_path}/data/tropolink/itu-r, "):
        tropolink.itu_maps_at(0, 0)


def test_the_search_finds_the_user_folder(monkeypatch, tmp_path):
    write_maps(tmp_path / "data" / "tropolink" / "itu-r")
    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "empty"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "data"))
    assert tropolink.itu_maps_at(0, 0)["n0"] == pytest.approx(plane_n0(60, 0))


def test_a_refused_map_names_file_row_and_column(tmp_path):
    folder = write_maps(tmp_path / "m")
    lines = (folder / "DN50.TXT").read_text().splitlines(keepends=True)
    values = lines[4].split()
    values[6] = "-3"
    lines[4] = " ".join(values) + "\n"
    (folder / "DN50.TXT").write_text("".join(lines))
    with pytest.raises(ValueError) as error:
        tropolink.itu_maps_at(0, 0, maps=folder)
    assert str(error.value).endswith("DN50.TXT: row 5, column 7: -3 is out of range "
                                     "(allowed: ΔN from 0 to 150 N-units/km)")


def test_changed_maps_are_read_again(tmp_path):
    folder = write_maps(tmp_path / "m")
    assert tropolink.itu_maps_at(90, 0, maps=folder)["n0"] == pytest.approx(300)
    write_maps(folder, n0=lambda r, c: 310 + 0 * r * c)
    os.utime(folder / "N050.TXT", (1, 1))  # another time, whatever the clock's resolution
    assert tropolink.itu_maps_at(90, 0, maps=folder)["n0"] == pytest.approx(310)


def test_agrees_with_the_tool(maps, cli):
    lat, lon = -33.5, 150.75
    status, out, err = cli("maps", "at", f"{lat},{lon}", "--json", "--maps", str(maps))
    assert status == 0, err
    tool = json.loads(out)
    got = tropolink.itu_maps_at(lat, lon, maps=maps)
    assert (got["n0"], got["delta_n"]) == (tool["n0"], tool["deltaN"])
    assert (got["zone_code"], got["climate_zone"]) == (tool["zoneCode"], tool["climateZone"])
