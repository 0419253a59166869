#include "engine/numeric_fault.h"

#include <cfenv>

namespace tropolink {
namespace {

constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

}  // namespace

NumericFault::NumericFault(std::string_view quantity)
    : std::runtime_error("could not compute the " + std::string(quantity)), quantity_(quantity) {}

NumericGuard::NumericGuard() { std::feclearexcept(kFaultFlags); }

void NumericGuard::check(std::string_view quantity) const {
    if (faulted()) throw NumericFault(quantity);
}

bool NumericGuard::faulted() const { return std::fetestexcept(kFaultFlags) != 0; }

}  // namespace tropolink
