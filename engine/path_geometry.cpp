#include "engine/path_geometry.h"

#include <cmath>

#include "engine/constants.h"
#include "engine/obstruction_angle.h"

namespace tropolink {
namespace {

constexpr double kTwiceHorizonRadiusKm = 16950;  // horizon distance: √(2 × 8475 × h)
constexpr double kHorizonRadiusKm = 8475;
constexpr double kDegreesPerRadianHorizon = 180 / 3.14159;

void replaceZero(double& value) {
    if (value == 0) value = kZeroReplacementKm;
}

StationGeometry stationGeometry(const StationParameters& s, double effectiveEarthRadius) {
    StationGeometry g;
    g.horizonDistance = std::sqrt(kTwiceHorizonRadiusKm * s.antennaHeight);
    g.horizonAngle = -(g.horizonDistance / kHorizonRadiusKm) * kDegreesPerRadianHorizon;
    g.obstructionAngle =
        obstructionAngleRad(s.antennaHeight, s.obstructionHeight, s.obstructionDistance, effectiveEarthRadius) *
        kDegreesPerRadian;
    g.horizonLimited = g.obstructionAngle <= g.horizonAngle;
    g.takeOffAngle = g.horizonLimited ? g.horizonAngle : g.obstructionAngle;
    return g;
}

}  // namespace

void replaceZeroDistances(LinkParameters& params) {
    for (StationParameters* s : {&params.station1, &params.station2}) {
        replaceZero(s->obstructionDistance);
        replaceZero(s->antennaHeight);
        replaceZero(s->obstructionHeight);
    }
}

PathGeometry computePathGeometry(const LinkParameters& params) {
    PathGeometry g;
    g.effectiveEarthRadius = kEffectiveEarthRadiusKm;
    g.angularDistance = (params.distance / g.effectiveEarthRadius) * kDegreesPerRadian;
    g.station1 = stationGeometry(params.station1, g.effectiveEarthRadius);
    g.station2 = stationGeometry(params.station2, g.effectiveEarthRadius);
    g.scatteringAngle = (g.angularDistance + g.station1.takeOffAngle) + g.station2.takeOffAngle;
    g.lineOfSight = g.scatteringAngle <= 0;
    return g;
}

}  // namespace tropolink
