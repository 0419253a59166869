#include "itur/short_term_outage.h"

#include <cmath>
#include <stdexcept>

#include "itur/correlated_selection.h"
#include "itur/outage_rows.h"

namespace tropolink::itur {
namespace {

constexpr double kLog10Ln2 = -0.15917453895486159239;  // log10(ln 2)
// Below x = 1e-20 the leading term of every form is exact to 1e-18 relative:
// the next is at most x·2/(1 − ρ) ≤ 200·x of it.
constexpr double kLog10TinyX = -20;
constexpr double kLog10Factorial4 = 1.380211241711606;  // log10(4!)

bool correlatedSelection(const Diversity& d) {
    return d.combiner == Combiner::Selection && d.order == 2 && d.branchCorrelation > 0;
}

double thresholdOf(double marginDb) { return std::exp(kLnLn2 - kNepersPerDb * marginDb); }

// log10 of q's leading term, q ≈ c·x^N.
double leadingLog10(double log10X, const Diversity& d) {
    const double power = d.order * log10X;
    if (d.order == 1) return power;
    const double oneMinusRho = 1 - d.branchCorrelation;
    if (d.order == 2)  // selection x²/(1 − ρ), maximal-ratio x²/(2(1 − ρ))
        return power - std::log10(d.combiner == Combiner::Selection ? oneMinusRho : 2 * oneMinusRho);
    return d.combiner == Combiner::Selection ? power : power - kLog10Factorial4;
}

void outagesOfValid(const double* marginsDb, std::size_t rows, const Diversity& d, double* outages) {
    if (!correlatedSelection(d)) {
        closedFormOutageRows(marginsDb, rows, d, outages);
        return;
    }
    for (std::size_t i = 0; i < rows; ++i)
        outages[i] = correlatedSelectionOutage(thresholdOf(marginsDb[i]), d.branchCorrelation);
}

}  // namespace

double shortTermOutage(double marginDb, const Diversity& d) {
    validateDiversity(d);
    double q = 0;
    outagesOfValid(&marginDb, 1, d, &q);
    return q;
}

double log10ShortTermOutage(double marginDb, const Diversity& d) {
    validateDiversity(d);
    const double log10X = kLog10Ln2 - marginDb / 10;
    if (log10X < kLog10TinyX) return leadingLog10(log10X, d);
    double q = 0;
    outagesOfValid(&marginDb, 1, d, &q);
    return std::log10(q);
}

void shortTermOutages(std::span<const double> marginsDb, const Diversity& d, std::span<double> outages) {
    validateDiversity(d);
    if (outages.size() != marginsDb.size())
        throw std::invalid_argument("short-term outages: " + std::to_string(marginsDb.size()) + " margins but room for " +
                                    std::to_string(outages.size()) + " outages");
    outagesOfValid(marginsDb.data(), marginsDb.size(), d, outages.data());
}

}  // namespace tropolink::itur
