import json
import math
import pathlib
import warnings

import numpy as np
import pytest
import tropolink

VECTORS = json.loads((pathlib.Path(__file__).parent.parent / "itur" / "reference_vectors.json").read_text())
P2001_PATHS = VECTORS["p2001Paths"]
P617_PATHS = {name: {k: v for k, v in path.items() if k != "h0_km"} for name, path in VECTORS["p617Paths"].items()}
PROF4 = P2001_PATHS["prof4"]
ROW1 = P617_PATHS["row1"]


@pytest.mark.parametrize("vector", VECTORS["p2001"], ids=lambda v: f"{v['path']}-{v['f_mhz']}-{v['p']}")
def test_p2001_validation_vectors(vector):
    loss = tropolink.p2001_loss(f_mhz=vector["f_mhz"], p=vector["p"], gt_dbi=0, gr_dbi=0,
                                **P2001_PATHS[vector["path"]])
    assert abs(loss - vector["loss_db"]) < VECTORS["p2001ToleranceDb"]


@pytest.mark.parametrize("vector", VECTORS["p617"], ids=lambda v: f"{v['path']}-{v['p']}")
def test_p617_validation_vectors(vector):
    link = P617_PATHS[vector["path"]]
    tolerance = VECTORS["p617ToleranceDb"]
    assert abs(tropolink.p617_loss(p=vector["p"], revised_angle_term=True, **link) - vector["revised_db"]) < tolerance
    assert abs(tropolink.p617_loss(p=vector["p"], **link) - vector["in_force_db"]) < tolerance


def test_arrays_broadcast_and_out():
    p = np.array([1, 10, 50, 99.9])
    f = np.array([[200], [2000]])
    losses = tropolink.p2001_loss(f_mhz=f, p=p, gt_dbi=0, gr_dbi=0, **PROF4)
    assert losses.shape == (2, 4)
    assert abs(losses[1, 1] - 184.186621) < 2e-6 and abs(losses[0, 0] - 148.015659) < 2e-6
    assert np.all(np.diff(losses, axis=1) > 0)  # more loss for a larger share of the year
    zones = tropolink.p2001_loss(f_mhz=2000, p=50, gt_dbi=0, gr_dbi=0, **dict(PROF4, climate_zone=np.arange(1, 8)))
    assert zones.shape == (7,) and len(set(zones)) > 1
    out = np.empty(2)
    a = tropolink.p617_loss(p=np.array([0.01, 50]), revised_angle_term=True, out=out, **ROW1)
    assert a is out and abs(out[1] - 208.0898) < 1.5e-4
    assert isinstance(tropolink.p617_loss(p=50, **ROW1), float)


def test_threads_give_the_same_rows():
    rng = np.random.default_rng(7)
    p = rng.uniform(0.001, 99.999, 300_000)
    one = tropolink.p617_loss(p=p, threads=1, **ROW1)
    two = tropolink.p617_loss(p=p, threads=2, **ROW1)
    assert np.array_equal(one, two)


def test_out_may_be_an_input():
    # The loops read the arguments' own memory; each row is read before its result is written.
    rng = np.random.default_rng(3)
    p = rng.uniform(0.001, 99.999, 300_001)
    expected = tropolink.p617_loss(p=p, threads=2, **ROW1)
    assert tropolink.p617_loss(p=p, threads=2, out=p, **ROW1) is p
    assert np.array_equal(p, expected, equal_nan=True)


@pytest.mark.parametrize("shift", [1, -1, 257, -257], ids=["out-ahead", "out-behind", "block-ahead", "block-behind"])
def test_out_overlapping_an_input_off_row_gives_the_rows_of_a_separate_out(shift):
    rng = np.random.default_rng(4)
    rows = 300_000
    shared = rng.uniform(0.001, 99.999, rows + abs(shift))
    p_view = shared[:rows] if shift > 0 else shared[-shift:]
    out_view = shared[shift:] if shift > 0 else shared[:rows]
    expected = tropolink.p617_loss(p=p_view.copy(), threads=2, **ROW1)
    tropolink.p617_loss(p=p_view, threads=2, out=out_view, **ROW1)
    assert np.array_equal(out_view, expected, equal_nan=True)


