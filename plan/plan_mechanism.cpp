#include "plan/plan_mechanism.h"

#include <array>

namespace tropolink {

DecidingMechanisms decidingMechanisms(const p2001::SubModelLosses& m) {
    using p2001::Mechanism;
    const std::array<std::pair<Mechanism, double>, 4> losses{{{Mechanism::NearSurface, m.lbm1Db},
                                                              {Mechanism::Anomalous, m.lbm2Db},
                                                              {Mechanism::Troposcatter, m.lbm3Db},
                                                              {Mechanism::SporadicE, m.lbm4Db}}};
    DecidingMechanisms d{p2001::decidingMechanism(m), std::nullopt};
    double lowest = 0;
    for (const auto& [mechanism, loss] : losses)
        if (mechanism == d.first) lowest = loss;
    // The runner-up in the sub-models' order, so that equal losses name the same one every time.
    std::optional<std::pair<Mechanism, double>> next;
    for (const auto& entry : losses)
        if (entry.first != d.first && (!next || entry.second < next->second)) next = entry;
    if (next && next->second - lowest <= kMechanismTieDb) d.second = next->first;
    return d;
}

std::string decidingMechanismsText(const DecidingMechanisms& d) {
    std::string text(p2001::mechanismName(d.first));
    if (d.second) text += " and " + std::string(p2001::mechanismName(*d.second));
    return text;
}

}  // namespace tropolink
