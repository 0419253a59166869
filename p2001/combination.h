#pragma once

#include <string_view>

// How the four sub-models' losses combine into the basic transmission loss.
namespace tropolink::p2001 {

struct SubModelLosses {
    double lbm1Db = 0;  // diffraction and clear-air propagation near the surface
    double lbm2Db = 0;  // ducting and layer reflection
    double lbm3Db = 0;  // troposcatter
    double lbm4Db = 0;  // sporadic-E
};

// Lb, dB: sub-models 1 and 2 combined as powers, then with 3 and 4 by a
// blend that favours the smallest loss.
double combinedLossDb(const SubModelLosses& m);

// The sub-model with the smallest loss, the one that decides Lb.
enum class Mechanism { NearSurface = 1, Anomalous = 2, Troposcatter = 3, SporadicE = 4 };

Mechanism decidingMechanism(const SubModelLosses& m);

// "diffraction and clear-air propagation near the surface" and so on.
std::string_view mechanismName(Mechanism m);

}  // namespace tropolink::p2001
