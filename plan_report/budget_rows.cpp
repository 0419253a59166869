#include "plan_report/budget_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace tropolink {
namespace {

constexpr std::array<std::string_view, kMethodCount> kLegacyNames{"YEH", "ITT", "CCIR", "COLLINS", "RIDER"};

void carry(BudgetLossRow& row, const BudgetDirection& d) {
    if (!row.pathLossDb) return;
    row.receivedDbw = d.eirpDbw - *row.pathLossDb + d.rxGainDbi;
    row.snrDb = *row.receivedDbw - d.noisePowerDbw;
    if (d.requiredSnrDb) row.marginDb = *row.snrDb - *d.requiredSnrDb;
}

std::string verdictWords(itur::MethodVerdict verdict) {
    return verdict == itur::MethodVerdict::LineOfSight ? "line of sight" : "out of range";
}

// The complete method's rows for the direction: at the plan's percentages,
// and at the required one where the plan does not list it.
void addCompleteMethod(BudgetDirection& d, const PlanResult& result) {
    for (const MechanismStation& s : result.mechanisms.stations) {
        if (s.receivingStation != d.receiving) continue;
        std::vector<const MechanismLosses*> rows;
        for (const MechanismLosses& at : s.atPercents) rows.push_back(&at);
        if (s.atRequired && std::none_of(rows.begin(), rows.end(), [&](const MechanismLosses* at) {
                return at->percent == s.atRequired->percent;
            }))
            rows.push_back(&*s.atRequired);
        for (const MechanismLosses* at : rows) {
            BudgetLossRow row;
            row.method = itur::recommendationName(itur::ItuMethod::P2001All);
            row.ituMethod = itur::ItuMethod::P2001All;
            row.percent = at->percent;
            row.pathLossDb = at->lbDb;
            carry(row, d);
            d.rows.push_back(std::move(row));
        }
    }
}

}  // namespace

BudgetDirection budgetDirection(const PlanResult& result, int transmitting) {
    const PassValues& v = result.values;
    const bool from1 = transmitting == 1;
    const StationParameters& tx = from1 ? v.params.station1 : v.params.station2;
    const StationParameters& rx = from1 ? v.params.station2 : v.params.station1;
    const ReceiverNoise& noise = from1 ? v.receiver2 : v.receiver1;

    BudgetDirection d;
    d.transmitting = transmitting;
    d.receiving = from1 ? 2 : 1;
    d.txPowerW = tx.txPower;
    d.txPowerDbw = 10 * std::log10(tx.txPower);
    d.txLineLossDb = tx.txLineLoss;
    d.txGainDbi = tx.antennaGain;
    d.eirpDbw = (from1 ? v.transmitter1 : v.transmitter2).eirpDbw;
    d.rxGainDbi = rx.antennaGain;
    d.rxLineLossDb = rx.rxLineLoss;
    d.rxNoiseFigureDb = rx.rxNoiseFigure;
    d.antennaNoiseTempK = rx.antennaNoiseTemp;
    d.systemNoiseTempK = noise.systemNoiseTemp;
    d.bandwidthHz = rx.rxBandwidth;
    d.noisePowerDbw = noise.noisePower;
    d.sensitivityDbw = noise.rxSensitivity;
    d.requiredSnrDb = result.plan.availability.requiredSnrDb;
    if (d.requiredSnrDb) d.maxLossDb = d.eirpDbw + d.rxGainDbi - d.noisePowerDbw - *d.requiredSnrDb;

    for (int m = 0; m < kMethodCount; ++m) {
        const SignalToNoiseColumn& column = v.signalToNoise[static_cast<std::size_t>(m)];
        BudgetLossRow row;
        row.method = kLegacyNames[static_cast<std::size_t>(m)];
        if (column.hasData)
            row.pathLossDb = column.pathLoss;
        else
            row.words = "no data";
        carry(row, d);
        d.rows.push_back(std::move(row));
    }
    if (result.mechanisms.ran()) addCompleteMethod(d, result);
    for (const itur::ItuMethod method : itur::kItuMethods) {
        for (const itur::PercentFigures& f : itur::methodAnswer(result.availability, method).rows) {
            BudgetLossRow row;
            row.method = itur::recommendationName(method);
            row.ituMethod = method;
            row.percent = f.percent;
            row.pathLossDb = f.loss;
            if (!f.loss) row.words = verdictWords(f.verdict);
            carry(row, d);
            d.rows.push_back(std::move(row));
        }
    }
    return d;
}

}  // namespace tropolink
