#include "coverage/band_quantity.h"

#include <cstdio>

#include "coverage/metadata_text.h"

namespace tropolink::coverage {
namespace {

std::string rounded(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

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
    q.metadata = {{"S1_EIRP_DBW", metadataNumber(eirp1Dbw)},
                  {"S2_SENSITIVITY_DBW", metadataNumber(sensitivity2Dbw)},
                  {"REQUIRED_SNR_DB", metadataNumber(requiredSnrDb)}};
    q.source = "EIRP " + rounded(eirp1Dbw) + " dBW at the site, sensitivity " + rounded(sensitivity2Dbw) +
               " dBW in each cell, S/N required " + rounded(requiredSnrDb) + " dB";
    return q;
}

}  // namespace tropolink::coverage
