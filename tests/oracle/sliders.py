"""The 23 input sliders: name, minimum, maximum and start position."""

from typing import NamedTuple


class Slider(NamedTuple):
    name: str
    minimum: int
    maximum: int
    start: int


def _pair(first: int, minimum: int, maximum: int, start: int) -> list[Slider]:
    """Station 1's slider HScroll<first> and station 2's HScroll<first + 10>."""
    return [Slider(f"HScroll{first + offset}", minimum, maximum, start) for offset in (0, 10)]


SLIDERS: list[Slider] = sorted(
    _pair(1, 0, 10000, 10)        # antenna height, m
    + _pair(2, 0, 10000, 5)       # obstruction height, m
    + _pair(3, 0, 100, 5)         # distance to obstruction, km
    + _pair(4, 1, 15000, 1000)    # transmitter power, tenths of a watt
    + _pair(5, 0, 100, 10)        # transmit line loss, tenths of a dB
    + _pair(6, 0, 100, 30)        # receiver noise figure, tenths of a dB
    + _pair(7, 0, 100, 10)        # receive line loss, tenths of a dB
    + _pair(8, 0, 500, 150)       # antenna gain, tenths of a dBi
    + _pair(9, 0, 400, 300)       # antenna noise temperature, K
    + _pair(10, 0, 5000, 2700)    # receiver bandwidth, Hz
    + [Slider("HScroll21", 50, 25000, 432),   # frequency, MHz
       Slider("HScroll22", 1, 2000, 250),     # distance, km
       Slider("HScroll23", 270, 350, 310)],   # sea-level refractivity, N units
    key=lambda slider: int(slider.name[len("HScroll"):]))

SLIDER_BY_NAME = {slider.name: slider for slider in SLIDERS}


def start_positions() -> dict[str, int]:
    return {slider.name: slider.start for slider in SLIDERS}
