import json

import numpy as np
import pytest
import tropolink

PROF4 = dict(d_km=88.891, theta_e_rad=0.00960890906741, theta_t_mrad=4.183610089, theta_r_mrad=-12.61120861,
             ae_km=9250.894079, climate_zone=4)
B2ISEAC = dict(d_km=235.1, theta_e_rad=0.0271852017446, theta_t_mrad=-13.72378393, theta_r_mrad=-5.716448391,
               ae_km=8648.087375, climate_zone=6)
P2001_VECTORS = [
    (PROF4, 0.2, 1, 148.015659), (PROF4, 2, 10, 184.186621), (PROF4, 2, 50, 195.749797),
    (PROF4, 2, 99.9, 222.834169), (B2ISEAC, 2, 1, 185.464175), (B2ISEAC, 0.03, 50, 148.744344),
]


@pytest.mark.parametrize("geometry,f_ghz,p,expected", P2001_VECTORS)
def test_p2001_validation_vectors(geometry, f_ghz, p, expected):
    loss = tropolink.p2001_loss(f_ghz=f_ghz, p=p, gt_dbi=0, gr_dbi=0, **geometry)
    assert abs(loss - expected) < 2e-6


ROW1 = dict(f_mhz=2000, d_km=212.5772, ae_km=9105.643, hts_m=39.64, hrs_m=11.80, theta_t_mrad=-2.281297,
            theta_r_mrad=0.301530, gt_dbi=10, gr_dbi=22, n0=331.8403, delta_n=47.1534, hs_km=0)
ROW3 = dict(f_mhz=6000, d_km=96.2, ae_km=8401.694, hts_m=407, hrs_m=515, theta_t_mrad=45.937903,
            theta_r_mrad=-2.361950, gt_dbi=0, gr_dbi=0, n0=324.6912, delta_n=37.3498, hs_km=0.38156)
P617_VECTORS = [  # (link, p, revised, in force)
    (ROW1, 0.01, 182.1422, 182.0759), (ROW1, 50, 208.0898, 208.0235), (ROW3, 1, 210.1355, 210.1254),
]


@pytest.mark.parametrize("link,p,revised,in_force", P617_VECTORS)
def test_p617_validation_vectors(link, p, revised, in_force):
    assert abs(tropolink.p617_loss(p=p, revised_angle_term=True, **link) - revised) < 1.5e-4
    assert abs(tropolink.p617_loss(p=p, **link) - in_force) < 1.5e-4


def test_arrays_broadcast():
    p = np.array([1, 10, 50, 99.9])
    f = np.array([[0.2], [2]])
    losses = tropolink.p2001_loss(f_ghz=f, p=p, gt_dbi=0, gr_dbi=0, **PROF4)
    assert losses.shape == (2, 4)
    assert abs(losses[1, 1] - 184.186621) < 2e-6 and abs(losses[0, 0] - 148.015659) < 2e-6
    assert np.all(np.diff(losses, axis=1) > 0)  # more loss for a larger share of the year
    zones = tropolink.p2001_loss(2, 50, gt_dbi=0, gr_dbi=0, climate_zone=np.arange(1, 8),
                                 **{k: v for k, v in PROF4.items() if k != "climate_zone"})
    assert zones.shape == (7,) and len(set(zones)) > 1
    a = tropolink.p617_loss(p=np.array([0.01, 50]), revised_angle_term=True, **ROW1)
    assert a.shape == (2,) and abs(a[1] - 208.0898) < 1.5e-4


def test_line_of_sight_is_nan_and_bad_arguments_raise():
    los = dict(PROF4, theta_t_mrad=-20.0)
    assert np.isnan(tropolink.p2001_loss(f_ghz=2, p=50, gt_dbi=0, gr_dbi=0, **los))
    assert np.isnan(tropolink.p617_loss(p=50, **dict(ROW1, theta_t_mrad=-30.0)))
    for p in (0, 100, -1, float("nan")):
        with pytest.raises(ValueError, match="out of range"):
            tropolink.p2001_loss(f_ghz=2, p=p, gt_dbi=0, gr_dbi=0, **PROF4)
        with pytest.raises(ValueError, match="out of range"):
            tropolink.p617_loss(p=p, **ROW1)
    for zone in (0, 8):
        with pytest.raises(ValueError, match="climate_zone"):
            tropolink.p2001_loss(f_ghz=2, p=50, gt_dbi=0, gr_dbi=0, **dict(PROF4, climate_zone=zone))


AVAILABILITY_CASES = [
    ({}, []),
    ({"distance_km": 300, "percent": [50, 99.9], "required_snr_db": 10},
     ["--set", "distance-km=300", "--percent", "50", "--percent", "99.9", "--required-snr", "10"]),
    ({"s1_antenna_height_m": 10000, "HScroll11": 10000, "percent": 90, "climate_zone": 2, "delta_n": 45.5,
      "ground_height_km": 0.25},
     ["--set", "s1.antenna-height-m=10000", "--set", "HScroll11=10000", "--percent", "90", "--climate-zone", "2",
      "--delta-n", "45.5", "--ground-height-km", "0.25"]),
]


@pytest.mark.parametrize("kwargs,arguments", AVAILABILITY_CASES)
def test_availability_equals_the_tools_json(cli, kwargs, arguments):
    status, out, err = cli("availability", "--json", *arguments)
    assert status == 0, err
    assert tropolink.availability(**kwargs) == json.loads(out)


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
