"""Stages before the loss methods: atmospheric attenuation, path geometry,
line-of-sight and duct losses, and the receiver terms of each station."""

import math

from box_text import MASK_ANGLE, MASK_LOSS, MASK_TWO_DECIMALS, mask_text
from constants import DEGREES_PER_RADIAN, EFFECTIVE_EARTH_RADIUS_KM, \
    HORIZON_DEGREES_PER_RADIAN, LN_TO_DB10, LN_TO_DB20, ZERO_REPLACEMENT_KM

LOW_BAND = (3.43103863471708e-13, -4.6920361094708e-9, 1.53234726326628e-06,
            -3.38234546885063e-10, 2.69428967628833e-14, -7.07106247654218e-19)
HIGH_BAND = (2.20982609298816e-13, -1.4127525484398e-7, 6.9332370615721e-06,
             -1.19629120680749e-9, 6.76194446293911e-14, -1.21864218308252e-18)


def atmospheric_attenuation(f, d, v, boxes):
    coefficients = LOW_BAND if f <= 13000 else HIGH_BAND
    total = coefficients[0]
    for power, c in enumerate(coefficients[1:], start=1):
        total = total + c * (f if power == 1 else math.pow(f, power))  # each power from f
    v.specific_attenuation = total
    v.atmospheric_attenuation = total * d / 1000
    boxes["Text50"] = mask_text(v.atmospheric_attenuation, MASK_LOSS)


def _replace_zeros(s):
    for field in ("obstruction_distance", "antenna_height", "obstruction_height"):
        if getattr(s, field) == 0:
            setattr(s, field, ZERO_REPLACEMENT_KM)


def path_geometry(s1, s2, d, v, boxes):
    for s in (s1, s2):
        _replace_zeros(s)
    v.horizon_distance = [math.sqrt(16950 * s.antenna_height) for s in (s1, s2)]
    v.horizon_angle = [-(r / 8475) * HORIZON_DEGREES_PER_RADIAN for r in v.horizon_distance]
    v.angular_distance = d / EFFECTIVE_EARTH_RADIUS_KM * DEGREES_PER_RADIAN
    v.obstruction_angle = [((s.obstruction_height - s.antenna_height) / s.obstruction_distance
                            - s.obstruction_distance / (2 * EFFECTIVE_EARTH_RADIUS_KM))
                           * DEGREES_PER_RADIAN for s in (s1, s2)]
    v.take_off_angle = []
    for k, box in ((0, "Text39"), (1, "Text40")):
        if v.obstruction_angle[k] <= v.horizon_angle[k]:
            v.take_off_angle.append(v.horizon_angle[k])
            boxes[box] = "horizon limited"
        else:
            v.take_off_angle.append(v.obstruction_angle[k])
            boxes[box] = mask_text(v.obstruction_angle[k], MASK_ANGLE)
    v.scattering_angle = (v.angular_distance + v.take_off_angle[0]) + v.take_off_angle[1]
    boxes["Text38"] = mask_text(v.scattering_angle, MASK_ANGLE)
    v.line_of_sight = v.scattering_angle <= 0


def line_of_sight_losses(f, d, v, boxes):
    v.line_of_sight_loss = (LN_TO_DB20 * math.log(d) + 32.5) + LN_TO_DB20 * math.log(f)
    boxes["Text43"] = mask_text(v.line_of_sight_loss, MASK_LOSS) if v.line_of_sight else "Not LOS"
    v.perfect_duct_loss = (LN_TO_DB10 * math.log(d) + 32.5) + LN_TO_DB20 * math.log(f)
    boxes["Text52"] = mask_text(v.perfect_duct_loss, MASK_LOSS)


def _ratio(db):
    return math.pow(10, db / 10)


def receiver(s1, s2, v, boxes):
    v.receiver_noise_temp = [290 * (_ratio(s.rx_noise_figure) - 1) for s in (s1, s2)]
    v.rx_line_loss_ratio = [_ratio(s.rx_line_loss) for s in (s1, s2)]
    v.system_noise_temp = [(s.antenna_noise_temp + 290 * (ratio - 1)) + ratio * trx
                           for s, ratio, trx in zip((s1, s2), v.rx_line_loss_ratio,
                                                    v.receiver_noise_temp)]
    v.system_noise_temp = [t if t != 0 else 1.0 for t in v.system_noise_temp]
    for s in (s1, s2):
        if s.rx_bandwidth == 0:
            s.rx_bandwidth = 1.0
    v.noise_power = [LN_TO_DB10 * math.log((1.38e-23 * t) * s.rx_bandwidth)
                     for s, t in zip((s1, s2), v.system_noise_temp)]
    v.rx_sensitivity = [p - s.antenna_gain for s, p in zip((s1, s2), v.noise_power)]
    boxes["Text24"] = mask_text(v.rx_sensitivity[0], MASK_LOSS)
    boxes["Text25"] = mask_text(v.rx_sensitivity[1], MASK_LOSS)
    v.eirp = [(s.tx_power * 1 / _ratio(s.tx_line_loss)) * _ratio(s.antenna_gain) for s in (s1, s2)]
    v.eirp_dbw = [LN_TO_DB10 * math.log(e) for e in v.eirp]
    v.beamwidth = [math.sqrt(27000 / _ratio(s.antenna_gain)) for s in (s1, s2)]
    boxes["Text41"] = mask_text(v.beamwidth[0], MASK_TWO_DECIMALS)
    boxes["Text42"] = mask_text(v.beamwidth[1], MASK_TWO_DECIMALS)
