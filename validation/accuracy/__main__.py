"""How accurate each method is against the measured links of DBSG3 table C3-1.

    python3 validation/accuracy            writes docs/accuracy.md and docs/accuracy.svg
    python3 validation/accuracy --check    recomputes the statistics and compares them with docs/accuracy.md
    --maps DIR                             adds the complete P.2001, read from the 14 maps in DIR

The built module `tropolink` must be importable (PYTHONPATH=build/python).
"""

import argparse
import sys
from pathlib import Path

from collect import collect
from complete import missing_maps
from measured_links import read_links
from page import compare_stats, read_stats
from picture import picture_svg
from reading import accuracy_page
from report import PICTURE
from error_stats import all_stats

DOCS = Path(__file__).resolve().parent.parent.parent / "docs"


def main(argv: list) -> int:
    parser = argparse.ArgumentParser(prog="validation/accuracy", description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the page instead of writing it")
    parser.add_argument("--page", type=Path, default=DOCS / "accuracy.md", help="the page (default: docs/accuracy.md)")
    parser.add_argument("--maps", type=Path, help="the folder of the ITU's 14 maps: adds the complete P.2001's rows")
    args = parser.parse_args(argv)
    if args.maps is not None and missing_maps(args.maps):
        print(f"{args.maps}: no {missing_maps(args.maps)[0]} (allowed: a folder holding the 14 maps of the complete "
              "P.2001)", file=sys.stderr)
        return 2
    c = collect(read_links(), args.maps)
    stats = all_stats(c.errors())
    if args.check:
        problems = compare_stats(stats, read_stats(args.page.read_text()))
        for p in problems:
            print(f"{args.page}: {p}", file=sys.stderr)
        if not problems:
            print(f"{args.page}: {len(stats)} rows of statistics agree to 0.01 dB")
        return 1 if problems else 0
    args.page.write_text(accuracy_page(c, stats))
    (args.page.parent / PICTURE).write_text(picture_svg(c.points()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
