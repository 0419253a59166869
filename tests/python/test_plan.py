"""tropolink.Plan against `tropolink-cli plan`: the same checks, the same figures."""
import json
import pathlib
import warnings

import pytest
import tropolink

EXAMPLES = pathlib.Path(__file__).parent.parent.parent / "docs" / "examples"
DEM_PLAN = EXAMPLES / "white-mountains.tropolink.toml"
SLIDERS_PLAN = EXAMPLES / "st-anthony-gander.tropolink.toml"


@pytest.fixture(autouse=True)
def no_installed_maps(monkeypatch, tmp_path):
    """The tool and the module look for the maps in the same empty places."""
    monkeypatch.setenv("TROPOLINK_MAPS", str(tmp_path / "no-maps"))
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "no-data"))


@pytest.mark.parametrize("plan", [DEM_PLAN, SLIDERS_PLAN], ids=["dem", "sliders"])
def test_run_gives_what_plan_json_prints(cli, plan):
    status, out, err = cli("plan", str(plan), "--json")
    assert status == 0, err
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        assert tropolink.Plan.load(plan).run() == json.loads(out)


def test_a_plan_with_sites_warns_without_maps():
    with pytest.warns(UserWarning, match="the ITU-R maps would give N0"):
        tropolink.Plan.load(DEM_PLAN).run()


def test_save_writes_the_canonical_layout_again_byte_for_byte(tmp_path):
    first, second = tmp_path / "a.tropolink.toml", tmp_path / "b.tropolink.toml"
    tropolink.Plan.load(SLIDERS_PLAN).save(first)
    tropolink.Plan.load(first).save(second)
    assert first.read_bytes() == second.read_bytes()
    assert tropolink.Plan.load(first).run()["plan"] == tropolink.Plan.load(SLIDERS_PLAN).run()["plan"]


def test_keywords_make_the_plan_the_file_would():
    plan = tropolink.Plan(
        title="St Anthony - Gander",
        station1={"tx_power": 1000, "antenna-gain-dbi": 30.5},
        path={"frequency_mhz": 505, "distance_km": 277},
        itu={"delta_n": 44.5},
        requirement={"snr_db": 10, "percent": [50, 99.9]},
    )
    text = plan.toml()
    assert "tx-power = 1000  # W\n" in text
    assert "percent = [50, 99.9]" in text
    answer = plan.run()
    assert answer["form"] == "sliders"
    assert [row["percent"] for row in answer["availability"]["p617"]] == [50, 99.9]
    assert len(answer["verdicts"]) == 4


@pytest.mark.parametrize(
    "keywords, message",
    [
        ({"station1": {"tx_power": "1e3"}}, "station1.tx-power = 1e3: not a plain decimal number (allowed: a plain decimal from 0.0001 to 100000 W"),
        ({"station1": {"tx_power": 100001}}, "station1.tx-power = 100001: out of range"),
        ({"station2": {"rx_bandwidth_mhz": 501}}, "station2.rx-bandwidth-mhz = 501: out of range"),
        ({"station1": {"tx_powr": 5}}, "station1.tx-powr: unknown key (allowed: name, site,"),
        ({"colour": 5}, "colour: unknown key"),
        ({"itu": {"climate_zone": 6.5}}, "itu.climate-zone = 6.5: not a whole number"),
        ({"station1": {"site": [44, -71, 3]}}, "station1.site: 3 numbers"),
        ({"station1": {"mast_m": 20}}, "station1.mast-m: given without a DEM or profile"),
        ({"path": {"profile": "no-such.csv"}}, "path.profile: no such file or folder"),
        ({"requirement": {"percent": [50, 100]}}, "requirement.percent = 100: out of range"),
    ],
)
def test_keywords_are_refused_as_the_file_is(keywords, message):
    with pytest.raises(ValueError) as refused:
        tropolink.Plan(**keywords)
    assert str(refused.value).startswith(message)


def test_real_radio_values_leave_out_the_boxes_and_say_why():
    dish = {"antenna_diameter_m": 3, "antenna_efficiency": 0.55}
    plan = tropolink.Plan(station1={"tx_power": 2000, **dish}, station2={"rx_bandwidth_mhz": 2, **dish},
                          path={"frequency_mhz": 4700, "distance_km": 82}, requirement={"snr_db": 12})
    answer = plan.run()
    assert answer["boxes"] is None
    assert any("station1.tx-power = 2000" in note and "52 boxes are left out" in note for note in answer["notes"])
    assert answer["values"]["station2"]["rxSensitivity"] == pytest.approx(-136.90771549150088 - 40.79459254337416)


def test_a_wrong_type_is_a_type_error():
    with pytest.raises(TypeError):
        tropolink.Plan(power_div_1000=1)
    with pytest.raises(TypeError):
        tropolink.Plan(station1=5)


def test_load_refuses_with_the_file_line_and_column(tmp_path):
    plan = tmp_path / "bad.tropolink.toml"
    plan.write_text("[itu]\ndelta-n = 1e3\n")
    with pytest.raises(ValueError) as refused:
        tropolink.Plan.load(plan)
    assert str(refused.value) == f"{plan}:2:11: itu.delta-n = 1e3: not a plain decimal number " \
        "(allowed: a plain decimal from 20 to 80 N-units/km)"


def test_a_plan_saved_in_another_folder_still_finds_its_ground(tmp_path):
    moved = tmp_path / "elsewhere" / "moved.tropolink.toml"
    moved.parent.mkdir()
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        tropolink.Plan.load(DEM_PLAN).save(moved)
        assert "white-mountains.tif" in moved.read_text()
        assert tropolink.Plan.load(moved).run()["boxes"] == tropolink.Plan.load(DEM_PLAN).run()["boxes"]


