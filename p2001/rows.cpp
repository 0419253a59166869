#include "p2001/rows.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "p2001/input_check.h"
#include "p2001/row_evaluation.h"

namespace tropolink::p2001 {
namespace {

// From about this many percentages the envelopes cost less than the passes.
constexpr std::size_t kEnvelopePercentages = 8;

}  // namespace

void fillRows(const PreparedPath& path, std::span<const double> fGhz, std::span<const double> tpc, std::span<Row> out) {
    if (out.size() < rowCount(fGhz, tpc)) throw std::invalid_argument("fillRows: the buffer holds too few rows");
    for (const double f : fGhz) checkFrequency(f);
    // The percentage's terms (the earth's curvature, the Bullington points)
    // are the same at every frequency.
    for (const double p : tpc) checkPercent(p);
    std::optional<BullingtonProfile> envelopes;
    if (tpc.size() >= kEnvelopePercentages) envelopes = bullingtonProfile(path);
    std::vector<PercentTerms> percents;
    percents.reserve(tpc.size());
    for (const double p : tpc) percents.push_back(percentTerms(path, p, envelopes ? &*envelopes : nullptr));
    FadeMemos memos;
    std::size_t i = 0;
    for (const double f : fGhz) {
        const FrequencyTerms frequency = frequencyTerms(path, f);
        memos.clear();
        for (const PercentTerms& percent : percents) evaluateRow(path, frequency, percent, out[i++], &memos);
    }
}

}  // namespace tropolink::p2001
