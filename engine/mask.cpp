#include "engine/mask.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tropolink {
namespace {

constexpr int kSignificantDigits = 15;
constexpr std::uint64_t kSmallest15Digits = 100'000'000'000'000;       // 10^14
constexpr std::uint64_t kPastLargest15Digits = 1'000'000'000'000'000;  // 10^15
constexpr int kMaxMaskDigits = 309 + 3;  // DBL_MAX's integer digits and three decimals

// A finite value reduced to 15 significant decimal digits:
// |value| = significand × 10^(exponent − 14), with 10^14 <= significand < 10^15,
// or significand 0 for zero.
struct Decimal15 {
    std::uint64_t significand = 0;
    int exponent = 0;  // decimal exponent of the first digit
};

// The 15-digit form of the exact binary value, rounded to nearest (ties to
// even), by the library's exact conversion. Slow; for magnitudes outside the
// range the integer path below covers.
Decimal15 exactDecimal15(double magnitude) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    // "d.dddddddddddddde±x"
    text[1] = text[0];
    Decimal15 d;
    std::from_chars(text + 1, text + 1 + kSignificantDigits, d.significand);
    const char* exponent = text + kSignificantDigits + 2;  // just after the 'e'
    if (*exponent == '+') ++exponent;
    std::from_chars(exponent, result.ptr, d.exponent);
    return d;
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

std::uint64_t powerOfTen(int n) { return static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(n)]); }

// The same rounding done exactly in integers: |value| = m / 2^s, and the 15
// digits are m × 10^k / 2^s rounded, for the k that gives 15 digits. Returns
// false where the product would not fit (magnitudes below about 1e-7 or from
// 2^52 up), leaving those to exactDecimal15.
bool fastDecimal15(double magnitude, Decimal15& d) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    if (biasedExponent == 0) return false;  // subnormal
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biasedExponent;
    if (shift <= 0 || shift >= 127) return false;
    // floor(log10(2) × binary exponent), exact or one too small: 78913 / 2^18 is log10(2) to 6 digits.
    int exponent = ((52 - shift) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt, ++exponent) {
        const int k = kSignificantDigits - 1 - exponent;
        if (k < 0 || k > kLargestPowerOfTen) return false;
        const Uint128 scaled = Uint128{m} * kPowersOfTen[static_cast<std::size_t>(k)];
        auto significand = static_cast<std::uint64_t>(scaled >> shift);
        if (significand >= kPastLargest15Digits) continue;
        const Uint128 remainder = scaled & ((Uint128{1} << shift) - 1);
        const Uint128 half = Uint128{1} << (shift - 1);
        if (remainder > half || (remainder == half && (significand & 1) != 0)) ++significand;
        if (significand == kPastLargest15Digits) {
            significand = kSmallest15Digits;
            ++exponent;
        }
        d = {significand, exponent};
        return true;
    }
    return false;
}

Decimal15 toDecimal15(double value) {
    if (value == 0) return {};
    const double magnitude = std::fabs(value);
    Decimal15 d;
    if (!fastDecimal15(magnitude, d)) d = exactDecimal15(magnitude);
    return d;
}

// Writes the digits of n (none for 0).
char* writeDigits(char* out, std::uint64_t n) {
    if (n == 0) return out;
    return std::to_chars(out, out + 20, n).ptr;
}

char* writeZeros(char* out, int count) {
    if (count <= 0) return out;
    std::memset(out, '0', static_cast<std::size_t>(count));
    return out + count;
}

// The digits of |value| × 10^decimals rounded half away from zero, leading
// zeros stripped (none for zero). Returns the end of what it wrote.
char* writeRoundedDigits(char* out, const Decimal15& d, int decimals) {
    if (d.significand == 0) return out;
    // How many of the 15 digits lie at or above the last decimal place kept.
    const int keep = d.exponent + 1 + decimals;
    if (keep >= kSignificantDigits) return writeZeros(writeDigits(out, d.significand), keep - kSignificantDigits);
    if (keep < 0) return out;
    const std::uint64_t divisor = powerOfTen(kSignificantDigits - keep);
    std::uint64_t kept = d.significand / divisor;
    if (d.significand % divisor >= divisor / 2) ++kept;  // half away from zero
    return writeDigits(out, kept);
}

}  // namespace

NumberText applyMask(double value, Mask mask) {
    // Up to 309 integer digits (no exponent is ever shown) and the decimals.
    char digits[kMaxMaskDigits];
    const int count = static_cast<int>(writeRoundedDigits(digits, toDecimal15(value), mask.decimals) - digits);
    const int integerDigits = count - mask.decimals;

    NumberText out;
    char* p = out.buffer_.data();
    if (count > 0 && value < 0) *p++ = '-';
    if (integerDigits > 0) {
        std::memcpy(p, digits, static_cast<std::size_t>(integerDigits));
        p += integerDigits;
    } else if (mask.leadingZero) {
        *p++ = '0';
    }
    *p++ = '.';
    // The decimals, zero-padded on the left, trailing zeros dropped.
    char* const decimals = p;
    p = writeZeros(p, -integerDigits);
    const int from = integerDigits > 0 ? integerDigits : 0;
    std::memcpy(p, digits + from, static_cast<std::size_t>(count - from));
    p += count - from;
    while (p > decimals && p[-1] == '0') --p;
    out.size_ = static_cast<std::size_t>(p - out.buffer_.data());
    return out;
}

NumberText echoText(double value) {
    NumberText out;
    char* p = out.buffer_.data();
    *p++ = value < 0 ? '-' : ' ';
    // Whole numbers of up to 15 digits, most echoes, print as they are.
    if (const double magnitude = std::fabs(value); magnitude < 1e15 && magnitude == std::trunc(magnitude)) {
        *p = '0';
        p = magnitude == 0 ? p + 1 : writeDigits(p, static_cast<std::uint64_t>(magnitude));
        out.size_ = static_cast<std::size_t>(p - out.buffer_.data());
        return out;
    }
    Decimal15 d = toDecimal15(value);
    int count = kSignificantDigits;
    for (; d.significand % 10'000 == 0; count -= 4) d.significand /= 10'000;
    while (d.significand % 10 == 0) {
        d.significand /= 10;
        --count;
    }
    char digits[kSignificantDigits];
    writeDigits(digits, d.significand);
    const int integerDigits = d.exponent + 1;
    if (integerDigits <= 0) {
        *p++ = '.';
        p = writeZeros(p, -integerDigits);
        std::memcpy(p, digits, static_cast<std::size_t>(count));
        p += count;
    } else if (integerDigits >= count) {
        std::memcpy(p, digits, static_cast<std::size_t>(count));
        p = writeZeros(p + count, integerDigits - count);
    } else {
        std::memcpy(p, digits, static_cast<std::size_t>(integerDigits));
        p += integerDigits;
        *p++ = '.';
        std::memcpy(p, digits + integerDigits, static_cast<std::size_t>(count - integerDigits));
        p += count - integerDigits;
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
