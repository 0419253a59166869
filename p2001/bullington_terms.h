#pragma once

#include "p2001/bullington.h"

// Terms the Bullington passes and envelopes share (internal).
namespace tropolink::p2001 {

// The earth's bulge at d1 on a path of length d, curvature cp, m.
double bullingtonBulgeM(double cpPerKm, double d1Km, double dKm);

// ν/(clearance/sqrt(λ)) at a point d1 from the transmitter.
double bullingtonFresnelWeight(double d1Km, double dKm);

// The edge where the steepest rays from each end (slopes stim, srim) cross.
BullingtonPoint bullingtonCrossing(double htsM, double hrsM, double stim, double srim, double dKm);

}  // namespace tropolink::p2001