def test_no_figure_is_nan():
    assert np.isnan(tropolink.p2001_loss(f_mhz=2000, p=50, gt_dbi=0, gr_dbi=0, **dict(PROF4, theta_t_mrad=-20.0)))
    assert np.isnan(tropolink.p617_loss(p=50, **dict(ROW1, theta_t_mrad=-30.0)))
    # A scatter angle above 200 mrad is outside both methods' domain.
    assert np.isnan(tropolink.p617_loss(p=50, **dict(ROW1, theta_t_mrad=250.0)))
    assert np.isnan(tropolink.p2001_loss(f_mhz=2000, p=50, gt_dbi=0, gr_dbi=0, **dict(PROF4, theta_t_mrad=250.0)))


REFUSED = [  # (function, changed arguments, error, text in the message)
    ("p617", {"p": 0}, ValueError, "p=0: out of range"),
    ("p617", {"p": 100}, ValueError, "p=100: out of range"),
    ("p617", {"p": np.array([50, float("nan")])}, ValueError, "p[1]=nan: out of range"),
    ("p617", {"f_mhz": None}, TypeError, "f_mhz"),
    ("p617", {"f_mhz": 0}, ValueError, "f_mhz=0: out of range"),
    ("p617", {"d_km": -1}, ValueError, "d_km=-1: out of range"),
    ("p617", {"revised_angle_term": "False"}, TypeError, "revised_angle_term"),
    ("p617", {"revised_angle_term": 1}, TypeError, "revised_angle_term"),
    ("p617", {"n0": "310"}, TypeError, "n0"),
    ("p617", {"p": np.ones(3), "f_mhz": np.ones(4) * 2000}, ValueError, "shape (3,) of p and shape (4,) of f_mhz"),
    ("p2001", {"p": -1}, ValueError, "p=-1: out of range"),
    ("p2001", {"f_mhz": 0}, ValueError, "f_mhz=0: out of range"),
    ("p2001", {"climate_zone": 6.5}, ValueError, "climate_zone=6.5: out of range"),
    ("p2001", {"climate_zone": True}, TypeError, "climate_zone"),
    ("p2001", {"climate_zone": 0}, ValueError, "climate_zone=0"),
    ("p2001", {"climate_zone": 8}, ValueError, "climate_zone=8"),
    ("p2001", {"ae_km": np.zeros((2, 1)), "p": np.ones(3)}, ValueError, "ae_km[0]=0: out of range"),
    ("p2001", {"p": np.ones((2, 3)), "gt_dbi": np.ones(2)}, ValueError, "shape (2, 3) of p and shape (2,) of gt_dbi"),
]


@pytest.mark.parametrize("function,changes,error,message", REFUSED)
def test_refused_arguments_name_themselves(function, changes, error, message):
    if function == "p617":
        call = lambda: tropolink.p617_loss(**dict(ROW1, p=50, **changes) if "p" not in changes else dict(ROW1, **changes))
    else:
        base = dict(PROF4, f_mhz=2000, p=50, gt_dbi=0, gr_dbi=0)
        call = lambda: tropolink.p2001_loss(**dict(base, **changes))
    with pytest.raises(error, match=message.replace("(", r"\(").replace(")", r"\)").replace("[", r"\[")):
        call()


def test_old_keywords_warn_and_agree():
    new = tropolink.p2001_loss(f_mhz=2000, p=10, gt_dbi=0, gr_dbi=0, **PROF4)
    with pytest.warns(DeprecationWarning):
        old = tropolink.p2001_loss(f_ghz=2, p=10, theta_e_rad=PROF4["d_km"] / PROF4["ae_km"], gt_dbi=0, gr_dbi=0,
                                   **PROF4)
    assert old == new
    with pytest.raises(TypeError):  # the frequency changed unit: no positional call may pass silently
        tropolink.p2001_loss(2, 10, gt_dbi=0, gr_dbi=0, **PROF4)


