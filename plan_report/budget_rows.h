#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plan/plan_run.h"

namespace tropolink {

// One method's path loss carried through to the receiver.
struct BudgetLossRow {
    std::string method;  // "YEH", "ITU-R P.2001"
    std::optional<itur::ItuMethod> ituMethod;  // an ITU method's row, found by this, never by its name
    std::optional<double> percent;  // the ITU methods' time percentage
    std::optional<double> pathLossDb;  // none: the method gives no loss here
    std::string words;  // why none: "no data", "line of sight", "out of range"
    std::optional<double> receivedDbw;  // EIRP − path loss + receive antenna gain
    std::optional<double> snrDb;        // received level − noise power
    std::optional<double> marginDb;     // S/N − the required S/N
};

// Where every dB went from one station's transmitter to the other's receiver.
// The received level stands at the receiving antenna's terminals, where the
// system noise temperature is referred: the receive line loss is in that
// temperature, not in the level.
struct BudgetDirection {
    int transmitting = 1;
    int receiving = 2;
    double txPowerW = 0;
    double txPowerDbw = 0;
    double txLineLossDb = 0;
    double txGainDbi = 0;
    double eirpDbw = 0;  // tx power − line loss + gain
    double rxGainDbi = 0;
    double rxLineLossDb = 0;
    double rxNoiseFigureDb = 0;
    double antennaNoiseTempK = 0;
    double systemNoiseTempK = 0;
    double bandwidthHz = 0;
    double noisePowerDbw = 0;    // k · T · B
    double sensitivityDbw = 0;   // the noise power less the receive antenna gain
    std::optional<double> requiredSnrDb;
    std::optional<double> maxLossDb;  // the highest path loss that still meets the required S/N
    // The five legacy medians, then the complete P.2001 where it ran (at the
    // plan's percentages and the required one), then each troposcatter method
    // at each percentage.
    std::vector<BudgetLossRow> rows;
};

BudgetDirection budgetDirection(const PlanResult& result, int transmitting);

}  // namespace tropolink
