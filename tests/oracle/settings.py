"""Slider settings for the comparison: every slider's limits and start, the
named boundaries of the calculation, and seeded random settings."""

import random

from sliders import SLIDER_BY_NAME, SLIDERS, start_positions

STATION_FIRSTS = (1, 11)


def _both(first, position):
    return {f"HScroll{first + offset}": position for offset in (0, 10)}


def _setting(changes=(), ticked=False):
    positions = start_positions()
    positions.update(dict(changes))
    return positions, ticked


def _limits():
    """Every slider alone at its minimum, one above it, its maximum and one below."""
    for slider in SLIDERS:
        for position in (slider.minimum, slider.minimum + 1, slider.maximum - 1, slider.maximum):
            for ticked in (False, True):
                yield _setting({slider.name: position}, ticked)


DISTANCES_KM = (1, 2, 5, 49, 50, 51, 60, 100, 160, 161, 250, 500, 699, 700, 701, 999, 1000,
                1001, 1500, 2000)
FREQUENCIES_MHZ = (50, 51, 432, 899, 900, 901, 10000, 12999, 13000, 13001, 22235, 24999, 25000)
EXTREMES = (
    {}, _both(1, 0), _both(1, 10000), _both(1, 900), _both(2, 0), _both(2, 10000), _both(3, 0),
    _both(3, 100), {**_both(2, 200), **_both(3, 10)}, _both(8, 0), _both(8, 500), _both(8, 400),
    {"HScroll23": 270}, {"HScroll23": 330}, {"HScroll23": 350}, {**_both(1, 900), "HScroll23": 350},
    {**_both(6, 0), **_both(7, 0), **_both(9, 0)},
    {**_both(6, 0), **_both(7, 0), **_both(9, 0), **_both(10, 0), **_both(8, 0)},
    {**_both(6, 100), **_both(7, 100), **_both(9, 400), **_both(10, 5000), **_both(8, 500)},
    {**_both(4, 1), **_both(5, 100)}, {**_both(4, 15000), **_both(5, 0)},
)


def _boundaries():
    """Distance and frequency boundaries crossed with extreme station settings."""
    for extreme in EXTREMES:
        for km in DISTANCES_KM:
            yield _setting({**extreme, "HScroll22": km})
        for mhz in FREQUENCIES_MHZ:
            yield _setting({**extreme, "HScroll21": mhz}, ticked=mhz % 2 == 1)


def _zero_scattering():
    """An obstruction as high as the antenna, as far away as the other station:
    the scattering angle comes out exactly 0 (antennas high enough not to be
    horizon limited)."""
    for km in range(1, 101):
        for metres in (300, 2000, 10000):
            yield _setting({**_both(1, metres), **_both(2, metres), **_both(3, km),
                            "HScroll22": km})


NEGATIVE_NEAR_ZERO = (  # values just below 0 that round to 0 under their mask
    {"HScroll3": 17, "HScroll2": 27, "HScroll13": 34, "HScroll12": 78},   # take-off angles
    {"HScroll22": 1, "HScroll3": 1, "HScroll2": 10, "HScroll13": 16, "HScroll12": 24},  # scattering
    {"HScroll14": 4098, "HScroll22": 496}, {"HScroll14": 10441, "HScroll22": 544},  # S/N
    {"HScroll14": 8439, "HScroll22": 533},
)


def _random_position(rng, slider):
    draw = rng.random()
    if draw < 0.5:
        return rng.randint(slider.minimum, slider.maximum)
    if draw < 0.75:  # the small end, where the geometry changes fastest
        span = slider.maximum - slider.minimum
        return slider.minimum + min(span, int(rng.random() ** 3 * span))
    if draw < 0.9:
        return slider.start
    return rng.choice((slider.minimum, slider.maximum))


def random_settings(rng):
    positions = {slider.name: _random_position(rng, slider) for slider in SLIDERS}
    return positions, rng.random() < 0.3


def all_settings(count, seed):
    """The fixed settings, then random ones up to count in all (at least the fixed ones)."""
    fixed = [*_limits(), *_boundaries(), *_zero_scattering(),
             *(_setting(changes) for changes in NEGATIVE_NEAR_ZERO)]
    rng = random.Random(seed)
    return fixed + [random_settings(rng) for _ in range(max(0, count - len(fixed)))]


def command_line(positions, ticked):
    tokens = [f"{name}={positions[name]}" for name in SLIDER_BY_NAME]
    return " ".join(tokens + (["power-div-1000"] if ticked else []))
