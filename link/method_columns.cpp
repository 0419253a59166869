#include "link/method_columns.h"

namespace tropolink {
namespace {

std::optional<double> valueIf(bool computed, double value) {
    if (!computed) return std::nullopt;
    return value;
}

// A scatter method as its column shows it: on a line-of-sight path the
// column reads "Line of Sight" whatever the method's own range says.
ColumnVerdict scatterVerdict(bool lineOfSight, bool inRange) {
    if (lineOfSight) return ColumnVerdict::LineOfSight;
    return inRange ? ColumnVerdict::Valid : ColumnVerdict::OutOfRange;
}

ColumnVerdict riderColumnVerdict(RiderVerdict verdict) {
    switch (verdict) {
        case RiderVerdict::LineOfSight:
            return ColumnVerdict::LineOfSight;
        case RiderVerdict::OutOfRange:
            return ColumnVerdict::OutOfRange;
        case RiderVerdict::Valid:
            break;
    }
    return ColumnVerdict::Valid;
}

}  // namespace

std::string_view verdictName(ColumnVerdict verdict) {
    switch (verdict) {
        case ColumnVerdict::LineOfSight:
            return "lineOfSight";
        case ColumnVerdict::OutOfRange:
            return "outOfRange";
        case ColumnVerdict::Valid:
            break;
    }
    return "valid";
}

MethodColumns methodColumns(const PassValues& v) {
    const bool los = v.geometry.lineOfSight;
    const bool riderComputed = v.rider.verdict == RiderVerdict::Valid;
    MethodColumns columns{{
        {scatterVerdict(los, true), v.yeh.loss, v.yeh.couplingLoss, {}, {}},
        {scatterVerdict(los, v.itt.inRange), valueIf(v.itt.inRange, v.itt.loss), std::nullopt, {}, {}},
        {scatterVerdict(los, true), v.ccir.loss, v.ccir.couplingLoss, {}, {}},
        {scatterVerdict(los, v.collins.inRange), valueIf(v.collins.inRange, v.collins.loss), std::nullopt, {}, {}},
        {riderColumnVerdict(v.rider.verdict), valueIf(riderComputed, v.rider.loss), std::nullopt, {}, {}},
    }};
    for (std::size_t m = 0; m < columns.size(); ++m) {
        const SignalToNoiseColumn& sn = v.signalToNoise[m];
        columns[m].atStation1 = valueIf(sn.hasData, sn.atStation1);
        columns[m].atStation2 = valueIf(sn.hasData, sn.atStation2);
    }
    return columns;
}

}  // namespace tropolink
