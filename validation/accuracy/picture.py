"""The SVG picture: every prediction against its measurement, one colour per method."""

import math
from xml.sax.saxutils import escape

from routes import PUBLISHED

WIDTH, HEIGHT = 760, 560
LEFT, TOP, SIZE = 70, 40, 460  # the square plot area
COLOURS = {"P.617": "#1f77b4", "P.617 revised angle": "#17becf", "P.2001": "#d62728", "YEH": "#2ca02c",
           "ITT": "#9467bd", "CCIR": "#8c564b", "COLLINS": "#e377c2", "RIDER": "#ff7f0e"}
# Shown only when the maps let the complete method run.
COMPLETE_COLOUR = ("P.2001 complete", "#000000")
STEP_DB = 10


def _axis_range(values: list) -> tuple:
    return STEP_DB * math.floor(min(values) / STEP_DB), STEP_DB * math.ceil(max(values) / STEP_DB)


# The revised angle term moves P.617 by tenths of a dB: drawn larger and first, it rings P.617's marks.
UNDERNEATH = "P.617 revised angle"


def _marker(route: str, x: float, y: float, colour: str, half: float = 3.5) -> str:
    if route == PUBLISHED:
        return (f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{half + 0.5}" fill="none" stroke="{colour}" '
                'stroke-width="1.5"/>')
    return (f'<rect x="{x - half:.1f}" y="{y - half:.1f}" width="{2 * half}" height="{2 * half}" fill="{colour}" '
            f'fill-opacity="0.7" stroke="{colour}"/>')


def picture_svg(points: list) -> str:
    """points: (method, route, measured dB, predicted dB)."""
    low, high = _axis_range([v for p in points for v in p[2:]])

    def sx(v):
        return LEFT + (v - low) / (high - low) * SIZE

    def sy(v):
        return TOP + SIZE - (v - low) / (high - low) * SIZE

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
           f'viewBox="0 0 {WIDTH} {HEIGHT}" font-family="sans-serif" font-size="12">',
           f'<rect width="{WIDTH}" height="{HEIGHT}" fill="white"/>',
           f'<text x="{LEFT + SIZE / 2}" y="24" text-anchor="middle" font-size="14">'
           'Predicted against measured basic transmission loss, 50, 90 and 99 %</text>']
    for v in range(low, high + 1, STEP_DB):
        out.append(f'<line x1="{sx(v):.1f}" y1="{TOP}" x2="{sx(v):.1f}" y2="{TOP + SIZE}" stroke="#e5e5e5"/>')
        out.append(f'<line x1="{LEFT}" y1="{sy(v):.1f}" x2="{LEFT + SIZE}" y2="{sy(v):.1f}" stroke="#e5e5e5"/>')
        out.append(f'<text x="{sx(v):.1f}" y="{TOP + SIZE + 16}" text-anchor="middle">{v}</text>')
        out.append(f'<text x="{LEFT - 6}" y="{sy(v) + 4:.1f}" text-anchor="end">{v}</text>')
    out.append(f'<rect x="{LEFT}" y="{TOP}" width="{SIZE}" height="{SIZE}" fill="none" stroke="black"/>')
    for offset, dash in ((0, ""), (STEP_DB, ' stroke-dasharray="4 4"'), (-STEP_DB, ' stroke-dasharray="4 4"')):
        a, b = max(low, low - offset), min(high, high - offset)
        out.append(f'<line x1="{sx(a):.1f}" y1="{sy(a + offset):.1f}" x2="{sx(b):.1f}" y2="{sy(b + offset):.1f}" '
                   f'stroke="#555"{dash}/>')
    out.append(f'<text x="{LEFT + SIZE / 2}" y="{TOP + SIZE + 36}" text-anchor="middle">measured loss (dB)</text>')
    out.append(f'<text transform="translate(20 {TOP + SIZE / 2}) rotate(-90)" text-anchor="middle">'
               'predicted loss (dB)</text>')
    colours = dict(COLOURS)
    if any(p[0] == COMPLETE_COLOUR[0] for p in points):
        colours[COMPLETE_COLOUR[0]] = COMPLETE_COLOUR[1]
    for method, route, measured, predicted in sorted(points, key=lambda p: p[0] != UNDERNEATH):
        half = 6 if method == UNDERNEATH else 3.5
        out.append(_marker(route, sx(measured), sy(predicted), colours[method], half))
    x, y = LEFT + SIZE + 24, TOP + 10
    for method, colour in colours.items():
        out.append(f'<rect x="{x}" y="{y - 9}" width="14" height="10" fill="{colour}"/>')
        out.append(f'<text x="{x + 20}" y="{y}">{escape(method)}</text>')
        y += 20
    y += 10
    out.append(_marker(PUBLISHED, x + 7, y - 4, "black") + f'<text x="{x + 20}" y="{y}">published geometry</text>')
    out.append(_marker("terrain", x + 7, y + 16, "black") + f'<text x="{x + 20}" y="{y + 20}">terrain profile</text>')
    out.append(f'<line x1="{x}" y1="{y + 36}" x2="{x + 14}" y2="{y + 36}" stroke="#555"/>'
               f'<text x="{x + 20}" y="{y + 40}">equality</text>')
    out.append(f'<line x1="{x}" y1="{y + 56}" x2="{x + 14}" y2="{y + 56}" stroke="#555" stroke-dasharray="4 4"/>'
               f'<text x="{x + 20}" y="{y + 60}">10 dB either side</text>')
    out.append('</svg>')
    return "\n".join(out) + "\n"
