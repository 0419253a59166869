#include "cli/coverage_command.h"

#include "coverage/coverage_options.h"
#include "coverage/coverage_request.h"
#include "grammar/option_ranges.h"

namespace tropolink::cli {
namespace {

// Kept as given, even empty: runCoverageCommand reads and checks it.
CLI::Option* text(CLI::App* sub, const std::string& name, std::optional<std::string>& value, const std::string& what,
                  const std::string& type) {
    return sub->add_option_function<std::string>(
                  name, [&value](const std::string& given) { value = given; }, what)
        ->type_name(type);
}

CLI::Option* number(CLI::App* sub, const NumberOption& option, std::optional<std::string>& value) {
    std::string help = optionHelp(option);
    help.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(help.front())));
    return text(sub, std::string(option.name), value, help, std::string(option.valueName));
}

}  // namespace

CLI::App* addCoverageCommand(CLI::App& app, CoverageCommandRequest& r) {
    auto* sub = app.add_subcommand("coverage", "The loss from one site to every cell around it, as a GeoTIFF map");
    text(sub, "--site", r.site, "Station 1, the transmitter, in decimal degrees: the map's centre", "LAT,LON");
    number(sub, coverage::kRadiusOption, r.radiusKm);
    number(sub, coverage::kCellOption, r.cellM);
    sub->add_option("--dem", r.dems, "Elevation raster or folder of SRTM tiles (repeatable)")
        ->type_name("PATH")
        ->allow_extra_args(false);
    number(sub, coverage::kFrequencyOption, r.frequencyMhz);
    sub->add_option(std::string(kPercentOption.name), r.percents,
                    "Percentage of the year, " + allowedValues(kPercentOption) + ", a band each (repeatable)")
        ->type_name(std::string(kPercentOption.valueName))
        ->allow_extra_args(false);
    number(sub, kMast1Option, r.mast1M);
    number(sub, kMast2Option, r.mast2M);
    number(sub, coverage::kGain1Option, r.gain1Dbi);
    number(sub, coverage::kGain2Option, r.gain2Dbi);
    text(sub, "--polarisation", r.polarisation, "P.2001's methods: vertical or horizontal (default vertical)",
         "vertical|horizontal");
    text(sub, "--method", r.method, "The propagation method (default p2001-all)", "p2001-all|p617|p2001-troposcatter");
    text(sub, "--sector", r.sector, "Only the cells within WIDTH degrees centred on AZIMUTH from north",
         "AZIMUTH,WIDTH");
    text(sub, "--maps", r.maps, "The ITU-R maps' folder", "DIR");
    number(sub, kStepOption, r.stepM);
    sub->add_flag("--sea-where-missing", r.seaWhereMissingCount, "Ground no DEM holds is sea, 0 m");
    sub->add_flag("--fill-voids", r.fillVoidsCount, "Voids filled along each path");
    text(sub, "--plan", r.plan,
         "A link plan: its station 1 is the site, its station 2 stands in every cell, and the bands are the S/N "
         "margin over its requirement at its percentages; an option it also gives must agree with it, but --dem "
         "and --maps say where to read the ground and the maps",
         "FILE");
    text(sub, "--out", r.out, "The GeoTIFF to write: Lb in dB (with --plan the S/N margin), a float32 band per percentage",
         "FILE.tif");
    text(sub, "--png", r.png, "Also a coloured picture with its legend, of the first percentage (with --plan, of its availability percentage)", "FILE.png");
    text(sub, "--kml", r.kmz, "Also a KMZ with that picture as a GroundOverlay, for Google Earth", "FILE.kmz");
    text(sub, "--jobs", r.jobs, "Workers (default: one per online processor); the map is the same for any", "N");
    sub->footer(
        "Each cell is one path from the site to the cell's centre, its profile the DEM route of `profile --from "
        "--to --dem`. Cells beyond the radius, within 1 km of the site, outside the sector, off every DEM, or whose "
        "path meets a gap no option fills are nodata, and counted. Ctrl-C stops the map and leaves no file.");
    return sub;
}

}  // namespace tropolink::cli
