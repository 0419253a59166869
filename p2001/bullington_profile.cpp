#include <cstddef>
#include <vector>

#include "p2001/bullington.h"
#include "p2001/bullington_terms.h"

namespace tropolink::p2001 {
namespace {

constexpr double kBulgeMPerKm2 = 500;

// Lines over the interior points i = 1 … n − 2, in that order.
template <typename MakeLine>
UpperEnvelope envelope(std::size_t n, MakeLine make) {
    std::vector<Line> lines;
    lines.reserve(n - 2);
    for (std::size_t i = 1; i + 1 < n; ++i) lines.push_back(make(i));
    return UpperEnvelope(lines);
}

}  // namespace

BullingtonProfile::BullingtonProfile(std::span<const double> di, std::span<const double> h, double hts, double hrs,
                                     double htep, double hrep)
    : hts_(hts), hrs_(hrs), htep_(htep), hrep_(hrep) {
    const std::size_t n = di.size();
    const double d = di[n - 1];
    // In the curvature c: each point's slope from the transmitter and from the
    // receiver, and its ν (without λ), are straight lines.
    actualTx_ = envelope(n, [&](std::size_t i) { return Line{kBulgeMPerKm2 * (d - di[i]), (h[i] - hts) / di[i]}; });
    actualRx_ = envelope(n, [&](std::size_t i) { return Line{kBulgeMPerKm2 * di[i], (h[i] - hrs) / (d - di[i])}; });
    actualNu_ = envelope(n, [&](std::size_t i) {
        const double w = bullingtonFresnelWeight(di[i], d);
        return Line{kBulgeMPerKm2 * di[i] * (d - di[i]) * w, (h[i] - (hts * (d - di[i]) + hrs * di[i]) / d) * w};
    });
    // The smooth profile, in 1/a.
    smoothTx_ = envelope(n, [&](std::size_t i) { return Line{kBulgeMPerKm2 * (d - di[i]), -htep / di[i]}; });
    smoothRx_ = envelope(n, [&](std::size_t i) { return Line{kBulgeMPerKm2 * di[i], -hrep / (d - di[i])}; });
    smoothNu_ = envelope(n, [&](std::size_t i) {
        const double w = bullingtonFresnelWeight(di[i], d);
        return Line{kBulgeMPerKm2 * di[i] * (d - di[i]) * w, -((htep * (d - di[i]) + hrep * di[i]) / d) * w};
    });
}

BullingtonPoint BullingtonProfile::actual(std::span<const double> di, std::span<const double> h, double cp) const {
    const double d = di.back();
    // Each maximum is evaluated with its own formula at the point the envelope picks.
    const auto bulge = [&](std::size_t i) { return h[i] + bullingtonBulgeM(cp, di[i], d); };
    const std::size_t t = actualTx_.largestAt(cp) + 1;
    const double stim = (bulge(t) - hts_) / di[t];
    if (stim < (hrs_ - hts_) / d) {
        const std::size_t v = actualNu_.largestAt(cp) + 1;
        return {true, (bulge(v) - (hts_ * (d - di[v]) + hrs_ * di[v]) / d) * bullingtonFresnelWeight(di[v], d), false};
    }
    const std::size_t r = actualRx_.largestAt(cp) + 1;
    return bullingtonCrossing(hts_, hrs_, stim, (bulge(r) - hrs_) / (d - di[r]), d);
}

BullingtonPoint BullingtonProfile::smooth(std::span<const double> di, double ap) const {
    const double d = di.back();
    const double inverse = 1 / ap;
    const std::size_t t = smoothTx_.largestAt(inverse) + 1;
    const double stim = kBulgeMPerKm2 * (d - di[t]) / ap - htep_ / di[t];
    if (stim < (hrep_ - htep_) / d) {
        const std::size_t v = smoothNu_.largestAt(inverse) + 1;
        const double clearance = kBulgeMPerKm2 * di[v] * (d - di[v]) / ap - (htep_ * (d - di[v]) + hrep_ * di[v]) / d;
        return {true, clearance * bullingtonFresnelWeight(di[v], d), false};
    }
    const std::size_t r = smoothRx_.largestAt(inverse) + 1;
    return bullingtonCrossing(htep_, hrep_, stim, kBulgeMPerKm2 * di[r] / ap - hrep_ / (d - di[r]), d);
}

}  // namespace tropolink::p2001
