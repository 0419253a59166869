#include "engine/atmospheric_attenuation.h"

#include <array>
#include <cmath>

namespace tropolink {
namespace {

using Coefficients = std::array<double, 6>;

// Fifth-degree fits in f (MHz); the low band would turn negative above ~18.8 GHz.
constexpr Coefficients kLowBand{3.43103863471708e-13, -4.6920361094708e-9,   1.53234726326628e-06,
                                -3.38234546885063e-10, 2.69428967628833e-14, -7.07106247654218e-19};
constexpr Coefficients kHighBand{2.20982609298816e-13, -1.4127525484398e-7,  6.9332370615721e-06,
                                 -1.19629120680749e-9, 6.76194446293911e-14, -1.21864218308252e-18};
constexpr double kBandEdgeMHz = 13000;  // belongs to the low band

}  // namespace

double specificAttenuation(double frequency) {
    const Coefficients& c = frequency <= kBandEdgeMHz ? kLowBand : kHighBand;
    // Each power raised directly from f, terms added in rising order.
    double sum = c[0] + c[1] * frequency;
    for (int n = 2; n <= 5; ++n) sum += c[static_cast<std::size_t>(n)] * std::pow(frequency, n);
    return sum;
}

double atmosphericAttenuation(double frequency, double distance) {
    return (specificAttenuation(frequency) * distance) / 1000;
}

}  // namespace tropolink