def test_relative_paths_follow_the_file_keyword():
    plan = tropolink.Plan(file=EXAMPLES / "x.tropolink.toml", path={"profile": "hill-path.csv"})
    assert plan.run()["form"] == "profile"


def test_report_writes_the_html_the_tool_writes(cli, tmp_path, monkeypatch):
    monkeypatch.setenv("SOURCE_DATE_EPOCH", "1796731200")
    ours, tools = tmp_path / "ours.html", tmp_path / "tools.html"
    tropolink.Plan.load(SLIDERS_PLAN).report(ours)
    status, _, err = cli("plan", str(SLIDERS_PLAN), "--report", str(tools))
    assert status == 0, err
    assert ours.read_text().startswith("<!DOCTYPE html>")
    assert ours.read_bytes() == tools.read_bytes()


@pytest.mark.parametrize("write", [
    lambda plan, path: plan.save(path),
    lambda plan, path: plan.report(path),
], ids=["save", "report"])
def test_a_file_that_cannot_be_written_is_an_os_error(tmp_path, write):
    plan = tropolink.Plan.load(SLIDERS_PLAN)
    with pytest.raises(FileNotFoundError) as raised:
        write(plan, tmp_path / "no-such-folder" / "out")
    assert raised.value.errno == 2
    assert raised.value.filename == str(tmp_path / "no-such-folder" / "out")
    assert raised.value.strerror.startswith("cannot open ")
    with pytest.raises(OSError) as full:
        write(plan, "/dev/full")
    assert full.value.strerror == "cannot write /dev/full: No space left on device"


def test_a_plan_or_profile_that_cannot_be_read_is_an_os_error(tmp_path):
    with pytest.raises(FileNotFoundError):
        tropolink.Plan.load(tmp_path / "absent.tropolink.toml")
    with pytest.raises(IsADirectoryError):
        tropolink.Plan.load(tmp_path)
    unreadable = tropolink.Plan(file=tmp_path / "p.tropolink.toml", path={"profile": str(tmp_path)})
    with pytest.raises(IsADirectoryError) as raised:
        unreadable.run()
    assert raised.value.filename == str(tmp_path)
    assert raised.value.strerror == f"cannot read {tmp_path}: Is a directory"


# Every map at a constant from the middle of its range (the ITU's may not be copied).
SYNTHETIC_MAPS = {
    "N050.TXT": (121, 241, 310), "DN50.TXT": (121, 241, 40), "TropoClim.txt": (360, 720, 6),
    "DN_Median.txt": (121, 241, 40), "DN_SupSlope.txt": (121, 241, 20), "DN_SubSlope.txt": (121, 241, 15),
    "dndz_01.txt": (121, 241, -400), "surfwv_50_fixed.txt": (121, 241, 10), "h0.txt": (121, 241, 3),
    "Esarain_Pr6_v5.txt": (161, 321, 30), "Esarain_Mt_v5.txt": (161, 321, 800),
    "Esarain_Beta_v5.txt": (161, 321, 0.3), "FoEs0.1.txt": (121, 241, 10), "FoEs01.txt": (121, 241, 7),
    "FoEs10.txt": (121, 241, 4.5), "FoEs50.txt": (121, 241, 3)}


def write_synthetic_maps(folder, names=SYNTHETIC_MAPS):
    folder.mkdir(parents=True, exist_ok=True)
    for name in names:
        rows, columns, value = SYNTHETIC_MAPS[name]
        (folder / name).write_text((" ".join([str(value)] * columns) + "\n") * rows)
    return folder


def test_with_the_14_maps_the_complete_method_decides_as_the_tool_says(cli, tmp_path):
    maps = write_synthetic_maps(tmp_path / "maps")
    status, out, err = cli("plan", str(DEM_PLAN), "--json", "--maps", str(maps))
    assert status == 0, err
    result = tropolink.Plan.load(DEM_PLAN).run(maps=maps)
    assert result == json.loads(out)
    assert result["p2001All"]["ran"]
    assert [s["receivingStation"] for s in result["p2001All"]["stations"]] == [1, 2]
    assert result["decision"]["method"] == "P.2001 all mechanisms"
    assert result["decision"]["mechanism"]["mechanisms"] == ["nearSurface"]
    assert [v["method"] for v in result["verdicts"][:2]] == ["P.2001 all mechanisms"] * 2


def test_without_the_14_maps_the_run_records_why(tmp_path):
    maps = write_synthetic_maps(tmp_path / "three", ["N050.TXT", "DN50.TXT", "TropoClim.txt"])
    result = tropolink.Plan.load(DEM_PLAN).run(maps=maps)
    assert not result["p2001All"]["ran"]
    assert result["p2001All"]["skipped"] == "noMaps"
    assert "maps download" in result["p2001All"]["reason"]
    assert result["verdicts"][0]["applies"] is False


def test_profile_with_availability_carries_the_complete_method(tmp_path):
    maps = write_synthetic_maps(tmp_path / "maps")
    ground = tropolink.terrain_profile((44.2706, -71.3033), (44.9, -71.9), EXAMPLES / "white-mountains.tif")
    d = tropolink.profile(ground, 20, 30, availability=True, required_snr_db=10, maps=maps)
    stations = d["p2001All"]["stations"]
    assert [s["receivingStation"] for s in stations] == [1, 2]
    assert len(stations[0]["atPercents"]) == len(d["availability"]["p617"])
    assert stations[1]["availability"]["bound"] == "above 99.999"
    csv = tropolink.profile(EXAMPLES / "hill-path.csv", availability=True)
    assert csv["p2001All"]["skipped"] == "noSites"
