"""Checks the picture of `tropolink-cli sweep`: well-formed XML with the title,
the subtitle, seven path-loss curves with their legend, five signal-to-noise
curves per station and the shaded line-of-sight region.

Usage: check_sweep_svg.py TROPOLINK_CLI
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
METHODS = ["Yeh", "ITT", "CCIR", "Collins", "Rider"]
LOSS_SERIES = METHODS + ["Free space (line of sight)", "Perfect duct"]


def sweep_picture(cli, directory, *args):
    path = os.path.join(directory, "sweep.svg")
    subprocess.run([cli, "sweep", *args, "--svg", path], check=True)
    return ET.parse(path).getroot()  # raises on anything that is not well-formed


def group(root, group_id):
    found = root.find(f".//{SVG}g[@id='{group_id}']")
    assert found is not None, f"no group {group_id}"
    return found


def series_labels(panel):
    return [p.get("data-series") for p in panel.iter(f"{SVG}path")]


def texts(element):
    return ["".join(t.itertext()) for t in element.iter(f"{SVG}text")]


def check_distance_sweep(root):
    assert root.tag == f"{SVG}svg"
    assert "Path loss and signal-to-noise against distance-km" in texts(root)
    assert "Every other setting at its start position" in texts(root)
    loss = group(root, "path-loss")
    assert series_labels(loss) == LOSS_SERIES, series_labels(loss)
    assert all(p.get("d") for p in loss.iter(f"{SVG}path")), "a loss curve with no points"
    assert "distance-km (km)" in texts(loss)
    assert "line of sight" in texts(loss)
    assert loss.find(f".//{SVG}rect[@class='line-of-sight']") is not None
    legend = group(root, "legend")
    assert series_labels(legend) == LOSS_SERIES, series_labels(legend)
    for label in LOSS_SERIES:
        assert label in texts(legend), label
    styles = {(p.get("stroke"), p.get("stroke-dasharray")) for p in legend.iter(f"{SVG}path")}
    assert len(styles) == len(LOSS_SERIES), "two curves look alike"
    for station in ("signal-to-noise-1", "signal-to-noise-2"):
        assert series_labels(group(root, station)) == METHODS, station


def check_itu_curves(root):
    itu = ["P.617 99.9 %", "P.2001 troposcatter 99.9 %", "P.617 50 %", "P.2001 troposcatter 50 %"]
    loss = group(root, "path-loss")
    assert series_labels(loss) == LOSS_SERIES + itu, series_labels(loss)
    assert all(p.get("d") for p in loss.iter(f"{SVG}path")), "a loss curve with no points"
    legend = group(root, "legend")
    styles = {(p.get("stroke"), p.get("stroke-dasharray")) for p in legend.iter(f"{SVG}path")}
    assert len(styles) == len(LOSS_SERIES + itu), "two curves look alike"
    for label in itu:
        assert label in texts(legend), label
    for station in ("signal-to-noise-1", "signal-to-noise-2"):
        assert series_labels(group(root, station)) == METHODS + itu, station


def check_availability_panel(root):
    panel = group(root, "availability")
    stations = [f"{m} at station {s}" for m in ("P.617", "P.2001 troposcatter") for s in (1, 2)]
    assert series_labels(panel) == stations, series_labels(panel)
    assert any(p.get("d") for p in panel.iter(f"{SVG}path")), "no availability curve"
    assert any(t.startswith("Availability (% of the year)") for t in texts(panel)), texts(panel)
    assert "(climate zone 2, delta-N 50);" in texts(group(root, "legend")), texts(group(root, "legend"))
    assert series_labels(group(root, "availability-legend")) == stations, "no keys beside the availability panel"


def check_log_x(root):
    labels = [t.get("y") and "".join(t.itertext()) for t in group(root, "path-loss").iter(f"{SVG}text")
              if t.get("text-anchor") == "middle" and t.get("font-size") is None]
    assert labels == ["100", "1000", "10000"], labels


def check_subtitle_and_unit(root):
    subtitle = [t for t in texts(root) if t.startswith("Settings that differ")]
    assert subtitle == ["Settings that differ from the start positions: frequency-mhz=1000, power-div-1000"], subtitle
    assert "s2.tx-power (mW)" in texts(group(root, "path-loss"))


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as directory:
        check_distance_sweep(sweep_picture(cli, directory, "distance-km=1:2000"))
        check_itu_curves(sweep_picture(cli, directory, "distance-km=1:2000:7", "--percent", "99.9", "--percent", "50"))
        check_availability_panel(
            sweep_picture(cli, directory, "distance-km=100:600:10", "--percent", "99", "--required-snr", "5",
                          "--delta-n", "50", "--climate-zone", "2"))
        check_log_x(sweep_picture(cli, directory, "frequency-mhz=50:25000:50", "--log-x"))
        check_subtitle_and_unit(
            sweep_picture(cli, directory, "s2.tx-power=0.1:1500:10", "--set", "frequency-mhz=1000",
                          "--power-div-1000"))
    print("sweep picture: ok")


if __name__ == "__main__":
    main()
