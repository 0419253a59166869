#include "cli/p2001_all_run.h"

#include <filesystem>
#include <utility>

#include "cli/output_paths.h"
#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "ground/ground.h"
#include "p2001/input_check.h"
#include "profile/profile_file.h"
#include "report/p2001_all_report.h"
#include "terrain/terrain_error.h"

namespace tropolink::cli {
namespace {

constexpr NumberOption kFrequencyOption{.name = "--frequency-mhz",
                                        .valueName = "F",
                                        .meaning = "frequency",
                                        .unit = "MHz",
                                        .minimum = "30",
                                        .maximum = "50000"};
constexpr NumberOption kMethodPercentOption{.name = "--percent",
                                            .valueName = "P",
                                            .meaning = "% of an average year for which Lb is not exceeded",
                                            .minimum = "0",
                                            .maximum = "100",
                                            .boundsExcluded = true};
constexpr NumberOption kAntennaOptions[] = {
    {.name = "--s1-mast-m", .valueName = "M", .meaning = "antenna 1 above its ground", .unit = "m", .minimum = "0",
     .maximum = "10000", .boundsExcluded = true},
    {.name = "--s2-mast-m", .valueName = "M", .meaning = "antenna 2 above its ground", .unit = "m", .minimum = "0",
     .maximum = "10000", .boundsExcluded = true},
    {.name = "--s1-gain-dbi", .valueName = "DBI", .meaning = "antenna 1's gain towards station 2", .unit = "dBi",
     .minimum = "-50", .maximum = "100"},
    {.name = "--s2-gain-dbi", .valueName = "DBI", .meaning = "antenna 2's gain towards station 1", .unit = "dBi",
     .minimum = "-50", .maximum = "100"},
};
constexpr std::size_t kMaxPercents = 1000;
constexpr std::string_view kDefaultPercents[] = {"50", "90", "99", "99.9", "99.99"};

std::vector<double> readValues(const NumberOption& option, const std::vector<std::string>& texts) {
    std::vector<double> values;
    for (const std::string& text : texts) values.push_back(readNumberOption(option, text));
    return values;
}

P2001AllSettings checkSettings(const P2001AllRequest& r) {
    if (r.frequencies.empty())
        throw InputError("--frequency-mhz", "not given", "--frequency-mhz F..., " + allowedValues(kFrequencyOption));
    if (r.percents.size() > kMaxPercents)
        throw InputError("--percent", std::to_string(r.percents.size()) + " values",
                         "at most " + std::to_string(kMaxPercents) + " percentages");
    P2001AllSettings s;
    s.frequencyMhz = readValues(kFrequencyOption, r.frequencies);
    if (r.percents.empty())
        for (const std::string_view p : kDefaultPercents) s.percents.push_back(readNumberOption(kMethodPercentOption, p));
    else
        s.percents = readValues(kMethodPercentOption, r.percents);
    s.mast1M = readNumberOption(kAntennaOptions[0], r.mast1);
    s.mast2M = readNumberOption(kAntennaOptions[1], r.mast2);
    s.gain1Dbi = readNumberOption(kAntennaOptions[2], r.gain1);
    s.gain2Dbi = readNumberOption(kAntennaOptions[3], r.gain2);
    if (r.polarisation == "horizontal")
        s.polarisation = p2001::Polarisation::Horizontal;
    else if (r.polarisation != "vertical")
        throw InputError("--polarisation " + r.polarisation, "not a polarisation", "vertical or horizontal");
    return s;
}

// The Profile column of a DEM path: the rasters and the two sites as given.
std::string demRouteName(const SiteArguments& a) {
    std::string name = "DEM";
    for (const std::string& dem : a.dems) name += " " + std::filesystem::path(dem).filename().string();
    return name + " from " + a.from.value_or("") + " to " + a.to.value_or("");
}

RunResult badInput(std::string_view message) { return {kExitBadInput, diagnostic(message)}; }

}  // namespace

RunResult runP2001All(const P2001AllRequest& request, Output& out) {
    const SiteArguments& sa = request.sites;
    P2001AllSettings settings;
    SiteOptions siteOptions;
    try {
        refuseRepeatedFlag(request.jsonCount, "--json");
        refuseRepeatedFlag(request.csvCount, "--csv");
        if (request.jsonCount > 0 && request.csvCount > 0)
            throw InputError("--csv", "given with --json", "--json or --csv, or neither for the text");
        if (!sa.from || !sa.to)
            throw InputError(sa.from ? "--to" : "--from", "not given",
                             "--from LAT,LON and --to LAT,LON: the method reads its maps along the path");
        siteOptions = checkSiteArguments(sa, request.file);
        settings = checkSettings(request);
    } catch (const InputError& e) {
        return badInput(e.what());
    } catch (const terrain::TerrainError& e) {
        return badInput(e.what());
    }

    Ground ground;
    try {
        ground = readGround({sa.dems, request.file, siteOptions.sites, siteOptions.profile, true});
    } catch (const GroundError& e) {
        return badInput(e.what());
    } catch (const std::system_error& e) {
        const bool standardInput = request.file && *request.file == "-";
        return {standardInput ? kExitIoError : kExitBadInput, diagnostic(e.what())};
    }
    const std::string name = request.file ? profile::profileFileName(*request.file) : demRouteName(sa);
    if (ground.points.size() <= kP2001AllMinPointsExclusive)
        return badInput(name + ": " + std::to_string(ground.points.size()) + " points (allowed: more than " +
                        std::to_string(kP2001AllMinPointsExclusive) + " points, as the complete P.2001 needs" +
                        (request.file ? std::string(")") : std::string("; a smaller --step-m gives more)")));

    P2001AllMaps maps;
    if (RunResult loaded = loadP2001AllMaps(sa.maps, maps); loaded.exitStatus != kExitOk) return loaded;

    P2001AllPath path;
    std::vector<p2001::Row> rows;
    try {
        const PathZones zones = pathZones(ground.points);
        const auto& [site1, site2] = *siteOptions.sites;
        p2001::PathInput input = p2001AllInput(ground.points, zones.zone, site1, site2, settings);
        path.name = !request.file ? name
                    : *request.file == "-" ? std::string("standard input")
                                           : std::filesystem::path(*request.file).filename().string();
        path.zoneSource = zones.source;
        path.mapValues = readP2001MapValues(input, maps.read);
        path.mapsSource = maps.source;
        path.path = p2001::preparePath(std::move(input), collectMapValues(path.mapValues));
        rows = p2001AllRows(path.path, settings);
    } catch (const p2001::InputError& e) {
        return badInput(name + ": " + e.what());
    }

    if (request.csvCount > 0)
        appendP2001AllCsv(out.buffer(), path, rows);
    else if (request.jsonCount > 0)
        out.buffer() += p2001AllJson(path, rows);
    else
        appendP2001AllText(out.buffer(), path, rows);
    return writeOutputs({}, {}, out);
}

}  // namespace tropolink::cli
