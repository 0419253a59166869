"""Box texts in decimal arithmetic: the echo of a setting and the display masks.

A number is first cut to 15 significant digits (the exact binary value,
correctly rounded), then rounded half away from zero to the mask's decimals.
"""

from decimal import ROUND_HALF_UP, Decimal, localcontext

MASK_LOSS = "###.##"
MASK_SIGNAL_TO_NOISE = "###.###"
MASK_TWO_DECIMALS = "##.##"
MASK_ANGLE = "0.###"
MASK_COUPLING = "0.##"
MASK_AVERAGE = "###.#"
MASK_MILES = "####.#"


def fifteen_digits(value: float) -> Decimal:
    return Decimal(format(value, ".14e"))


def _round_half_away(number: Decimal, decimals: int) -> Decimal:
    with localcontext() as context:
        context.prec = 60
        return number.quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)


def _point_text(number: Decimal, zero_before_point: bool) -> str:
    """Integer digits, a point that is always shown, decimals without trailing zeros."""
    integer, _, decimals = format(abs(number), "f").partition(".")
    if integer == "0" and not zero_before_point:
        integer = ""
    # a negative value that rounds to zero loses its sign
    sign = "-" if number < 0 else ""
    return f"{sign}{integer}.{decimals.rstrip('0')}"


def mask_text(value: float, mask: str) -> str:
    decimals = len(mask) - mask.index(".") - 1
    rounded = _round_half_away(fifteen_digits(value), decimals)
    return _point_text(rounded, mask.startswith("0"))


def echo_text(value: float) -> str:
    """A blank (or minus), up to 15 significant digits, no 0 before the point."""
    number = fifteen_digits(value).normalize()
    digits = format(abs(number), "f")
    if digits.startswith("0."):
        digits = digits[1:]
    return ("-" if number < 0 else " ") + digits


def milliwatt_text(milliwatts: float) -> str:
    # up to three decimals, a 0 before the point: the rule of the angle mask
    return mask_text(milliwatts, MASK_ANGLE) + " mW"


def miles_text(miles: float) -> str:
    return " = " + mask_text(miles, MASK_MILES) + " miles"
