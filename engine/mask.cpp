#include "engine/mask.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tropolink {
namespace {

constexpr int kSignificantDigits = 15;
constexpr std::uint64_t kSmallest15Digits = 100'000'000'000'000;       // 10^14
constexpr std::uint64_t kPastLargest15Digits = 1'000'000'000'000'000;  // 10^15
constexpr int kMaxMaskDigits = 309 + 3;                                // DBL_MAX's integer digits and three decimals

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
    const auto result =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
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

constexpr std::array<std::uint64_t, 20> kPowersOfTen64 = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

struct Division {
    std::uint64_t quotient;
    std::uint64_t remainder;
};

template <std::size_t K>
Division divideByPowerOfTen(std::uint64_t n) {
    constexpr std::uint64_t kDivisor = kPowersOfTen64[K];
    return {n / kDivisor, n % kDivisor};
}

// n / 10^k and n % 10^k for k in 0..19, each with a constant divisor, which
// the compiler makes a multiplication: a division instruction by a variable
// took as long as a number's other steps together.
Division divideByPowerOfTen(std::uint64_t n, int k) {
    static constexpr auto kDividers = []<std::size_t... K>(std::index_sequence<K...>) {
        return std::array<Division (*)(std::uint64_t), sizeof...(K)>{&divideByPowerOfTen<K>...};
    }(std::make_index_sequence<kPowersOfTen64.size()>());
    return kDividers[static_cast<std::size_t>(k)](n);
}

// Writes the last `count` digits of n, zero-padded on the left, two at a time from the end.
char* writeDigitsPadded(char* out, std::uint64_t n, int count) {
    char* const end = out + count;
    char* q = end;
    for (; count >= 2; count -= 2) {
        q -= 2;
        std::memcpy(q, &kDigitPairs[static_cast<std::size_t>(2 * (n % 100))], 2);
        n /= 100;
    }
    if (count == 1) *--q = static_cast<char>('0' + n % 10);
    return end;
}

int digitCount(std::uint64_t n) {
    int count = 1;
    while (count < 20 && n >= kPowersOfTen64[static_cast<std::size_t>(count)]) ++count;
    return count;
}

// Writes the digits of n (none for 0).
char* writeDigits(char* out, std::uint64_t n) {
    if (n == 0) return out;
    return writeDigitsPadded(out, n, digitCount(n));
}

char* writeZeros(char* out, int count) {
    if (count <= 0) return out;
    std::memset(out, '0', static_cast<std::size_t>(count));
    return out + count;
}

}  // namespace

char* writeMasked(char* out, double value, Mask mask) {
    const Decimal15 d = toDecimal15(value);
    const int decimals = mask.decimals;
    // |value| × 10^decimals rounded half away from zero is `kept` followed by
    // `zeros` zeros; how many of the 15 digits lie at or above the last
    // decimal place kept decides how it is formed.
    const int keep = d.exponent + 1 + decimals;
    std::uint64_t kept = 0;
    int zeros = 0;
    if (d.significand == 0 || keep < 0) {
        kept = 0;
    } else if (keep > 18) {
        kept = d.significand;
        zeros = keep - kSignificantDigits;  // more than `decimals`: the decimals are all zero
    } else if (keep >= kSignificantDigits) {
        kept = d.significand * powerOfTen(keep - kSignificantDigits);
    } else {
        const Division q = divideByPowerOfTen(d.significand, kSignificantDigits - keep);
        kept = q.quotient;
        if (q.remainder >= powerOfTen(kSignificantDigits - keep) / 2) ++kept;
    }

    char* p = out;
    if (kept != 0 && value < 0) *p++ = '-';
    if (zeros > 0) {
        p = writeZeros(writeDigits(p, kept), zeros - decimals);
        *p++ = '.';
        return p;
    }
    const Division split = divideByPowerOfTen(kept, decimals);
    const std::uint64_t whole = split.quotient;
    std::uint64_t fraction = split.remainder;
    if (whole != 0)
        p = writeDigits(p, whole);
    else if (mask.leadingZero)
        *p++ = '0';
    *p++ = '.';
    if (fraction == 0) return p;
    int fractionDigits = decimals;
    for (; fraction % 10 == 0; --fractionDigits) fraction /= 10;
    return writeDigitsPadded(p, fraction, fractionDigits);
}

NumberText applyMask(double value, Mask mask) {
    NumberText out;
    out.size_ = static_cast<std::size_t>(writeMasked(out.buffer_.data(), value, mask) - out.buffer_.data());
    return out;
}

char* writeEcho(char* out, double value) {
    char* p = out;
    *p++ = value < 0 ? '-' : ' ';
    // Whole numbers of up to 15 digits, most echoes, print as they are.
    if (const double magnitude = std::fabs(value); magnitude < 1e15 && magnitude == std::trunc(magnitude)) {
        *p = '0';
        p = magnitude == 0 ? p + 1 : writeDigits(p, static_cast<std::uint64_t>(magnitude));
        return p;
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
    return p;
}

NumberText echoText(double value) {
    NumberText out;
    out.size_ = static_cast<std::size_t>(writeEcho(out.buffer_.data(), value) - out.buffer_.data());
    return out;
}

char* writeEchoTenths(char* out, int position) {
    *out++ = position < 0 ? '-' : ' ';
    const std::uint64_t magnitude =
        position < 0 ? 0 - static_cast<std::uint64_t>(position) : static_cast<std::uint64_t>(position);
    const std::uint64_t whole = magnitude / 10;
    const std::uint64_t tenth = magnitude % 10;
    if (tenth == 0) {
        if (whole == 0) *out++ = '0';
        return writeDigits(out, whole);
    }
    out = writeDigits(out, whole);
    *out++ = '.';
    *out++ = static_cast<char>('0' + tenth);
    return out;
}

NumberText echoTenthsText(int position) {
    NumberText out;
    out.size_ = static_cast<std::size_t>(writeEchoTenths(out.buffer_.data(), position) - out.buffer_.data());
    return out;
}

double roundToSignificant15(double value) {
    // The 15 digits as an integer and a power of ten of at most 22, both
    // exact doubles, give the nearest double in one correctly rounded
    // multiplication or division, as reading their text back would.
    if (value != 0 && std::isfinite(value)) {
        Decimal15 d;
        if (fastDecimal15(std::fabs(value), d)) {
            const int exponent = d.exponent - (kSignificantDigits - 1);
            if (exponent >= -kLargestPowerOfTen && exponent <= kLargestPowerOfTen) {
                const auto significand = static_cast<double>(d.significand);
                const auto power = static_cast<double>(kPowersOfTen[static_cast<std::size_t>(std::abs(exponent))]);
                const double magnitude = exponent >= 0 ? significand * power : significand / power;
                return value < 0 ? -magnitude : magnitude;
            }
        }
    }
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, kSignificantDigits - 1);
    double back = 0;
    std::from_chars(text, result.ptr, back);
    return back;
}

}  // namespace tropolink
