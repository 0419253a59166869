#pragma once

#include <string>
#include <vector>

#include "coverage/colour_scale.h"
#include "coverage/coverage_tiff.h"
#include "terrain/site.h"

// What a picture of the map shows, and the interface of whatever draws it:
// drawing text needs a GUI toolkit, which the map's computation does without.
namespace tropolink::coverage {

struct PictureInput {
    BandPicture band;  // north row first, NaN for nodata
    double westDeg = 0;
    double eastDeg = 0;  // may pass 180
    double southDeg = 0;
    double northDeg = 0;
    double widthKm = 0;   // east to west along the site's parallel
    double heightKm = 0;  // north to south along its meridian
    terrain::Site site;
    ColourScale scale;
    std::string title;               // "Lb not exceeded for 99.9 % of the year"
    std::vector<std::string> lines;  // what it was computed with, a line each
    std::vector<std::string> nodataLines;  // the nodata cells by kind, with their counts
};

struct Pictures {
    std::string png;         // the picture: the map, its scale with the legend, titles
    std::string overlayPng;  // the map alone, a pixel a cell, nodata transparent: for a GroundOverlay
    std::string legendPng;   // the scale and legend alone: for a ScreenOverlay
};

class PictureRenderer {
public:
    virtual ~PictureRenderer() = default;
    // Throws std::runtime_error with one line when it cannot draw.
    virtual Pictures render(const PictureInput& input) = 0;
};

// A KMZ for Google Earth: the map as a GroundOverlay over its cells' bounds,
// the legend as a ScreenOverlay in a corner and the site as a placemark.
// The same input gives the same bytes. Throws WriteError naming `shownPath`.
void writeKmz(const std::string& path, const std::string& shownPath, const PictureInput& input,
              const Pictures& pictures);

}  // namespace tropolink::coverage
