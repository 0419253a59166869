#include "p2001/inverse_distribution.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "p2001/clear_air.h"

namespace tropolink::p2001 {
namespace {

constexpr double kInitialStepDb = 10;
constexpr double kAccuracyDb = 0.01;
constexpr int kMaxExtensions = 11;

constexpr std::size_t kInitialSlots = 1024;              // a power of 2
constexpr std::uint64_t kEmpty = 0x7ff8dead0000beefULL;  // a NaN, which no fade is

std::uint64_t bitsOf(double v) { return std::bit_cast<std::uint64_t>(v); }

// Mixes every bit into the low ones: binary fractions have long runs of zero bits.
std::size_t hashOf(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<std::size_t>(x);
}

}  // namespace

FadeMemo::FadeMemo() : slots_(kInitialSlots, Slot{kEmpty, 0}) {}

void FadeMemo::clear() {
    std::fill(slots_.begin(), slots_.end(), Slot{kEmpty, 0});
    used_ = 0;
}

double FadeMemo::exceededPercent(const FadeDistribution& dist, double a) {
    const std::uint64_t key = bitsOf(a);
    std::size_t mask = slots_.size() - 1;
    std::size_t i = hashOf(key) & mask;
    while (slots_[i].key != kEmpty) {
        if (slots_[i].key == key) return slots_[i].value;
        i = (i + 1) & mask;
    }
    const double value = dist.exceededPercent(a);
    if (2 * (used_ + 1) > slots_.size()) {
        // Grow, keeping the table at most half full.
        std::vector<Slot> old(2 * slots_.size(), Slot{kEmpty, 0});
        old.swap(slots_);
        mask = slots_.size() - 1;
        for (const Slot& s : old) {
            if (s.key == kEmpty) continue;
            std::size_t j = hashOf(s.key) & mask;
            while (slots_[j].key != kEmpty) j = (j + 1) & mask;
            slots_[j] = s;
        }
        i = hashOf(key) & mask;
        while (slots_[i].key != kEmpty) i = (i + 1) & mask;
    }
    slots_[i] = {key, value};
    ++used_;
    return value;
}

double FadeDistribution::exceededPercent(double a) const {
    const double clear = clearAir == ClearAirModel::Surface ? surfaceFadeExceededPercent(a, q0caPercent)
                                                            : troposcatterFadeExceededPercent(a);
    const double q0ra = rain->rain ? rain->q0raPercent : 0;
    return rainFadeExceededPercent(*rain, a) * (q0ra / 100) + clear * (1 - q0ra / 100);
}

double fadeExceeded(const FadeDistribution& dist, double q, FadeMemo* memo) {
    const auto exceeded = [&](double a) {
        return memo != nullptr ? memo->exceededPercent(dist, a) : dist.exceededPercent(a);
    };
    double high = kInitialStepDb / 2;
    double low = -kInitialStepDb / 2;
    double step = kInitialStepDb;
    double qHigh = exceeded(high);
    double qLow = exceeded(low);
    // Widen the bracket until it holds q, doubling the step each time.
    for (int pass = 0; pass < kMaxExtensions && (q < qHigh || q > qLow); ++pass) {
        if (q < qHigh) {
            low = high;
            qLow = qHigh;
            step = 2 * step;
            high = high + step;
            qHigh = exceeded(high);
        } else {
            high = low;
            qHigh = qLow;
            step = 2 * step;
            low = low - step;
            qLow = exceeded(low);
        }
    }
    double tried = 0.5 * (low + high);
    const int halvings = static_cast<int>(std::ceil(3.32 * std::log10(step / kAccuracyDb)));
    for (int i = 0; i <= halvings; ++i) {
        if (exceeded(tried) < q) {
            high = tried;
        } else {
            low = tried;
        }
        tried = 0.5 * (low + high);
    }
    return tried;
}

}  // namespace tropolink::p2001
