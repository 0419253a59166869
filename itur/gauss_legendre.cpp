#include "itur/gauss_legendre.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tropolink::itur {
namespace {

constexpr auto kN = static_cast<std::size_t>(kGaussLegendreNodes);

struct Rule {
    std::array<double, kN> nodes{};
    std::array<double, kN> weights{};
};

// Newton's method on P_n from Tricomi's first guess; P_n and P_n′ by the
// three-term recurrence. Converges to the last digit in a few steps.
Rule computeRule() {
    Rule rule;
    const int n = kGaussLegendreNodes;
    for (int i = 0; i < n; ++i) {
        double t = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));  // on [−1, 1], falling
        double derivative = 0;
        for (int step = 0; step < 100; ++step) {
            double p = 1;
            double previous = 0;
            for (int k = 1; k <= n; ++k) {
                const double next = ((2 * k - 1) * t * p - (k - 1) * previous) / k;
                previous = p;
                p = next;
            }
            derivative = n * (t * p - previous) / (t * t - 1);
            const double change = p / derivative;
            t -= change;
            if (std::abs(change) < 1e-17) break;
        }
        const auto slot = kN - 1 - static_cast<std::size_t>(i);
        rule.nodes[slot] = (1 + t) / 2;
        rule.weights[slot] = 1 / ((1 - t * t) * derivative * derivative);  // half of 2/((1 − t²)P′²)
    }
    return rule;
}

}  // namespace

GaussLegendreRule gaussLegendreRule() {
    static const Rule rule = computeRule();
    return {rule.nodes, rule.weights};
}

}  // namespace tropolink::itur
