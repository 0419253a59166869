#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coverage/coverage_cells.h"
#include "coverage/p2001_method.h"
#include "coverage/troposcatter_method.h"
#include "coverage/coverage_options.h"

// A map as a front end asks for it, the command line's options or Python's
// arguments alike, and the one way to turn it into what the map runs with.
namespace tropolink::coverage {

struct CoverageRequest {
    GridRequest grid;
    std::optional<Sector> sector;
    std::vector<std::string> dems;  // files and folders of tiles, as given
    terrain::ProfileOptions profile;
    MethodChoice method = MethodChoice::P2001All;
    double frequencyMhz = 0;
    std::vector<double> percents;
    double mast1M = 0;
    double mast2M = 0;
    double gain1Dbi = 0;
    double gain2Dbi = 0;
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;  // P.2001's methods only
    BandQuantity quantity = basicTransmissionLoss();
    // The troposcatter methods' climate values and defaults; none: the maps,
    // else the defaults of `profile`.
    std::optional<ClimateRequest> climate;
};

// The maps the method reads: the 14 of the complete P.2001 for p2001-all,
// the climate maps (or none: options and defaults) for the others.
struct CoverageMaps {
    std::optional<P2001Maps> p2001;
    MapsInUse climate;
};

// The method's maps from the maps service: --maps, else the usual places.
// The 14 of p2001-all are required (climate::InstallError naming them and
// the folders looked in); the climate maps may be missing (none then).
// Throws climate::MapError for a map file the service refuses.
CoverageMaps findCoverageMaps(MethodChoice method, const std::optional<std::filesystem::path>& mapsOption);

// What a map runs with, and everything its setup points at.
struct PreparedCoverage {
    std::unique_ptr<terrain::DemSet> dems;
    std::unique_ptr<PathMethod> method;
    CoverageSetup setup;
};

// Checks every value against its option's range (InputError, naming the
// option as the command line spells it), opens the DEMs (terrain::TerrainError)
// and builds the method. Throws std::invalid_argument for p2001-all without
// its maps, which the front end finds and refuses first.
PreparedCoverage prepareCoverage(const CoverageRequest& request, CoverageMaps maps);

}  // namespace tropolink::coverage
