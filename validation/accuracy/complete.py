"""The complete P.2001 (every mechanism) on the terrain route, where the ITU's 14 maps are at hand."""

from pathlib import Path
from typing import Optional

import numpy as np
import tropolink

from measured_links import PERCENTS, Link, read_profile

COMPLETE = "P.2001 complete"
# The 14 maps the complete method reads; the ITU's own, which may not be redistributed.
MAP_FILES = ("DN_Median.txt", "DN_SupSlope.txt", "DN_SubSlope.txt", "dndz_01.txt", "surfwv_50_fixed.txt", "h0.txt",
             "Esarain_Pr6_v5.txt", "Esarain_Mt_v5.txt", "Esarain_Beta_v5.txt", "FoEs0.1.txt", "FoEs01.txt",
             "FoEs10.txt", "FoEs50.txt", "TropoClim.txt")


def missing_maps(folder: Path) -> list:
    return [name for name in MAP_FILES if not (folder / name).is_file()]


def _longitude(degrees_east: float) -> float:
    """The databank counts 0 to 360 east; the maps take -180 to 180."""
    return degrees_east - 360 if degrees_east > 180 else degrees_east


def complete_losses(link: Link, masts_m: tuple, maps: Path) -> Optional[dict]:
    """percent -> Lb with station 1 transmitting; None for a link without both sites' coordinates."""
    if None in (link.tx.lat, link.tx.lon, link.rx.lat, link.rx.lon):
        return None
    d, h = read_profile(link.profile_path)
    r = tropolink.p2001_all(d, h, None, site1=(link.tx.lat, _longitude(link.tx.lon)),
                            site2=(link.rx.lat, _longitude(link.rx.lon)), frequency_mhz=link.f_mhz,
                            percent=np.array(PERCENTS, dtype=float), s1_mast_m=masts_m[0], s2_mast_m=masts_m[1],
                            s1_gain_dbi=link.tx.gain_dbi, s2_gain_dbi=link.rx.gain_dbi, maps=str(maps))
    return {p: float(lb) for p, lb in zip(PERCENTS, r["Lb"])}


def maps_paragraph(maps: Optional[Path], links_without_sites: list) -> str:
    if maps is None:
        return ("**The complete P.2001** (diffraction, ducting and layer reflection, troposcatter and sporadic-E "
                "together) needs the ITU's 14 digital maps, which may not be redistributed, so its rows are left "
                "out here. With the maps installed, `python3 validation/accuracy --maps DIR` adds them: the "
                f"terrain route, each link's own profile, as `{COMPLETE}`.\n")
    text = (f"**The complete P.2001** (`{COMPLETE}`, terrain route) read the maps in `{maps}`: "
            + ", ".join(f"`{name}`" for name in MAP_FILES) + ". Its loss is the one received at the link's Rx.")
    if links_without_sites:
        text += " Links without both sites' coordinates, left out of its rows: " + \
            ", ".join(str(n) for n in links_without_sites) + "."
    return text + "\n"
