"""Values and calls that the module once mishandled: NumPy numbers, bools, lone
surrogates, huge integers, huge tables, Ctrl-C, threads, another interpreter."""
import collections
import functools
import os
import re
import signal
import subprocess
import sys
import threading

import numpy as np
import pytest
import tropolink

DISTANCE_ALLOWED = "(allowed: 1 to 2000 km in steps of 1)"

NUMBERS_FOR_300 = [np.array(300.0), np.array(300), np.float64(300), np.float32(300), np.int32(300),
                   np.uint64(300), np.array(300, dtype=np.int16), "300", 300.0]


@pytest.mark.parametrize("value", NUMBERS_FOR_300, ids=repr)
def test_numpy_scalars_and_0d_arrays_are_numbers(value):
    assert tropolink.calculate(distance_km=value).values == tropolink.calculate(distance_km=300).values


REFUSED_TYPES = [
    (np.array([300]), r"distance_km=array\(\[300\]\): an array of shape \(1,\), not one number"),
    (np.array([[300]]), r"distance_km=array\(\[\[300\]\]\): an array of shape \(1, 1\)"),
    (True, r"distance_km=True: a bool, not a number"),
    (False, r"distance_km=False: a bool"),
    (np.True_, r"distance_km=True: a bool"),
    (np.array(False), r"distance_km=array\(False\): a bool"),
    (None, r"distance_km=None: None, not a number"),
    ([300], r"distance_km=\[300\]: a list, not a number"),
    (1j, r"distance_km=1j: a complex"),
]


@pytest.mark.parametrize("value,message", REFUSED_TYPES, ids=repr)
def test_bools_arrays_and_none_are_type_errors_naming_keyword_and_range(value, message):
    with pytest.raises(TypeError) as refused:
        tropolink.calculate(distance_km=value)
    assert re.match(message, str(refused.value))
    assert str(refused.value).endswith(DISTANCE_ALLOWED)


@pytest.mark.parametrize("value,shown", [("\ud800", r"\xED\xA0\x80"), ("30\udcff0", r"30\xED\xB3\xBF0"),
                                         (np.array(300.5), "300.5"), (np.uint64(2**64 - 1), str(2**64 - 1))])
def test_refused_values_are_value_errors_naming_keyword_and_range(value, shown):
    with pytest.raises(ValueError) as refused:
        tropolink.calculate(distance_km=value)
    assert str(refused.value).startswith("distance_km=" + shown + ": ")
    assert str(refused.value).endswith(DISTANCE_ALLOWED)


def test_availability_takes_a_0d_array():
    assert tropolink.availability(delta_n=np.array(40.0)) == tropolink.availability(delta_n=40)


@pytest.mark.parametrize("flag", [None, 0, 1, "yes", np.array([True])], ids=repr)
def test_a_flag_is_a_bool_only(flag):
    for call in (lambda: tropolink.calculate(power_div_1000=flag),
                 lambda: tropolink.calculate_many({"distance_km": 300}, power_div_1000=flag)):
        with pytest.raises(TypeError, match=r"^power_div_1000=.*: not a flag \(allowed: True or False\)$"):
            call()


def test_a_numpy_bool_is_a_flag():
    expected = tropolink.calculate(power_div_1000=True, s1_tx_power=0.5).boxes
    assert tropolink.calculate(power_div_1000=np.True_, s1_tx_power=0.5).boxes == expected


CALCULATE_MANY_REFUSED = [
    ({"distance_km": np.array([300, 2**64 - 1], dtype=np.uint64)}, ValueError,
     r"^row 1: distance_km=18446744073709551615: out of range \(allowed: 1 to 2000 km in steps of 1\)$"),
    ({"distance_km": np.array([2**63 - 1], dtype=np.int64)}, ValueError,
     r"^row 0: distance_km=9223372036854775807: out of range"),
    ({"s2_tx_power": [1, 0.05]}, ValueError,
     r"^row 1: s2_tx_power=0.05: between two steps of the slider \(allowed: 0.1 to 1500 W in steps of 0.1\)$"),
    ({"HScroll5": [0, 101]}, ValueError, r"^row 1: HScroll5=101: out of range \(allowed: slider positions 0 to 100"),
    ({"distance_km": [1, 2], "HScroll22": 3}, ValueError, r"^HScroll22=3: HScroll22 is already set"),
    ({"no_such": [1]}, ValueError, r"^no_such=1: unknown name \(allowed: HScroll1 to HScroll23 or a keyword"),
    ({"distance_km": np.array([True, False])}, TypeError, r"^distance_km: an array of dtype bool, not numbers"),
    ({"distance_km": True}, TypeError, r"^distance_km: an array of dtype bool"),
    ({"distance_km": None}, TypeError, r"^distance_km: an array of dtype object"),
]


@pytest.mark.parametrize("table,error,message", CALCULATE_MANY_REFUSED, ids=repr)
def test_calculate_many_refusals_name_row_keyword_and_range(table, error, message):
    with pytest.raises(error, match=message):
        tropolink.calculate_many(table)


def test_a_table_beyond_physical_memory_is_refused_up_front():
    rows = 2**40  # a broadcast column: no memory of its own
    with pytest.raises(MemoryError, match=r"^1099511627776 rows need .* GB \(252 bytes per row\), more than the "
                                          r".* GB of physical memory$"):
        tropolink.calculate_many({"distance_km": np.broadcast_to(np.int64(300), (rows,))})


