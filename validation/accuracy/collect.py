"""Both routes for every link, and what each method's prediction missed by."""

from dataclasses import dataclass, field
from pathlib import Path
from typing import Optional

from complete import COMPLETE, complete_losses

from measured_links import PERCENTS, Link
from routes import (ITU_METHODS, LEGACY_METHODS, NEAR_HORIZON_KM, PUBLISHED, ROUTES, TERRAIN, Published, Terrain,
                    published_route, terrain_route)

# The terrain route again without the links whose horizon lies within 1 km of an antenna.
TERRAIN_UNFLAGGED = "terrain, flagged out"

# The order of the statistics table and of the picture's legend.
METHOD_ROUTES = [(m, r) for r in ROUTES for m in ITU_METHODS] + [(m, TERRAIN) for m in LEGACY_METHODS]


@dataclass
class LinkResult:
    link: Link
    published: Published
    terrain: Terrain
    complete: Optional[dict] = None  # percent -> Lb of the complete P.2001, with the maps and both sites

    @property
    def near_horizons(self) -> list:
        """The ends whose terrain horizon, the ITU methods' or the sliders', lies within 1 km."""
        itu = [hz.distance_km for hz in self.terrain.horizons]
        sliders = [hz["distanceKm"] for hz in self.terrain.pass_horizons]
        return [end for end, a, b in zip(("Tx", "Rx"), itu, sliders) if min(a, b) < NEAR_HORIZON_KM]

    def prediction(self, method: str, route: str, percent: int):
        if method in LEGACY_METHODS:
            return self.terrain.legacy.get(method) if percent == 50 else None
        if method == COMPLETE:
            return None if self.complete is None or route != TERRAIN else self.complete.get(percent)
        losses = (self.published if route == PUBLISHED else self.terrain).losses
        return losses.get(method, {}).get(percent)


@dataclass
class Collection:
    results: list = field(default_factory=list)  # LinkResult, in the table's order
    unmeasured: list = field(default_factory=list)  # Link measured at none of PERCENTS
    maps: Optional[Path] = None  # the 14 maps' folder, when the complete P.2001 ran

    def method_routes(self) -> list:
        return METHOD_ROUTES + ([(COMPLETE, TERRAIN)] if self.maps else [])

    def without_sites(self) -> list:
        return [r.link.number for r in self.results if self.maps and r.complete is None]

    def errors(self) -> dict:
        """(method, route, percent) -> predicted minus measured, over the links that have both."""
        table = {}
        routes = self.method_routes() + [(m, TERRAIN_UNFLAGGED) for m, r in self.method_routes() if r == TERRAIN]
        for method, route in routes:
            results = [r for r in self.results if route != TERRAIN_UNFLAGGED or not r.near_horizons]
            used = TERRAIN if route == TERRAIN_UNFLAGGED else route
            for percent in PERCENTS:
                if method in LEGACY_METHODS and percent != 50:
                    continue
                table[(method, route, percent)] = [
                    r.prediction(method, used, percent) - r.link.measured_db[percent] for r in results
                    if percent in r.link.measured_db and r.prediction(method, used, percent) is not None]
        return table

    def points(self) -> list:
        """(method, route, measured, predicted) of every pair."""
        return [(m, rt, r.link.measured_db[p], r.prediction(m, rt, p)) for m, rt in self.method_routes()
                for r in self.results
                for p in PERCENTS if p in r.link.measured_db and r.prediction(m, rt, p) is not None]


def collect(links: list, maps: Optional[Path] = None) -> Collection:
    """With `maps`, the folder of the 14 maps, the complete P.2001 runs too."""
    c = Collection(maps=maps)
    for link in links:
        if link.measured_db:
            terrain = terrain_route(link)
            complete = complete_losses(link, terrain.masts_m, maps) if maps else None
            c.results.append(LinkResult(link, published_route(link), terrain, complete))
        else:
            c.unmeasured.append(link)
    return c
