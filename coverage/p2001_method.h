#pragma once

#include <string>
#include <vector>

#include "coverage/path_method.h"
#include "p2001/map_lookups.h"
#include "p2001/path_input.h"

// The complete ITU-R P.2001 method over one path of the map.
namespace tropolink::coverage {

struct P2001Settings {
    double frequencyMhz = 0;
    std::vector<double> percents{};
    double mast1M = 0;  // above the ground at each end
    double mast2M = 0;
    double gain1Dbi = 0;  // towards the other station
    double gain2Dbi = 0;
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;
};

struct P2001Maps {
    p2001::MapReader read;
    std::string source;  // where the values come from, for the metadata: a folder, "constants"
};

// The method's path: the profile's distances and heights, the zone of each
// point by p2001::profileZones, and the two terminals at the sites.
p2001::PathInput p2001PathInput(const CellPath& path, const P2001Settings& settings);

// "p2001-all": Lb of every row the method computes; none where it refuses
// the row, or the path lies outside its domain (too few points, say).
class P2001Method : public PathMethod {
public:
    // Throws p2001::InputError for a frequency, percentage or mast outside
    // the method's domain, so that no path is refused for them.
    P2001Method(P2001Settings settings, P2001Maps maps);

    std::string name() const override { return std::string(itur::methodNames(itur::ItuMethod::P2001All).cli); }
    itur::ItuMethod ituMethod() const override { return itur::ItuMethod::P2001All; }
    const std::vector<double>& percents() const override { return settings_.percents; }
    void losses(const CellPath& path, std::span<std::optional<double>> lossDb) const override;
    std::vector<MetadataItem> metadata() const override;

private:
    P2001Settings settings_;
    P2001Maps maps_;
    double frequencyGhz_ = 0;
};

}  // namespace tropolink::coverage
