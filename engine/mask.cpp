#include "engine/mask.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// The 15-digit form of the exact binary value, rounded to nearest (ties to
// even), by the library's exact conversion. Slow; for magnitudes outside the
// range the fast path below covers.
void exactDecimal15(double magnitude, Decimal15& d) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    d.digits[0] = text[0];
    std::memcpy(d.digits.data() + 1, text + 2, kSignificantDigits - 1);
    const char* exponent = text + kSignificantDigits + 2;  // just after the 'e'
    if (*exponent == '+') ++exponent;
    std::from_chars(exponent, result.ptr, d.exponent);
}

// The 15 decimal digits of a number below 10^15, two at a time.
void writeDigits(std::uint64_t number, std::array<char, kSignificantDigits>& out) {
    static constexpr auto kPairs = [] {
        std::array<char, 200> pairs{};
        for (int i = 0; i < 100; ++i) {
            pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
            pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
        }
        return pairs;
    }();
    std::size_t i = kSignificantDigits;
    while (i > 1) {
        const auto pair = static_cast<std::size_t>(number % 100) * 2;
        number /= 100;
        out[--i] = kPairs[pair + 1];
        out[--i] = kPairs[pair];
    }
    out[0] = static_cast<char>('0' + number);
}

__extension__ using Uint128 = unsigned __int128;

constexpr int kLargestPowerOfTen = 22;  // 2^53 × 10^22 < 2^128

constexpr std::array<Uint128, kLargestPowerOfTen + 1> kPowersOfTen = [] {
    std::array<Uint128, kLargestPowerOfTen + 1> powers{};
    Uint128 p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

constexpr std::uint64_t kSmallest15Digits = 100'000'000'000'000;   // 10^14
constexpr std::uint64_t kPastLargest15Digits = 1'000'000'000'000'000;  // 10^15

// The same rounding done exactly in integers: |value| = m × 2^-s, and the 15
// digits are m × 10^k / 2^s rounded, for the k that gives 15 digits. Returns
// false where the product would not fit (magnitudes below about 1e-7 or from
// 2^52 up), leaving those to exactDecimal15.
bool fastDecimal15(double magnitude, Decimal15& d) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    if (biasedExponent == 0) return false;  // subnormal
    const std::uint64_t significand = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biasedExponent;  // magnitude = significand / 2^shift
    if (shift <= 0 || shift >= 127) return false;
    // Decimal exponent of the first digit, exact or one too small.
    // floor(log10(2) × binary exponent): 78913 / 2^18 is log10(2) to 6 digits.
    int exponent = ((52 - shift) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int k = kSignificantDigits - 1 - exponent;
        if (k < 0 || k > kLargestPowerOfTen) return false;
        const Uint128 scaled = Uint128{significand} * kPowersOfTen[static_cast<std::size_t>(k)];
        auto digits = static_cast<std::uint64_t>(scaled >> shift);
        if (digits >= kPastLargest15Digits) {
            ++exponent;
            continue;
        }
        if (digits < kSmallest15Digits) {
            --exponent;
            continue;
        }
        const Uint128 remainder = scaled & ((Uint128{1} << shift) - 1);
        const Uint128 half = Uint128{1} << (shift - 1);
        if (remainder > half || (remainder == half && (digits & 1) != 0)) ++digits;
        if (digits == kPastLargest15Digits) {
            digits = kSmallest15Digits;
            ++exponent;
        }
        writeDigits(digits, d.digits);
        d.exponent = exponent;
        return true;
    }
    return false;
}

Decimal15 toDecimal15(double value) {
    Decimal15 d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.digits.fill('0');
        return d;
    }
    d.zero = false;
    const double magnitude = std::fabs(value);
    if (!fastDecimal15(magnitude, d)) exactDecimal15(magnitude, d);
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
        // Carry through the nines; the leading '0' always absorbs it.
        int i = r.size - 1;
        for (; i > 0 && r.digits[i] == '9'; --i) r.digits[i] = '0';
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
