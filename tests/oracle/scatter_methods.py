"""The five troposcatter loss methods: Yeh, CCIR, ITT, Rider and Collins."""

import math

from box_text import MASK_COUPLING, MASK_LOSS, MASK_TWO_DECIMALS, mask_text
from constants import DEGREES_PER_RADIAN, LN_TO_DB10, LN_TO_DB20, LN_TO_DB30, LN_TO_DB44, \
    LN_TO_DB50, LOG10_E


def yeh(f, n, s1, s2, v, boxes):
    theta = v.scattering_angle
    # coupling loss grows with the signed scattering angle, shrinks with the beamwidths
    v.yeh_coupling_loss = 2 + 2 * theta / math.sqrt(v.beamwidth[0] * v.beamwidth[1])
    boxes["Text44"] = mask_text(v.yeh_coupling_loss, MASK_TWO_DECIMALS)
    v.yeh_frequency_term = (21 + 10 * theta) + 10 * math.log(f) / math.log(10)
    v.antenna_refractivity = [n * math.exp(-0.1057 * s.antenna_height) for s in (s1, s2)]
    v.mean_refractivity = (v.antenna_refractivity[0] + v.antenna_refractivity[1]) / 2
    v.yeh_refractivity_correction = 0.2 * (v.mean_refractivity - 310)
    v.yeh_loss = ((v.line_of_sight_loss + v.yeh_frequency_term) + v.yeh_coupling_loss) \
        - v.yeh_refractivity_correction


def _ccir_attenuation(x, ns):
    if 0.01 <= x <= 10:
        return LN_TO_DB30 * math.log(x) + ((139.5 + 0.06 * ns - 0.00024 * math.pow(ns, 2))
                                           + 0.34 * x)
    if 10 < x <= 70:
        return (22.5 + 0.05 * ns) * LOG10_E * math.log(x) \
            + ((140.7 + 0.06 * ns - 0.00032 * math.pow(ns, 2))
               + (3.925 + 0.0033 * ns - (1.9 * LOG10_E) * math.log(ns)) * x)
    if x > 70:
        return LN_TO_DB44 * math.log(x) + ((123.6 - 0.008 * ns) + 0.158 * x)
    return 0.0


def ccir(f, d, s1, s2, v, boxes):
    ns = v.mean_refractivity
    radius = 6370 / (1 - 0.04665 * math.exp(0.005577 * ns))
    v.refractivity_earth_radius = a = float(format(radius, ".14e"))  # kept as 15-digit text
    take_off = []
    for s, horizon in zip((s1, s2), v.horizon_angle):
        t = (s.obstruction_height - s.antenna_height) / s.obstruction_distance \
            - s.obstruction_distance / (2 * a)
        horizon_rad = horizon / DEGREES_PER_RADIAN
        take_off.append(horizon_rad if t <= horizon_rad else t)
    v.ccir_take_off = take_off
    v.scatter_angle_rad = d / a + (take_off[0] + take_off[1])
    v.ccir_x = x = v.scatter_angle_rad * d
    v.ccir_attenuation = _ccir_attenuation(x, ns)
    d0 = 65 * math.pow(100 / f, 0.3333) + (3 * math.sqrt(2 * s1.antenna_height)
                                          + 3 * math.sqrt(2 * s2.antenna_height))
    v.ccir_cutoff_distance = d0
    de = (d + 130) - d0 if d > d0 else 130 * d / d0
    v.ccir_equivalent_distance = de
    correction = ((-3.4758 + 0.0685 * de) - 0.0001885 * math.pow(de, 2)) \
        + 1.39919e-7 * math.pow(de, 3)
    v.ccir_coupling_loss = 0.07 * math.exp(0.055 * (s2.antenna_gain + s1.antenna_gain))
    boxes["Text45"] = mask_text(v.ccir_coupling_loss, MASK_COUPLING)
    if d < 50:
        correction = 0.0
    if d > 700:
        correction = 0.0
    v.ccir_distance_correction = correction
    v.ccir_base = LN_TO_DB30 * math.log(f) - LN_TO_DB20 * math.log(d)
    v.ccir_loss = ((v.ccir_base + v.ccir_attenuation) + v.ccir_coupling_loss) - correction
    boxes["Text28"] = mask_text(v.ccir_loss, MASK_LOSS)


def itt_polynomial(theta_m):
    return (((26.6472 + 2.17069 * theta_m) - 0.037166 * math.pow(theta_m, 2))
            + 0.0003627 * math.pow(theta_m, 3)) - 1.2496e-6 * math.pow(theta_m, 4)


def itt(f, v, boxes):
    theta_m = 1000 * v.scatter_angle_rad
    v.itt_in_range = 8 <= theta_m <= 100
    v.itt_loss = None
    if not v.itt_in_range:
        boxes["Text27"] = "Out of Range"
        return
    v.itt_angle_term = itt_polynomial(theta_m)
    v.itt_frequency_term = LN_TO_DB10 * math.log(f / 900)
    v.itt_loss = (v.line_of_sight_loss + v.itt_angle_term) + v.itt_frequency_term
    boxes["Text27"] = mask_text(v.itt_loss, MASK_LOSS)


def rider(f, d, n, v, boxes):
    theta = v.scattering_angle
    v.rider_loss = None
    if not theta >= 0:
        v.rider_verdict = "LineOfSight"
        return
    if not theta > 0.1:
        v.rider_verdict = "OutOfRange"
        boxes["Text46"] = "out of range"
        return
    v.rider_verdict = "Valid"
    v.rider_base = ((LN_TO_DB30 * math.log(f) + 49.0) + LN_TO_DB30 * math.log(d)) \
        + LN_TO_DB50 * math.log(theta)
    v.rider_loss = (v.rider_base - 0.43 * (n - 330)) + v.yeh_coupling_loss


def collins(f, d, s1, s2, v, boxes):
    take_off = []
    for s, horizon_distance in zip((s1, s2), v.horizon_distance):
        t = (s.obstruction_height - s.antenna_height) / s.obstruction_distance \
            - s.obstruction_distance / 12742
        horizon_rad = -(horizon_distance / 6371)
        take_off.append(horizon_rad if t < horizon_rad else t)
    v.collins_take_off = take_off
    v.collins_take_off_sum = ts = (take_off[0] + take_off[1]) * DEGREES_PER_RADIAN
    v.collins_in_range = 0.6214 * d > 100 and ts <= 4 and d < 1000
    v.collins_loss = None
    if not v.collins_in_range:
        boxes["Text29"] = "Out of Range"
        return
    dm = 0.6214 * d
    v.collins_distance_term = (169.97 + 0.257 * dm) - 0.000159 * math.pow(dm, 2)
    v.collins_frequency_term = LN_TO_DB30 * math.log(f / 1000)
    p05 = 9.905 - 0.01143 * dm       # take-off term at 0.5 degrees
    p4 = 46.1714 - 0.04743 * dm      # take-off term at 4 degrees
    v.collins_angle_term = 10 * ts if ts < 0.5 else p05 + ((p4 - p05) / 3.5) * (ts - 0.5)
    theta = abs(v.scattering_angle)
    v.collins_coupling_loss = theta * 7 * math.exp(-0.84 * v.beamwidth[0]) \
        + theta * 7 * math.exp(-0.84 * v.beamwidth[1])
    v.collins_loss = ((v.collins_distance_term + v.collins_frequency_term)
                      + v.collins_angle_term) + v.collins_coupling_loss
    boxes["Text29"] = mask_text(v.collins_loss, MASK_LOSS)
