"""Fading within the hour and diversity through the module, against the tool."""
import json
import math
import pathlib

import numpy as np
import pytest
import tropolink

SLIDERS_PLAN = pathlib.Path(__file__).parent.parent.parent / "docs" / "examples" / "st-anthony-gander.tropolink.toml"
LN2 = math.log(2)


def x_of(margin_db):
    return LN2 * 10 ** (-np.asarray(margin_db, dtype=float) / 10)


def gamma_tail_sum(x, order):
    """1 - e^-x (1 + x + ... + x^(order-1)/(order-1)!), summed from the tail so that no digits cancel."""
    x = np.asarray(x, dtype=float)
    return np.exp(-x) * sum(x**k / float(math.factorial(k)) for k in range(order, order + 60))


# The closed forms written out here, away from the library's own.
@pytest.mark.parametrize(
    "order, combiner, expected",
    [
        (1, "selection", lambda x: 1 - np.exp(-x)),
        (2, "selection", lambda x: (1 - np.exp(-x)) ** 2),
        (4, "selection", lambda x: (1 - np.exp(-x)) ** 4),
        (2, "maximal-ratio", lambda x: gamma_tail_sum(x, 2)),
        (4, "maximal-ratio", lambda x: gamma_tail_sum(x, 4)),
    ],
)
def test_short_term_outage_is_vectorised_and_keeps_the_shape(order, combiner, expected):
    margins = np.linspace(-10, 40, 24).reshape(2, 3, 4)
    q = tropolink.short_term_outage(margins, order, combiner)
    assert q.shape == margins.shape and q.dtype == np.float64
    np.testing.assert_allclose(q, expected(x_of(margins)), rtol=1e-9)
    assert isinstance(tropolink.short_term_outage(20.0, order, combiner), float)
    assert tropolink.short_term_outage([20.0, 30.0], order, combiner).shape == (2,)


def test_correlation_lowers_what_dual_diversity_gives_back():
    margins = np.array([10.0, 20.0, 30.0])
    for combiner in ("selection", "maximal-ratio"):
        previous = tropolink.short_term_outage(margins, 2, combiner, 0.0)
        for rho in (0.3, 0.6, 0.99):
            q = tropolink.short_term_outage(margins, 2, combiner, rho)
            assert np.all(q >= previous)
            previous = q
    assert math.isnan(tropolink.short_term_outage(float("nan")))


@pytest.mark.parametrize(
    "args, message",
    [
        ((10.0, 3), "diversity order 3"),
        ((10.0, 2, "mrc"), "combiner mrc"),
        ((10.0, 2, "selection", 0.995), "branch correlation 0.995"),
        ((10.0, 4, "selection", 0.5), "only dual diversity"),
        (("ten",), "real numbers only"),
    ],
)
def test_short_term_outage_refusals(args, message):
    with pytest.raises(ValueError, match=message):
        tropolink.short_term_outage(*args)


def test_availability_gives_what_the_tool_prints(cli):
    status, out, err = cli(
        "availability", "--json", "--required-snr", "10", "--diversity-order", "2", "--combiner", "maximal-ratio",
        "--branch-correlation", "0.3")
    assert status == 0, err
    a = tropolink.availability(required_snr_db=10, diversity_order=2, combiner="maximal-ratio", branch_correlation=0.3)
    assert a == json.loads(out)
    assert "fading" not in tropolink.availability(required_snr_db=10)
    with pytest.raises(ValueError, match=r"--diversity-order 3: not a diversity order \(allowed: 1, 2 or 4\)"):
        tropolink.availability(diversity_order=3)


def test_plan_takes_the_diversity_as_availability_names_it(cli, tmp_path):
    text = SLIDERS_PLAN.read_text() + '\n[diversity]\norder = 2\ncombiner = "maximal-ratio"\n'
    path = tmp_path / "dual.tropolink.toml"
    path.write_text(text)
    status, out, err = cli("plan", str(path), "--json")
    assert status == 0, err
    from_file = json.loads(out)
    assert tropolink.Plan.load(path).run() == from_file
    assert all("withDiversity" in v for v in from_file["verdicts"])
    keywords = tropolink.Plan(diversity_order=2, combiner="maximal-ratio", requirement={"snr_db": 10})
    table = tropolink.Plan(diversity={"order": 2, "combiner": "maximal-ratio"}, requirement={"snr_db": 10})
    assert keywords.toml() == table.toml()
    assert "[diversity]\norder = 2" in keywords.toml()
    with pytest.raises(ValueError, match=r"diversity.order = 3: not a diversity order"):
        tropolink.Plan(diversity_order=3)
