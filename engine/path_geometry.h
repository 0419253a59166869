#pragma once

#include "engine/constants.h"
#include "engine/link_parameters.h"

namespace tropolink {

struct StationGeometry {
    double horizonDistance = 0;   // km, to the smooth-earth radio horizon
    double horizonAngle = 0;      // degrees, always negative
    double obstructionAngle = 0;  // degrees, ray grazing the obstruction top
    double takeOffAngle = 0;      // degrees, the one the loss models use
    bool horizonLimited = false;
};

struct PathGeometry {
    StationGeometry station1;
    StationGeometry station2;
    double effectiveEarthRadius = 0;  // km
    double angularDistance = 0;       // degrees
    double scatteringAngle = 0;       // degrees, signed
    bool lineOfSight = false;         // scatteringAngle <= 0
};

// Heights and obstruction distances of exactly 0 become 0.001 km, in the
// record itself, so that every later stage divides and takes roots safely.
void replaceZeroDistances(LinkParameters& params);

// Expects replaceZeroDistances to have run.
PathGeometry computePathGeometry(const LinkParameters& params);

}  // namespace tropolink
