import math
import os
import random

import numpy as np
import pytest
import tropolink

ALIASES = [
    ("s1.antenna-height-m", 0, 10000, 1), ("s1.obstruction-height-m", 0, 10000, 1),
    ("s1.obstruction-distance-km", 0, 100, 1), ("s1.tx-power", 1, 15000, 10),
    ("s1.tx-line-loss-db", 0, 100, 10), ("s1.rx-noise-figure-db", 0, 100, 10),
    ("s1.rx-line-loss-db", 0, 100, 10), ("s1.antenna-gain-dbi", 0, 500, 10),
    ("s1.antenna-noise-temp-k", 0, 400, 1), ("s1.rx-bandwidth-hz", 0, 5000, 1),
] + [(name.replace("s1.", "s2."), *rest) for name, *rest in [
    ("s1.antenna-height-m", 0, 10000, 1), ("s1.obstruction-height-m", 0, 10000, 1),
    ("s1.obstruction-distance-km", 0, 100, 1), ("s1.tx-power", 1, 15000, 10),
    ("s1.tx-line-loss-db", 0, 100, 10), ("s1.rx-noise-figure-db", 0, 100, 10),
    ("s1.rx-line-loss-db", 0, 100, 10), ("s1.antenna-gain-dbi", 0, 500, 10),
    ("s1.antenna-noise-temp-k", 0, 400, 1), ("s1.rx-bandwidth-hz", 0, 5000, 1)]] + [
    ("frequency-mhz", 50, 25000, 1), ("distance-km", 1, 2000, 1), ("surface-refractivity", 270, 350, 1)]


def keyword(alias):
    return alias.replace(".", "_").replace("-", "_")


def random_settings(rng, count):
    """Random positions of a few sliders each, as (tool line, keywords)."""
    for _ in range(count):
        chosen = rng.sample(ALIASES, rng.randint(1, 8))
        text, kwargs = [], {}
        for alias, low, high, per_unit in chosen:
            position = rng.choice([low, high, rng.randint(low, high)])
            value = position if per_unit == 1 else position / per_unit
            text.append(f"{alias}={value}")
            kwargs[keyword(alias)] = value
        yield " ".join(text), kwargs


SETTINGS = [
    ("distance-km=250", {}),  # the start positions
    ("distance-km=300", {"distance_km": 300}),
    ("s1.antenna-height-m=10000 s2.antenna-height-m=10000", {"s1_antenna_height_m": 10000, "HScroll11": 10000}),
    ("HScroll22=1 s1.obstruction-distance-km=1 s2.obstruction-distance-km=1 s1.antenna-height-m=0 "
     "s2.antenna-height-m=0 s1.obstruction-height-m=0 s2.obstruction-height-m=0",
     {"distance_km": 1, "s1_obstruction_distance_km": 1, "s2_obstruction_distance_km": 1, "HScroll1": 0,
      "s2_antenna_height_m": 0, "s1_obstruction_height_m": 0, "s2_obstruction_height_m": 0}),
    ("s1.tx-line-loss-db=0.3 frequency-mhz=25000 s2.rx-bandwidth-hz=0", {"s1_tx_line_loss_db": "0.3",
                                                                          "frequency_mhz": 25000.0,
                                                                          "s2_rx_bandwidth_hz": np.int64(0)}),
]


@pytest.mark.parametrize("line,kwargs", SETTINGS)
def test_boxes_and_values_equal_the_batch_tool(batch, line, kwargs):
    (answer,) = batch([line])
    result = tropolink.calculate(**kwargs)
    values = answer.pop("values")
    assert result.boxes == answer
    assert result.values == values


def test_power_div_1000(batch):
    (answer,) = batch(["power-div-1000 s1.tx-power=0.5"])
    result = tropolink.calculate(power_div_1000=True, s1_tx_power=0.5)
    assert result.boxes["Text4"] == answer["Text4"] == "0.5 mW"
    assert result.values == answer["values"]


def flat(values, prefix=""):
    for name, value in values.items():
        if isinstance(value, dict):
            yield from flat(value, prefix + name + ".")
        else:
            yield prefix + name, value


def test_calculate_many_equals_calculate_row_by_row():
    rng = random.Random(5)
    rows = [kwargs for _, kwargs in random_settings(rng, 300)]
    for power in (False, True):
        for group in range(0, len(rows), 60):
            # One table per set of columns; the columns a row leaves out hold the start values.
            names = sorted({name for row in rows[group:group + 60] for name in row})
            table_rows = rows[group:group + 60]
            table = {name: np.array([row.get(name, default_of(name)) for row in table_rows], dtype=float)
                     for name in names}
            arrays = tropolink.calculate_many(table, power_div_1000=power)
            for i, row in enumerate(table_rows):
                full = {name: table[name][i] for name in names}
                expected = dict(flat(tropolink.calculate(power_div_1000=power, **full).values))
                assert set(arrays) == set(expected)
                for name, value in expected.items():
                    got = arrays[name][i]
                    if name.endswith("verdict"):
                        assert tropolink.VERDICTS[got] == value, (i, name)
                    elif value is None:
                        assert math.isnan(got), (i, name)
                    else:
                        assert got == value, (i, name)


