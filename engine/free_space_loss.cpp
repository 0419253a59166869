#include "engine/free_space_loss.h"

#include <cmath>

#include "engine/constants.h"

namespace tropolink {

// 32.5 + 20·log10(d) + 20·log10(f); the constant is 32.5, not 32.45.
double lineOfSightLoss(double distance, double frequency) {
    return (kDbPerNeper20 * std::log(distance) + 32.5) + kDbPerNeper20 * std::log(frequency);
}

// 32.5 + 10·log10(d) + 20·log10(f).
double perfectDuctLoss(double distance, double frequency) {
    return (kDbPerNeper10 * std::log(distance) + 32.5) + kDbPerNeper20 * std::log(frequency);
}

}  // namespace tropolink