def test_the_docstring_states_the_bytes_per_row():
    one = tropolink.calculate_many({"distance_km": 300})
    output_bytes = sum(array.itemsize for array in one.values())
    assert f"{output_bytes} bytes per row for the output arrays and 4 per column" in " ".join(
        tropolink.calculate_many.__doc__.split())


@pytest.mark.parametrize("threads", [{}, {"threads": 1}, {"threads": 2}], ids=repr)
def test_ctrl_c_stops_calculate_many_before_it_returns(threads):
    started = threading.Event()
    over = []

    class Table(dict):
        def __getitem__(self, key):
            started.set()
            return super().__getitem__(key)

    def interrupt():
        started.wait()  # wakes once the call lets go of the GIL
        if not over:
            os.kill(os.getpid(), signal.SIGINT)

    table = Table(distance_km=np.tile(np.arange(1, 2001), 750))  # 1.5 M rows
    # No bytecode runs between the call and the deque taking its result: a
    # handler that runs only once the call is over finds the result there.
    returned = collections.deque(maxlen=1)
    previous = signal.signal(signal.SIGINT, signal.default_int_handler)
    sender = threading.Thread(target=interrupt)
    sender.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            returned.extend(map(functools.partial(tropolink.calculate_many, **threads), [table]))
    finally:
        over.append(True)
        started.set()
        sender.join()
        signal.signal(signal.SIGINT, previous)
    assert not returned


def test_any_number_of_threads_gives_the_same_arrays():
    rng = np.random.default_rng(7)
    rows = 230_000  # past the threshold and not a whole number of chunks
    table = {"distance_km": rng.integers(1, 2001, rows), "frequency_mhz": rng.integers(50, 25001, rows),
             "s1_antenna_height_m": rng.integers(0, 10001, rows), "s2_antenna_gain_dbi": rng.integers(0, 501, rows) / 10,
             "surface_refractivity": rng.integers(270, 351, rows)}
    one = tropolink.calculate_many(table, threads=1)
    for threads in (2, 3):
        many = tropolink.calculate_many(table, threads=threads)
        for name, array in one.items():
            assert np.array_equal(many[name], array, equal_nan=array.dtype.kind == "f"), (threads, name)


@pytest.mark.parametrize("threads,error,message", [
    (0, ValueError, r"^threads=0: out of range \(allowed: None or 1 to 1024\)$"),
    (1025, ValueError, r"^threads=1025: out of range"),
    (1.5, ValueError, r"^threads=1.5: not a whole number"),
    (True, TypeError, r"^threads=True: a bool"),
    ("2x", ValueError, r"^threads=2x: not a whole number"),
])
def test_a_bad_thread_count_is_refused(threads, error, message):
    with pytest.raises(error, match=message):
        tropolink.calculate_many({"distance_km": 300}, threads=threads)


def test_help_lists_every_keyword_with_unit_range_step_and_start():
    doc = " ".join(tropolink.calculate.__doc__.split())
    for row in ["s1_antenna_height_m HScroll1 0 to 10000 m in steps of 1, start 10",
                "s2_tx_power HScroll14 0.1 to 1500 W in steps of 0.1, start 100 (in mW with power_div_1000)",
                "s2_antenna_noise_temp_k HScroll19 0 to 400 K in steps of 1, start 300",
                "surface_refractivity HScroll23 270 to 350 N-units in steps of 1, start 310"]:
        assert row in doc
    assert len(re.findall(r" HScroll\d+ ", doc)) == 23


def test_without_numpy_the_import_error_names_both_interpreters(tmp_path):
    (tmp_path / "numpy").mkdir()
    (tmp_path / "numpy" / "__init__.py").write_text("raise ImportError(\"No module named 'numpy'\")\n")
    env = dict(os.environ, PYTHONPATH=os.pathsep.join([str(tmp_path), os.path.dirname(tropolink.__file__)]))
    done = subprocess.run([sys.executable, "-c", "import tropolink"], env=env, capture_output=True, text=True,
                          check=False)
    assert done.returncode == 1
    last = done.stderr.strip().splitlines()[-1]
    version = f"{sys.version_info[0]}.{sys.version_info[1]}"
    assert re.fullmatch(r"ImportError: tropolink was built for /\S+ \d+\.\d+ with Debian's NumPy; this is " +
                        re.escape(f"{sys.executable} {version}: No module named 'numpy'"), last), last


def test_a_plan_nested_40000_deep_is_a_value_error(tmp_path):
    plan = tmp_path / "deep.tropolink.toml"
    plan.write_text("[" + ".".join(["a"] * 40000) + "]\n")
    with pytest.raises(ValueError, match=re.escape(f"{plan}:1:130: a key or value nested more than 64 deep")):
        tropolink.Plan.load(str(plan))


@pytest.mark.parametrize("lat, lon, kind", [
    (None, 0, "NoneType"),
    (True, 0, "bool"),
    (0, "1", "str"),
    (1 + 2j, 0, "complex"),
    (0, [False, True], "bool"),
])
def test_itu_maps_at_refuses_what_the_loss_functions_refuse(lat, lon, kind):
    with pytest.raises(TypeError) as error:
        tropolink.itu_maps_at(lat, lon)
    assert kind in str(error.value)