def default_of(name):
    """The start value of a setting, in its alias's unit."""
    alias = [a for a in ALIASES if keyword(a[0]) == name][0]
    start = {"antenna-height-m": 10, "obstruction-height-m": 5, "obstruction-distance-km": 5, "tx-power": 100,
             "tx-line-loss-db": 1, "rx-noise-figure-db": 3, "rx-line-loss-db": 1, "antenna-gain-dbi": 15,
             "antenna-noise-temp-k": 300, "rx-bandwidth-hz": 2700, "frequency-mhz": 432, "distance-km": 250,
             "surface-refractivity": 310}
    return start[alias[0].split(".")[-1]]


def test_calculate_many_dtypes_and_broadcast():
    arrays = tropolink.calculate_many({"distance_km": np.arange(1, 2001), "frequency_mhz": 1000})
    assert arrays["yeh.loss"].dtype == np.float64 and arrays["yeh.loss"].shape == (2000,)
    assert arrays["lineOfSight"].dtype == np.bool_
    assert arrays["yeh.verdict"].dtype == np.uint8
    assert arrays["yeh.verdict"][0] == tropolink.VERDICT_LINE_OF_SIGHT
    assert math.isnan(arrays["averageLoss"][0])
    row = tropolink.calculate(distance_km=300, frequency_mhz=1000).values
    assert arrays["ccir.loss"][299] == row["ccir"]["loss"]


def test_structured_array_table():
    table = np.zeros(3, dtype=[("distance_km", "i4"), ("s1_antenna_gain_dbi", "f8")])
    table["distance_km"] = [100, 200, 300]
    table["s1_antenna_gain_dbi"] = [0.1, 20, 50]
    arrays = tropolink.calculate_many(table)
    assert arrays["yeh.loss"][2] == tropolink.calculate(distance_km=300, s1_antenna_gain_dbi=50).values["yeh"]["loss"]


REFUSED = [
    ({"frequency_mhz": 10}, "frequency-mhz=10", "frequency_mhz=10"),
    ({"s1_tx_line_loss_db": 0.35}, "s1.tx-line-loss-db=0.35", "s1_tx_line_loss_db=0.35"),
    ({"distance_km": 1e-5}, "distance-km=0.00001", "distance_km=0.00001"),
    ({"HScroll22": 2001}, "HScroll22=2001", "HScroll22=2001"),
    ({"s2_tx_power": "1e3"}, "s2.tx-power=1e3", "s2_tx_power=1e3"),
    ({"distance-km": 0}, "distance-km=0", "distance-km=0"),
]


@pytest.mark.parametrize("kwargs,tool_input,python_input", REFUSED)
def test_refused_values_name_the_keyword_and_the_tools_range(cli, kwargs, tool_input, python_input):
    status, _, err = cli("--set", tool_input)
    assert status == 2
    with pytest.raises(ValueError) as refused:
        tropolink.calculate(**kwargs)
    assert "tropolink-cli: " + str(refused.value) == err.strip().replace(tool_input, python_input, 1)


def test_an_unknown_keyword_is_refused():
    with pytest.raises(ValueError, match=r"^no_such_name=1: unknown name \(allowed: HScroll1 to HScroll23 or a keyword"):
        tropolink.calculate(no_such_name=1)


def test_a_slider_set_twice_is_refused(cli):
    _, _, err = cli("--set", "distance-km=300", "--set", "HScroll22=300")
    with pytest.raises(ValueError) as refused:
        tropolink.calculate(distance_km=300, HScroll22=300)
    assert "tropolink-cli: " + str(refused.value) == err.strip()
    with pytest.raises(ValueError, match="HScroll22 is already set"):
        tropolink.calculate_many({"distance_km": [1, 2], "HScroll22": 3})


def test_bad_types_raise_type_error():
    for value in (True, None, [1], object()):
        with pytest.raises(TypeError):
            tropolink.calculate(distance_km=value)
    with pytest.raises(TypeError):
        tropolink.calculate_many({"distance_km": np.array(["300"])})


def test_one_bad_row_names_row_and_input():
    with pytest.raises(ValueError, match=r"^row 2: s1_tx_line_loss_db=0.35: between two steps"):
        tropolink.calculate_many({"s1_tx_line_loss_db": [0.1, 0.2, 0.35, 0.4], "distance_km": 300})
    with pytest.raises(ValueError, match=r"^row 1: distance_km=nan: not a plain decimal"):
        tropolink.calculate_many({"distance_km": [300.0, float("nan")]})
    with pytest.raises(ValueError, match="rows"):
        tropolink.calculate_many({"distance_km": [1, 2], "frequency_mhz": [100, 200, 300]})


def test_empty_table_gives_empty_arrays():
    arrays = tropolink.calculate_many({"distance_km": np.array([], dtype=int)})
    assert arrays["yeh.loss"].shape == (0,)


def test_version_and_docstrings():
    assert tropolink.__version__ == os.environ.get("TROPOLINK_VERSION", "1.0.0")
    for function in (tropolink.calculate, tropolink.calculate_many, tropolink.p617_loss, tropolink.p2001_loss,
                     tropolink.availability):
        assert len(function.__doc__) > 200


@pytest.mark.parametrize("power,box,label", [
    (False, "Text1", "Antenna height, station 1 (m)"),
    (False, "Text4", "Tx power, station 1 (W)"),
    (True, "Text14", "Tx power, station 2 (mW)"),
    (True, "Text26", "Path loss, YEH (dB)"),
    (False, "Text52", "Perfect duct loss (dB)"),
])
def test_labels_name_every_box_with_its_unit(power, box, label):
    labels = tropolink.calculate(power_div_1000=power).labels
    assert list(labels) == [f"Text{n}" for n in range(1, 53)]
    assert labels[box] == label
