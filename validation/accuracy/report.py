"""The text of docs/accuracy.md around its statistics."""

from collect import METHOD_ROUTES, Collection, LinkResult
from geometry import SLIDER_HORIZON_LIMIT_KM
from page import signed, split_stats, stats_table
from routes import ITU_METHODS, PUBLISHED, TERRAIN, ItuGeometry

PICTURE = "accuracy.svg"
SHORT = {"P.617 revised angle": "P.617 rev."}


def _f(value, digits=1) -> str:
    return "-" if value is None else f"{value:.{digits}f}"


def _missing_data(r: LinkResult) -> str:
    words = []
    for end, s in (("Tx", r.link.tx), ("Rx", r.link.rx)):
        if s.ground_m is None:
            words.append(f"{end} site altitude")
        if s.mast_m is None:
            words.append(f"{end} antenna height")
        if s.horizon_mrad is None:
            words.append(f"{end} horizon angle")
    return ", ".join(words) or "none"


def links_table(c: Collection) -> str:
    out = ["| Link | f (MHz) | d (km) | Climate (P.2001 zone) | θ published (mrad) | θ terrain, ITU (mrad) | "
           "θ calculator (mrad) | Antennas on terrain (m asl, Tx / Rx) | Terrain horizons (km, Tx / Rx) | "
           "Not published | Flag |",
           "|---:|---:|---:|---|---:|---:|---:|---|---|---|---|"]
    for r in c.results:
        t, link = r.terrain, r.link
        zone = "none" if link.p2001_zone is None else str(link.p2001_zone)
        flag = ", ".join(f"{end} horizon within 1 km" for end in r.near_horizons) or ""
        out.append(f"| {link.number} | {link.f_mhz:.0f} | {link.d_km:.1f} | {link.climate} ({zone}) | "
                   f"{link.theta_mrad:.1f} | {t.geometry.scatter_angle_mrad:.1f} | {t.calculator_angle_mrad:.1f} | "
                   f"{t.antennas_m[0]:.0f} / {t.antennas_m[1]:.0f} | "
                   f"{t.horizons[0].distance_km:.1f} / {t.horizons[1].distance_km:.1f} | {_missing_data(r)} | {flag} |")
    return "\n".join(out) + "\n"


def errors_table(c: Collection) -> str:
    columns = [(m, r) for m, r in METHOD_ROUTES]
    head = " | ".join(f"{SHORT.get(m, m)} {'pub.' if r == PUBLISHED else 'terr.'}" for m, r in columns)
    out = [f"| Link | Measured L50 (dB) | {head} |", "|---:|---:|" + "---:|" * len(columns)]
    for r in c.results:
        measured = r.link.measured_db.get(50)
        cells = []
        for m, route in columns:
            predicted = r.prediction(m, route, 50)
            cells.append("-" if measured is None or predicted is None else signed(predicted - measured))
        out.append(f"| {r.link.number} | {_f(measured)} | " + " | ".join(cells) + " |")
    return "\n".join(out) + "\n"


def _itu_reason(method: str, g: ItuGeometry) -> str:
    theta = g.scatter_angle_mrad
    if theta <= 0:
        return "line of sight"
    if theta > 200:
        return f"scatter angle {theta:.1f} mrad, above 200 mrad"
    if method == "P.2001":
        return "scatter height above 20 km"
    return (f"the horizon rays cross outside 0 to 20 km above sea level (antennas at {g.hts_m:.0f} / {g.hrs_m:.0f} m, "
            f"horizon angles {g.theta_t_mrad:.1f} / {g.theta_r_mrad:.1f} mrad)")


def left_out(c: Collection) -> str:
    out = []
    for link in c.unmeasured:
        out.append(f"- Link {link.number}: measured at none of the percentages this page compares (50, 90, 99 %); "
                   "left out.")
    for r in c.results:
        link = r.link
        if link.p2001_zone is None:
            out.append(f"- Link {link.number}: climate {link.climate} has no P.2001 zone; left out of the P.2001 "
                       "figures on both routes.")
        for method in ITU_METHODS:
            for route, g in ((PUBLISHED, r.published.geometry), (TERRAIN, r.terrain.geometry)):
                if method == "P.2001" and link.p2001_zone is None:
                    continue
                if any(r.prediction(method, route, p) is None for p in link.measured_db):
                    out.append(f"- Link {link.number}, {method}, {route} route: no figure, {_itu_reason(method, g)}.")
        for method, word in r.terrain.legacy_words.items():
            out.append(f"- Link {link.number}, {method}: its path-loss box shows \"{word}\"; no figure.")
        for note in r.terrain.clamped:
            out.append(f"- Link {link.number}, the five methods: {note}.")
    return "\n".join(out) + "\n"


def published_notes(c: Collection) -> str:
    even = [r.link.number for r in c.results if r.published.even_split]
    kept = [r.link.number for r in c.results if not r.published.even_split]
    out = []
    if kept:
        out.append("- The published horizon angles, each moved by half their miss, split the scatter angle of links "
                   + ", ".join(map(str, kept)) + ".")
    if even:
        out.append("- The scatter angle is split evenly on links " + ", ".join(map(str, even)) +
                   ": their published horizon angles are missing or, with 1000·d/ae, miss the published scatter "
                   "angle by more than 1 mrad.")
    by_kind: dict = {}
    for r in c.results:
        by_kind.setdefault(r.published.altitudes, []).append(str(r.link.number))
    for kind, numbers in by_kind.items():
        out.append(f"- Antenna altitudes {kind}: links {', '.join(numbers)}.")
    return "\n".join(out) + "\n"


def horizon_limit_notes(c: Collection) -> str:
    changed = []
    for r in c.results:
        t = r.terrain
        far = [f"{end} at {hz.distance_km:.1f} km" for end, hz in zip(("Tx", "Rx"), t.horizons)
               if hz.distance_km > SLIDER_HORIZON_LIMIT_KM]
        if t.limited_losses is not None:
            deltas = ", ".join(f"{m} {signed(t.losses[m][50] - t.limited_losses[m][50])} dB"
                               for m in t.losses if t.losses[m][50] is not None and t.limited_losses[m][50] is not None)
            changed.append(f"- Link {r.link.number}: whole-path horizon {', '.join(far)}; the median changed by "
                           f"{deltas} against a search stopped at 100 km.")
    if not changed:
        return ("No terrain horizon of these links lies farther than 100 km from its antenna, so letting the ITU "
                "methods' horizon lie anywhere along the path changed no result here.\n")
    return "\n".join(changed) + "\n"


def statistics_section(stats: list) -> str:
    main, unflagged = split_stats(stats)
    text = stats_table(main)
    if unflagged:
        text += ("\nThe terrain route without the links flagged below (a terrain horizon within 1 km of an "
                 "antenna):\n\n" + stats_table(unflagged))
    return text


def stat(stats: list, method: str, route: str, percent: int):
    return next((s for s in stats if (s.method, s.route, s.percent) == (method, route, percent)), None)
