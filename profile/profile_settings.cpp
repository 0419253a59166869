#include "profile/profile_settings.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "engine/constants.h"

namespace tropolink::profile {
namespace {

std::string stationName(Station s) { return s == Station::One ? "station 1" : "station 2"; }

// The slider position of `value`, or a ProfileError naming `row`.
int onGrid(double value, Slider slider, long row, const std::string& what, std::string_view unit,
           std::string_view grid) {
    const SliderSpec& range = sliderSpec(slider);
    const double rounded = roundToGrid(value);
    if (!(rounded >= range.minimum && rounded <= range.maximum)) {
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.6g", value);
        throw ProfileError(row, "", what + " " + shown + " " + std::string(unit) + " is out of range",
                           std::to_string(range.minimum) + " to " + std::to_string(range.maximum) + " " +
                               std::string(unit) + ", rounded to the " + std::string(grid));
    }
    return static_cast<int>(rounded);
}

// The pass replaces a zero height or distance by 0.001 km before it divides.
double asThePassSees(int onGridValue, double perKm) {
    return onGridValue == 0 ? kZeroReplacementKm : onGridValue / perKm;
}

StationSettings stationSettings(std::span<const ProfilePoint> points, Station station, double mastM) {
    const bool one = station == Station::One;
    const StationSliders& sliders = one ? kStation1Sliders : kStation2Sliders;
    const ProfilePoint& ground = one ? points.front() : points.back();
    const std::string name = stationName(station);
    StationSettings s;
    s.antennaHeightM = ground.heightM + mastM;
    s.antennaHeightOnGrid = onGrid(s.antennaHeightM, sliders.antennaHeight, ground.row,
                                   "the antenna of " + name + " (ground plus mast) at", "m asl", "metre");
    const auto horizon = findHorizon(points, station, s.antennaHeightM);
    if (!horizon)
        throw ProfileError(ground.row, "", "no point between the ends lies within 100 km of " + name,
                           "a profile point within 100 km of each station");
    s.horizon = *horizon;
    s.horizonRow = points[horizon->index].row;
    s.obstructionHeightOnGrid = onGrid(horizon->heightM, sliders.obstructionHeight, s.horizonRow,
                                       "the horizon of " + name + " at", "m asl", "metre");
    s.obstructionDistanceOnGrid = onGrid(horizon->distanceKm, sliders.obstructionDistance, s.horizonRow,
                                         "the horizon distance of " + name, "km", "km");
    s.angleOnGridMrad =
        elevationMrad(asThePassSees(s.antennaHeightOnGrid, 1000), asThePassSees(s.obstructionHeightOnGrid, 1000),
                      asThePassSees(s.obstructionDistanceOnGrid, 1));
    return s;
}

}  // namespace

std::optional<int> sliderPosition(const ProfileSettings& p, Slider slider) {
    if (slider == kPathDistanceSlider) return p.distanceOnGrid;
    for (const auto& [sliders, s] :
         {std::pair{kStation1Sliders, &p.station1}, std::pair{kStation2Sliders, &p.station2}}) {
        if (slider == sliders.antennaHeight) return s->antennaHeightOnGrid;
        if (slider == sliders.obstructionHeight) return s->obstructionHeightOnGrid;
        if (slider == sliders.obstructionDistance) return s->obstructionDistanceOnGrid;
    }
    return std::nullopt;
}

double roundToGrid(double value) { return std::round(std::round(value * 1e9) / 1e9); }

ProfileSettings deriveSettings(std::span<const ProfilePoint> points, double mast1M, double mast2M) {
    ProfileSettings p;
    p.station1 = stationSettings(points, Station::One, mast1M);
    p.station2 = stationSettings(points, Station::Two, mast2M);
    p.distanceKm = points.back().distanceKm;
    p.distanceOnGrid = onGrid(p.distanceKm, kPathDistanceSlider, points.back().row, "the path distance", "km", "km");
    return p;
}

}  // namespace tropolink::profile
