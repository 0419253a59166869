#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "itur/availability.h"

// What the map's bands hold, from each cell's loss: the loss itself, or with
// a link budget the S/N margin over the requirement.
namespace tropolink::coverage {

struct BandQuantity {
    std::string name;  // "Lb", "S/N margin", in titles and the metadata
    std::string unit = "dB";
    bool higherIsBetter = false;  // the picture gives the better end the brighter colour
    std::optional<double> limit;  // where the link just meets its requirement; none without a budget
    // The band's value from Lb (dB) at the band's percentage.
    std::function<double(double lossDb, std::size_t band)> fromLoss;
    // What the values rest on beyond the loss, for the GeoTIFF's metadata and
    // a line of the picture; empty for the loss itself.
    std::vector<std::pair<std::string, std::string>> metadata;
    std::string source;
};

// The basic transmission loss, as the method gives it; no limit.
BandQuantity basicTransmissionLoss();

// The S/N at station 2 (the cell) less the requirement: S/N = EIRP of
// station 1 − Lb − sensitivity of station 2. The limit is 0 dB.
BandQuantity snrMargin(double eirp1Dbw, double sensitivity2Dbw, double requiredSnrDb);

}  // namespace tropolink::coverage
