#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tropolink {

// Thrown out of a pass when an arithmetic step fails (division by zero,
// overflow, logarithm of a number that is not positive, square root of a
// negative number, fractional power of a negative number, any NaN). No slider
// setting does this; only positions outside the sliders' ranges can.
class NumericFault : public std::runtime_error {
public:
    explicit NumericFault(std::string_view quantity);
    // The result that could not be computed, e.g. "line-of-sight loss".
    const std::string& quantity() const { return quantity_; }

private:
    std::string quantity_;
};

// Watches the floating-point exception flags over one pass: every failing
// operation listed above raises one of them, and a NaN can only come from one.
class NumericGuard {
public:
    NumericGuard();
    // Throws NumericFault naming `quantity` when any step since the last
    // check failed.
    void check(std::string_view quantity) const;
    // Whether any step since construction failed.
    bool faulted() const;
};

}  // namespace tropolink