AVAILABILITY_CASES = [
    ({}, []),
    ({"distance_km": 300, "percent": [50, 99.9], "required_snr_db": 10},
     ["--set", "distance-km=300", "--percent", "50", "--percent", "99.9", "--required-snr", "10"]),
    ({"s1_antenna_height_m": 10000, "HScroll11": 10000, "percent": 90, "climate_zone": 2, "delta_n": 45.5,
      "ground_height_km": 0.25},
     ["--set", "s1.antenna-height-m=10000", "--set", "HScroll11=10000", "--percent", "90", "--climate-zone", "2",
      "--delta-n", "45.5", "--ground-height-km", "0.25"]),
    ({"s1_obstruction_height_m": 4987, "s1_obstruction_distance_km": 1, "s2_obstruction_height_m": 10000,
      "s2_obstruction_distance_km": 0, "distance_km": 2000, "s2_antenna_height_m": 7765, "delta_n": 80,
      "percent": np.array([[99.99], [5]]), "required_snr_db": 0},
     ["--set", "s1.obstruction-height-m=4987", "--set", "s1.obstruction-distance-km=1", "--set",
      "s2.obstruction-height-m=10000", "--set", "s2.obstruction-distance-km=0", "--set", "distance-km=2000", "--set",
      "s2.antenna-height-m=7765", "--delta-n", "80", "--percent", "99.99", "--percent", "5", "--required-snr", "0"]),
]


@pytest.mark.parametrize("kwargs,arguments", AVAILABILITY_CASES)
def test_availability_equals_the_tools_json(cli, kwargs, arguments):
    status, out, err = cli("availability", "--json", *arguments)
    assert status == 0, err
    assert tropolink.availability(**kwargs) == json.loads(out)


def test_availability_percent_forms():
    one = tropolink.availability(percent=50)
    assert tropolink.availability(percent=np.array(50.0)) == one
    assert tropolink.availability(percent=[np.float64(50)]) == one
    for bad in (b"50", [], np.array([]), "50", [True], ["50"]):
        with pytest.raises(ValueError, match="percent"):
            tropolink.availability(percent=bad)


def test_availability_refusals_carry_the_tools_message(cli):
    for kwargs, arguments in (({"percent": 100}, ["--percent", "100"]),
                              ({"delta_n": 10}, ["--delta-n", "10"]),
                              ({"frequency_mhz": 1}, ["--set", "frequency-mhz=1"])):
        status, _, err = cli("availability", "--json", *arguments)
        assert status == 2
        with pytest.raises(ValueError) as refused:
            tropolink.availability(**kwargs)
        # A setting is named by its keyword, as calculate() names it.
        assert "tropolink-cli: " + str(refused.value) == err.strip().replace("frequency-mhz", "frequency_mhz")


def test_ctrl_c_stops_a_long_call():
    import signal

    def interrupt(signum, frame):
        raise KeyboardInterrupt

    previous = signal.signal(signal.SIGALRM, interrupt)
    p = np.full(20_000_000, 90.0)
    try:
        signal.setitimer(signal.ITIMER_REAL, 0.05)
        with pytest.raises(KeyboardInterrupt):
            tropolink.p617_loss(p=p, threads=1, **ROW1)
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        signal.signal(signal.SIGALRM, previous)


def test_availability_n0_and_any_delta_n_as_the_tool(cli):
    """N0 and delta-N are measured quantities: any decimal in range, as --n0 and --delta-n take them."""
    import json

    got = tropolink.availability(percent=[50, 99], delta_n=41.338935, n0=324.557978)
    status, out, _ = cli("availability", "--json", "--percent", "50", "--percent", "99", "--delta-n", "41.338935",
                         "--n0", "324.557978")
    assert status == 0
    assert got == json.loads(out)
    assert got != tropolink.availability(percent=[50, 99], delta_n=41.338935)
    with pytest.raises(ValueError, match="--n0 450.5: out of range"):
        tropolink.availability(n0=450.5)


HILL_PATH = pathlib.Path(__file__).parent.parent.parent / "docs" / "examples" / "hill-path.csv"


# Below 10 % ducting and layer reflection decide the loss; 10 % itself is still troposcatter's.
@pytest.mark.parametrize("percent, noted", [([10], False), ([9.999], True), ([50, 0.001], True), ([99.999], False)])
def test_availability_notes_a_percentage_below_10(percent, noted):
    for answer in (tropolink.availability(percent=percent),
                   tropolink.profile(HILL_PATH, availability=True, percent=percent)["availability"]):
        assert any("ducting and layer reflection" in note for note in answer["notes"]) == noted
