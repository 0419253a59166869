"""Independent model of one recalculation pass: 23 slider positions and the
power/1000 state in, the texts of the 52 display boxes out.

Every figure is a Python float (IEEE double) formed in the order the pass
forms it; box texts come from the decimal rules of box_text.
"""

from dataclasses import dataclass
from types import SimpleNamespace

import path_stages
import scatter_methods
from box_text import MASK_AVERAGE, MASK_LOSS, MASK_SIGNAL_TO_NOISE, echo_text, mask_text, \
    miles_text, milliwatt_text

BOX_NAMES = [f"Text{k}" for k in range(1, 53)]
LINE_OF_SIGHT = "Line of Sight"
NO_DATA = "No Data"


@dataclass
class Station:
    antenna_height: float        # km
    obstruction_height: float    # km
    obstruction_distance: float  # km
    tx_power: float              # W
    tx_line_loss: float          # dB
    rx_noise_figure: float       # dB
    rx_line_loss: float          # dB
    antenna_gain: float          # dBi
    antenna_noise_temp: float    # K
    rx_bandwidth: float          # Hz


def _read_station(pos, first, power_div_1000, boxes):
    """Station sliders HScroll<first> to HScroll<first + 9>, echoed into Text<first>..."""
    def position(row):
        return pos[f"HScroll{first + row}"]

    def echo(row, value):
        boxes[f"Text{first + row}"] = echo_text(value)
        return float(value)

    heights = [echo(row, position(row)) / 1000 for row in (0, 1)]
    obstruction_distance = echo(2, position(2))
    power = position(3) / 10
    if power_div_1000:
        boxes[f"Text{first + 3}"] = milliwatt_text(power)
        power = power / 1000
    else:
        echo(3, power)
    tenths = [echo(row, position(row) / 10) for row in (4, 5, 6, 7)]
    return Station(*heights, obstruction_distance, power, *tenths,
                   echo(8, position(8)), echo(9, position(9)))


def _read_link_parameters(pos, power_div_1000, boxes):
    s1 = _read_station(pos, 1, power_div_1000, boxes)
    s2 = _read_station(pos, 11, power_div_1000, boxes)
    f, d, n = (float(pos[f"HScroll{k}"]) for k in (21, 22, 23))
    boxes["Text21"], boxes["Text22"], boxes["Text23"] = echo_text(f), echo_text(d), echo_text(n)
    boxes["Text51"] = miles_text(d * 0.621371)
    return s1, s2, f, d, n


def _signal_to_noise_pair(v, boxes, station1_box, station2_box, loss):
    """S/N at each station when the other transmits; "No Data" without a loss."""
    if loss is None:
        boxes[station1_box] = boxes[station2_box] = NO_DATA
        return
    boxes[station1_box] = mask_text((v.eirp_dbw[1] - loss) - v.rx_sensitivity[0],
                                    MASK_SIGNAL_TO_NOISE)
    boxes[station2_box] = mask_text((v.eirp_dbw[0] - loss) - v.rx_sensitivity[1],
                                    MASK_SIGNAL_TO_NOISE)


def signal_to_noise(v, boxes):
    if not v.line_of_sight:
        boxes["Text26"] = mask_text(v.yeh_loss, MASK_LOSS)
    columns = (("Text26", "Text30", "Text34", v.yeh_loss),
               ("Text27", "Text31", "Text35", v.itt_loss),
               ("Text28", "Text32", "Text36", v.ccir_loss),
               ("Text29", "Text33", "Text37", v.collins_loss))
    for loss_box, station1_box, station2_box, loss in columns:
        if v.line_of_sight:
            boxes[loss_box] = LINE_OF_SIGHT
            loss = v.line_of_sight_loss
        _signal_to_noise_pair(v, boxes, station1_box, station2_box, loss)
    # the Rider column follows its own verdict, not the line-of-sight flag
    rider = v.rider_loss
    if v.rider_verdict == "LineOfSight":
        boxes["Text46"] = LINE_OF_SIGHT
        rider = v.line_of_sight_loss
    elif v.rider_verdict == "Valid":
        boxes["Text46"] = mask_text(v.rider_loss, MASK_LOSS)
    _signal_to_noise_pair(v, boxes, "Text47", "Text48", rider)


def average_loss(v, boxes):
    if v.scattering_angle > 0:
        if v.collins_in_range:
            v.average_loss = ((v.collins_loss + v.ccir_loss) + v.yeh_loss) / 3
        else:
            v.average_loss = (v.ccir_loss + v.yeh_loss) / 2
        boxes["Text49"] = mask_text(v.average_loss, MASK_AVERAGE)
    else:
        boxes["Text49"] = mask_text(v.line_of_sight_loss, MASK_AVERAGE) + " - LOS"


def run_pass(pos, power_div_1000=False):
    """Returns (box texts, intermediate values) for one pass."""
    boxes = {}
    v = SimpleNamespace()
    s1, s2, f, d, n = _read_link_parameters(pos, power_div_1000, boxes)
    v.stations = (s1, s2)
    path_stages.atmospheric_attenuation(f, d, v, boxes)
    path_stages.path_geometry(s1, s2, d, v, boxes)
    path_stages.line_of_sight_losses(f, d, v, boxes)
    path_stages.receiver(s1, s2, v, boxes)
    scatter_methods.yeh(f, n, s1, s2, v, boxes)
    scatter_methods.ccir(f, d, s1, s2, v, boxes)
    scatter_methods.itt(f, v, boxes)
    scatter_methods.rider(f, d, n, v, boxes)
    scatter_methods.collins(f, d, s1, s2, v, boxes)
    signal_to_noise(v, boxes)
    average_loss(v, boxes)
    return {name: boxes[name] for name in BOX_NAMES}, v


def recalculate(pos, power_div_1000=False):
    return run_pass(pos, power_div_1000)[0]
