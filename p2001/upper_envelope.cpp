#include "p2001/upper_envelope.h"

#include <algorithm>
#include <numeric>

namespace tropolink::p2001 {

namespace {

// The lines' indices by ascending slope. The profile's lines come with slopes
// that fall, rise, or rise then fall: those merge in linear time.
std::vector<std::uint32_t> bySlope(const std::vector<Line>& all) {
    const std::size_t n = all.size();
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::size_t peak = 0;
    while (peak + 1 < n && all[peak + 1].slope >= all[peak].slope) ++peak;
    std::size_t end = peak;
    while (end + 1 < n && all[end + 1].slope <= all[end].slope) ++end;
    const auto slopeLess = [&](std::uint32_t a, std::uint32_t b) { return all[a].slope < all[b].slope; };
    if (n > 0 && end == n - 1) {
        std::reverse(order.begin() + static_cast<std::ptrdiff_t>(peak) + 1, order.end());
        std::inplace_merge(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(peak) + 1, order.end(),
                           slopeLess);
    } else {
        std::sort(order.begin(), order.end(), slopeLess);
    }
    return order;
}

}  // namespace

UpperEnvelope::UpperEnvelope(const std::vector<Line>& all) {
    for (const std::uint32_t i : bySlope(all)) {
        const Line& l3 = all[i];
        // Of equal slopes only the highest counts.
        if (!lines_.empty() && all[lines_.back()].slope == l3.slope) {
            if (all[lines_.back()].intercept >= l3.intercept) continue;
            lines_.pop_back();
        }
        // The middle of the last two lines is never largest once l3 is there.
        while (lines_.size() >= 2) {
            const Line& l1 = all[lines_[lines_.size() - 2]];
            const Line& l2 = all[lines_.back()];
            if ((l3.intercept - l1.intercept) * (l2.slope - l1.slope) <
                (l2.intercept - l1.intercept) * (l3.slope - l1.slope)) {
                break;
            }
            lines_.pop_back();
        }
        lines_.push_back(i);
    }
    for (std::size_t k = 0; k + 1 < lines_.size(); ++k) {
        const Line& a = all[lines_[k]];
        const Line& b = all[lines_[k + 1]];
        breaks_.push_back((a.intercept - b.intercept) / (b.slope - a.slope));
    }
}

std::size_t UpperEnvelope::largestAt(double x) const {
    const auto k = std::upper_bound(breaks_.begin(), breaks_.end(), x) - breaks_.begin();
    return lines_[static_cast<std::size_t>(k)];
}

}  // namespace tropolink::p2001
