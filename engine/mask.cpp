#include "engine/mask.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tropolink {
namespace {

constexpr int kSignificantDigits = 15;

// A finite value reduced to 15 significant decimal digits:
// |value| = d1.d2...d15 × 10^exponent, with d1 != 0 unless the value is zero.
struct Decimal15 {
    std::array<char, kSignificantDigits> digits{};
    int exponent = 0;  // decimal exponent of the first digit
    bool negative = false;
    bool zero = true;
};

Decimal15 toDecimal15(double value) {
    Decimal15 d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.digits.fill('0');
        return d;
    }
    d.zero = false;
    // "d.dddddddddddddde±x": to_chars rounds the exact binary value correctly.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    const char* p = text + (d.negative ? 1 : 0);
    d.digits[0] = p[0];
    std::memcpy(d.digits.data() + 1, p + 2, kSignificantDigits - 1);
    const char* exponent = p + kSignificantDigits + 2;  // just after the 'e'
    if (*exponent == '+') ++exponent;
    std::from_chars(exponent, result.ptr, d.exponent);
    return d;
}

// Digits of |value| rounded half away from zero to `decimals` places, as the
// integer digits and the decimals (trailing zeros kept).
struct RoundedText {
    // Digit string of the rounded magnitude scaled by 10^decimals, leading
    // zeros stripped; empty when the rounded value is zero.
    char digits[352];
    int size = 0;
};

RoundedText roundHalfAway(const Decimal15& d, int decimals) {
    RoundedText r;
    if (d.zero) return r;
    // Number of the 15 digits that lie at or above the last kept decimal place.
    const int keep = d.exponent + 1 + decimals;
    if (keep < 0) return r;
    if (keep >= kSignificantDigits) {
        std::memcpy(r.digits, d.digits.data(), kSignificantDigits);
        std::memset(r.digits + kSignificantDigits, '0', static_cast<std::size_t>(keep - kSignificantDigits));
        r.size = keep;
        return r;
    }
    // Room for a carry into a new leading digit.
    r.digits[0] = '0';
    std::memcpy(r.digits + 1, d.digits.data(), static_cast<std::size_t>(keep));
    r.size = keep + 1;
    if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
        int i = r.size - 1;
        while (i >= 0 && r.digits[i] == '9') r.digits[i--] = '0';
        ++r.digits[i];
    }
    int lead = 0;
    while (lead < r.size && r.digits[lead] == '0') ++lead;
    std::memmove(r.digits, r.digits + lead, static_cast<std::size_t>(r.size - lead));
    r.size -= lead;
    return r;
}

}  // namespace

NumberText applyMask(double value, Mask mask) {
    NumberText out;
    char* p = out.buffer_.data();
    const RoundedText r = roundHalfAway(toDecimal15(value), mask.decimals);
    if (r.size > 0 && value < 0) *p++ = '-';
    const int integerDigits = r.size - mask.decimals;
    if (integerDigits > 0) {
        std::memcpy(p, r.digits, static_cast<std::size_t>(integerDigits));
        p += integerDigits;
    } else if (mask.leadingZero) {
        *p++ = '0';
    }
    *p++ = '.';
    // The decimals are the last mask.decimals digits, zero-padded on the left;
    // trailing zeros are dropped.
    char* decimals = p;
    for (int i = integerDigits; i < r.size; ++i) *p++ = i < 0 ? '0' : r.digits[i];
    while (p > decimals && p[-1] == '0') --p;
    out.size_ = static_cast<std::size_t>(p - out.buffer_.data());
    return out;
}

NumberText echoText(double value) {
    NumberText out;
    char* p = out.buffer_.data();
    *p++ = value < 0 ? '-' : ' ';
    const Decimal15 d = toDecimal15(value);
    if (d.zero) {
        *p++ = '0';
        out.size_ = 2;
        return out;
    }
    int last = kSignificantDigits;
    while (last > 1 && d.digits[static_cast<std::size_t>(last - 1)] == '0') --last;
    const int integerDigits = d.exponent + 1;
    if (integerDigits <= 0) {
        *p++ = '.';
        for (int i = integerDigits; i < 0; ++i) *p++ = '0';
        for (int i = 0; i < last; ++i) *p++ = d.digits[static_cast<std::size_t>(i)];
    } else {
        for (int i = 0; i < integerDigits; ++i)
            *p++ = i < last ? d.digits[static_cast<std::size_t>(i)] : '0';
        if (last > integerDigits) {
            *p++ = '.';
            for (int i = integerDigits; i < last; ++i) *p++ = d.digits[static_cast<std::size_t>(i)];
        }
    }
    out.size_ = static_cast<std::size_t>(p - out.buffer_.data());
    return out;
}

double roundToSignificant15(double value) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, kSignificantDigits - 1);
    double back = 0;
    std::from_chars(text, result.ptr, back);
    return back;
}

}  // namespace tropolink
