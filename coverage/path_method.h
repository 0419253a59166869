#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "itur/method_names.h"
#include "terrain/path_profile.h"
#include "terrain/site.h"

// A propagation method as the map runs it: one path, from the site to a
// cell's centre, gives the basic transmission loss at each percentage.
namespace tropolink::coverage {

// One path: station 1 (the transmitter) at the site, station 2 at the cell's
// centre, and the ground between them as the DEM route gives it.
struct CellPath {
    terrain::Site site1;
    terrain::Site site2;
    const terrain::PathProfile& profile;
};

// A name and its value, for the map's metadata.
using MetadataItem = std::pair<std::string, std::string>;

class PathMethod {
public:
    virtual ~PathMethod() = default;

    // The method's name as the command line gives it: "p2001-all", "p617".
    virtual std::string name() const = 0;
    // Which method it is, for the words of itur::methodNames.
    virtual itur::ItuMethod ituMethod() const = 0;
    // The percentages of the year, in band order.
    virtual const std::vector<double>& percents() const = 0;
    // Lb in dB at each percentage; none where the method gives no figure.
    // `lossDb` holds one entry per percentage. Called from many threads at once.
    virtual void losses(const CellPath& path, std::span<std::optional<double>> lossDb) const = 0;
    // What the method was run with: frequency, heights, gains, maps.
    virtual std::vector<MetadataItem> metadata() const = 0;
};

}  // namespace tropolink::coverage
