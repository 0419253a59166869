#include "cli/coverage_run.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <memory>

#include "batch/jobs_option.h"
#include "cli/output_paths.h"
#include "climate/maps_service.h"
#include "link/profile_answer.h"
#include "climate/map_error.h"
#include "coverage/coverage_request.h"
#include "coverage/plan_coverage.h"
#include "link/pass_window.h"
#include "coverage/summary_text.h"
#include "coverage_picture/qt_pictures.h"
#include "grammar/input_error.h"
#include "p2001/input_check.h"
#include "terrain/terrain_error.h"

namespace tropolink::cli {
namespace {

using namespace coverage;

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted.store(true); }

// Ctrl-C sets the stop flag while the map runs, instead of ending the
// process with temporary files behind.
class InterruptStops {
public:
    InterruptStops() {
        interrupted = false;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &old_);
    }
    ~InterruptStops() { ::sigaction(SIGINT, &old_, nullptr); }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    struct sigaction old_ {};
};

const std::string& required(const std::optional<std::string>& text, std::string_view option, std::string_view allowed) {
    if (!text) throw InputError(option, "not given", allowed);
    return *text;
}

double optionValue(const NumberOption& option, const std::optional<std::string>& text) {
    return readNumberOption(option, required(text, option.name, allowedValues(option)));
}

// With a plan, the options it gives may be left out, and those given must agree with it.
CoverageRequest readRequest(const CoverageCommandRequest& r, const std::optional<PlanCoverage>& plan) {
    CoverageRequest q;
    std::vector<GivenField> given;
    // Whether to read the option: given, or needed without a plan.
    const auto read = [&](bool isGiven, PlanField field, std::string_view name) {
        if (isGiven) given.push_back({field, std::string(name)});
        return isGiven || !plan;
    };
    if (read(r.site.has_value(), PlanField::Site, "--site"))
        q.grid.site = parseCoverageSite(required(r.site, "--site", "LAT,LON in decimal degrees"));
    q.grid.radiusKm = optionValue(kRadiusOption, r.radiusKm);
    q.grid.cellM = optionValue(kCellOption, r.cellM);
    if (r.sector) q.sector = parseSector(*r.sector);
    q.dems = r.dems;
    if (!r.dems.empty()) given.push_back({PlanField::Dems, "--dem"});
    refuseRepeatedFlag(r.seaWhereMissingCount, "--sea-where-missing");
    refuseRepeatedFlag(r.fillVoidsCount, "--fill-voids");
    if (read(r.stepM.has_value(), PlanField::Step, "--step-m") && r.stepM)
        q.profile.stepM = readNumberOption(kStepOption, *r.stepM);
    q.profile.seaWhereMissing = r.seaWhereMissingCount > 0;
    q.profile.fillVoids = r.fillVoidsCount > 0;
    read(q.profile.seaWhereMissing, PlanField::SeaWhereMissing, "--sea-where-missing");
    read(q.profile.fillVoids, PlanField::FillVoids, "--fill-voids");
    if (r.method) q.method = parseMethod(*r.method);
    if (read(r.frequencyMhz.has_value(), PlanField::Frequency, kFrequencyOption.name))
        q.frequencyMhz = optionValue(kFrequencyOption, r.frequencyMhz);
    if (r.percents.empty() && !plan) throw InputError(kPercentOption.name, "not given", allowedValues(kPercentOption));
    for (const std::string& p : r.percents) q.percents.push_back(readNumberOption(kPercentOption, p));
    if (read(r.mast1M.has_value(), PlanField::Mast1, kMast1Option.name)) q.mast1M = optionValue(kMast1Option, r.mast1M);
    if (read(r.mast2M.has_value(), PlanField::Mast2, kMast2Option.name)) q.mast2M = optionValue(kMast2Option, r.mast2M);
    if (read(r.gain1Dbi.has_value(), PlanField::Gain1, kGain1Option.name) && r.gain1Dbi)
        q.gain1Dbi = readNumberOption(kGain1Option, *r.gain1Dbi);
    if (read(r.gain2Dbi.has_value(), PlanField::Gain2, kGain2Option.name) && r.gain2Dbi)
        q.gain2Dbi = readNumberOption(kGain2Option, *r.gain2Dbi);
    if (r.polarisation) {
        if (q.method != MethodChoice::P2001All && q.method != MethodChoice::P2001Troposcatter)
            throw InputError("--polarisation", "given with --method p617", "--polarisation with P.2001's methods");
        q.polarisation = parsePolarisation(*r.polarisation);
        given.push_back({PlanField::Polarisation, "--polarisation"});
    }
    return plan ? withPlan(*plan, q, !r.percents.empty(), given) : q;
}

