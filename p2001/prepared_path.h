#pragma once

#include <string>

#include "p2001/anomalous.h"
#include "p2001/bullington.h"
#include "p2001/clear_air.h"
#include "p2001/gases.h"
#include "p2001/path_geometry.h"
#include "p2001/path_input.h"
#include "p2001/rain.h"
#include "p2001/sporadic_e.h"
#include "p2001/troposcatter.h"

// The method in three stages, so that a table of many frequencies and
// percentages for one path repeats no work: what depends on the path alone
// (PreparedPath), then on the frequency (FrequencyTerms), then on the
// percentage (PercentTerms). row_evaluation.h combines them into rows.
namespace tropolink::p2001 {

struct PreparedPath {
    PathInput input;
    MapValues maps;
    PathGeometry geometry;
    int zone = 0;  // troposcatter climate zone after the fallback
    ScatterPath scatter;
    DuctingPath duct;
    SporadicEPath sporadicE;
    RainSegment surfaceRain;  // the three rain paths' heights, lengths and inclinations
    RainSegment txRain;
    RainSegment rxRain;
    unsigned notes = 0;   // Note flags that hold for every row
    std::string refusal;  // where the method has no value on this path: every row is refused
};

// Throws InputError unless the path and the map values lie in the method's domain.
PreparedPath preparePath(PathInput path, const MapValues& maps);

struct FrequencyTerms {
    double fGhz = 0;
    double lambdaM = 0;
    double freeSpaceDb = 0;
    SpecificAttenuation surfaceGamma;  // at the mid-point
    GasLoss surfaceGas;
    GasLoss txSegmentGas;
    GasLoss rxSegmentGas;
    double q0caPercent = 0;
    RainPath surfaceRain;
    RainPath txRain;
    RainPath rxRain;
    AnomalousCoupling anomalous;
    double y90Db = 0;
};

// Throws InputError outside 0.03 to 50 GHz.
FrequencyTerms frequencyTerms(const PreparedPath& path, double fGhz);

struct PercentTerms {
    double tpc = 0;
    double p = 0;  // limited percentages, not exceeded and exceeded
    double q = 0;
    double nd1kmp = 0;
    double cpPerKm = 0;
    double apKm = 0;
    BullingtonPoint actual;
    BullingtonPoint smooth;
    double anomalousTimeDb = 0;
    double foEs1HopMhz = 0;
    double foEs2HopMhz = 0;
};

// What the maps give for one percentage: the refractivity gradient of the
// lowest km, and the sporadic-E critical frequencies of one and two hops.
struct PercentMapValues {
    double nd1kmp = 0;
    double foEs1HopMhz = 0;
    double foEs2HopMhz = 0;
};

// From the path's map values at limited percentage p.
PercentMapValues percentMapValues(const PreparedPath& path, double p);

// The Bullington envelopes of the path: for many percentages.
BullingtonProfile bullingtonProfile(const PreparedPath& path);

// Throw InputError unless 0 < tpc < 100. The second takes the map values
// for the percentage as given (tests inject them). With envelopes the
// Bullington points take no pass over the profile.
PercentTerms percentTerms(const PreparedPath& path, double tpc, const BullingtonProfile* envelopes = nullptr);
PercentTerms percentTerms(const PreparedPath& path, double tpc, const PercentMapValues& values,
                          const BullingtonProfile* envelopes = nullptr);

// The limited percentage p for tpc.
double limitedPercent(double tpc);

}  // namespace tropolink::p2001
