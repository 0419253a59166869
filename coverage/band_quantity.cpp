#include "coverage/band_quantity.h"

namespace tropolink::coverage {

BandQuantity basicTransmissionLoss() {
    BandQuantity q;
    q.name = "Lb";
    q.fromLoss = [](double lossDb, std::size_t) { return lossDb; };
    return q;
}

BandQuantity snrMargin(double eirp1Dbw, double sensitivity2Dbw, double requiredSnrDb) {
    BandQuantity q;
    q.name = "S/N margin";
    q.higherIsBetter = true;
    q.limit = 0;
    const itur::LinkBudget budget{.eirp1Dbw = eirp1Dbw, .sensitivity2Dbw = sensitivity2Dbw};
    q.fromLoss = [budget, requiredSnrDb](double lossDb, std::size_t) {
        return itur::snrAtStation2(budget, lossDb) - requiredSnrDb;
    };
    return q;
}

}  // namespace tropolink::coverage