CoverageOutputs readOutputs(const CoverageCommandRequest& r) {
    checkOutputPaths({{"--out", r.out}, {"--png", r.png}, {"--kml", r.kmz}});
    for (const auto& [option, path] : {std::pair{"--out", &r.out}, std::pair{"--png", &r.png}, std::pair{"--kml", &r.kmz}})
        if (path->has_value() && **path == kStandardOutputPath)
            throw InputError(std::string(option) + "=-", "standard output", "a file name: the map is written whole");
    CoverageOutputs o;
    o.geotiff = required(r.out, "--out", "FILE.tif, the GeoTIFF to write");
    o.png = r.png;
    o.kmz = r.kmz;
    return o;
}

// The files are made and removed at once: one that cannot be written is a
// refusal of the command line, before any work.
void probeOutputs(const CoverageCommandRequest& r) {
    StagedFiles probe;
    for (const auto& [option, path] : {std::pair{"--out", &r.out}, std::pair{"--png", &r.png}, std::pair{"--kml", &r.kmz}})
        if (path->has_value())
            if (auto failed = probe.reserve(**path))
                throw InputError(std::string(option) + " " + **path, "cannot be written: " + failed->why(),
                                 "a new or regular file in a folder that can be written");
}


void showProgress(const CoverageProgress& p) {
    std::cerr << "\r\033[K" << progressLine(p) << std::flush;
}

}  // namespace

RunResult runCoverageCommand(const CoverageCommandRequest& r, Output& out) {
    CoverageRequest request;
    CoverageOutputs outputs;
    int jobs = 1;
    PreparedCoverage prepared;
    bool withoutClimateMaps = false;
    try {
        std::optional<PlanCoverage> plan;
        if (r.plan) plan = readPlanCoverage(*r.plan, "--plan");
        request = readRequest(r, plan);
        outputs = readOutputs(r);
        outputs.demInputs = request.dems;
        if (plan) outputs.pictureBand = pictureBand(*plan, request.percents);
        jobs = jobsOrDefault(r.jobs);
        probeOutputs(r);
        const std::optional<std::filesystem::path> mapsOption =
            r.maps ? std::optional<std::filesystem::path>(*r.maps) : std::nullopt;
        CoverageMaps maps = findCoverageMaps(request.method, mapsOption);
        withoutClimateMaps = request.method != MethodChoice::P2001All && !maps.climate;
        prepared = prepareCoverage(request, std::move(maps));
        refuseSetup(prepared.setup, {.jobs = jobs});
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const terrain::TerrainError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const p2001::InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const climate::MapError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const climate::InstallError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const PlanError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const NumericFault& e) {
        return {kExitBadInput, diagnostic(numericFaultMessage(e))};
    }

    // Said once nothing is refused, so that a refusal stays one line.
    if (withoutClimateMaps) std::cerr << diagnostic(kMissingMapsNote) << '\n';
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    std::unique_ptr<QtPictureRenderer> pictures;
    if (outputs.png || outputs.kmz) pictures = std::make_unique<QtPictureRenderer>();
    const InterruptStops interrupt;
    RunControl control{.jobs = jobs, .stop = &interrupted, .pictures = pictures.get()};
    if (terminal) control.progress = showProgress;
    CoverageSummary summary;
    try {
        summary = runCoverage(prepared.setup, outputs, control);
        if (terminal) std::cerr << "\r\033[K" << std::flush;
    } catch (const CoverageStopped& e) {
        if (terminal) std::cerr << '\n';
        return {kExitInterrupted, diagnostic(e.what())};
    } catch (const WriteError& e) {
        if (terminal) std::cerr << '\n';
        return failedWrite(e.failure());
    } catch (const terrain::TerrainError& e) {
        if (terminal) std::cerr << '\n';
        return {kExitBadInput, diagnostic(e.what())};
    }
    for (const std::string& line : summaryLines(summary)) out.buffer() += line + "\n";
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    return {};
}

}  // namespace tropolink::cli
