#include "p2001/combination.h"

#include <algorithm>
#include <cmath>

namespace tropolink::p2001 {

double combinedLossDb(const SubModelLosses& m) {
    // Each sum is taken relative to its smallest term, which keeps the powers
    // finite when sporadic-E losses reach 1e6 dB.
    const double m12 = std::min(m.lbm1Db, m.lbm2Db);
    const double lbm12 =
        m12 - 10 * std::log10(std::pow(10.0, -0.1 * (m.lbm1Db - m12)) + std::pow(10.0, -0.1 * (m.lbm2Db - m12)));
    const double lm = std::min({lbm12, m.lbm3Db, m.lbm4Db});
    return lm - 5 * std::log10(std::pow(10.0, -0.2 * (lbm12 - lm)) + std::pow(10.0, -0.2 * (m.lbm3Db - lm)) +
                               std::pow(10.0, -0.2 * (m.lbm4Db - lm)));
}

Mechanism decidingMechanism(const SubModelLosses& m) {
    Mechanism best = Mechanism::NearSurface;
    double lowest = m.lbm1Db;
    if (m.lbm2Db < lowest) {
        best = Mechanism::Anomalous;
        lowest = m.lbm2Db;
    }
    if (m.lbm3Db < lowest) {
        best = Mechanism::Troposcatter;
        lowest = m.lbm3Db;
    }
    if (m.lbm4Db < lowest) best = Mechanism::SporadicE;
    return best;
}

std::string_view mechanismName(Mechanism m) {
    switch (m) {
        case Mechanism::NearSurface:
            return "diffraction and clear-air propagation near the surface";
        case Mechanism::Anomalous:
            return "ducting and layer reflection";
        case Mechanism::Troposcatter:
            return "troposcatter";
        case Mechanism::SporadicE:
            return "sporadic-E";
    }
    return "";
}

}  // namespace tropolink::p2001
