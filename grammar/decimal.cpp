#include "grammar/decimal.h"

#include <algorithm>

namespace tropolink {
namespace {

// Far above every slider's maximum, and far below overflow after scaling.
constexpr long long kWholePartCap = 1'000'000'000'000LL;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
int digitValue(char c) { return c - '0'; }

int decimalsOf(int positionsPerUnit) {
    int decimals = 0;
    for (int p = positionsPerUnit; p > 1; p /= 10) ++decimals;
    return decimals;
}

// A plain decimal as sign and digits without leading or trailing zeros.
struct Digits {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<Digits> digitsOf(std::string_view text) {
    Digits d;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) d.negative = text[i++] == '-';
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    d.whole = text.substr(wholeStart, i - wholeStart);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        d.fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (i != text.size() || d.whole.size() + d.fraction.size() == 0) return std::nullopt;
    d.whole.remove_prefix(std::min(d.whole.find_first_not_of('0'), d.whole.size()));
    d.fraction = d.fraction.substr(0, d.fraction.find_last_not_of('0') + 1);
    if (d.whole.empty() && d.fraction.empty()) d.negative = false;  // -0 is 0
    return d;
}

int signOf(int comparison) { return (comparison > 0) - (comparison < 0); }

// Both without leading and trailing zeros: the longer whole part is larger,
// and fractions order as strings.
int compareMagnitudes(const Digits& a, const Digits& b) {
    if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -1 : 1;
    if (const int whole = a.whole.compare(b.whole); whole != 0) return signOf(whole);
    return signOf(a.fraction.compare(b.fraction));
}

}  // namespace

std::optional<int> compareDecimals(std::string_view a, std::string_view b) {
    const std::optional<Digits> x = digitsOf(a);
    const std::optional<Digits> y = digitsOf(b);
    if (!x || !y) return std::nullopt;
    if (x->negative != y->negative) return x->negative ? -1 : 1;
    const int magnitude = compareMagnitudes(*x, *y);
    return x->negative ? -magnitude : magnitude;
}

DecimalPosition decimalToPosition(std::string_view text, int positionsPerUnit) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    int digitCount = 0;
    long long whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digitCount)
        whole = std::min(whole * 10 + digitValue(text[i]), kWholePartCap);

    // Only the first `decimals` digits after the point fit on the grid; any
    // later digit that is not 0 puts the value between two positions.
    const int decimals = decimalsOf(positionsPerUnit);
    long long fraction = 0;
    int place = 0;
    bool offGrid = false;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digitCount, ++place) {
            if (place < decimals)
                fraction = fraction * 10 + digitValue(text[i]);
            else if (text[i] != '0')
                offGrid = true;
        }
    }
    if (digitCount == 0 || i != text.size()) return {DecimalStatus::NotANumber, 0};
    for (; place < decimals; ++place) fraction *= 10;

    const long long magnitude = whole * positionsPerUnit + fraction;
    return {offGrid ? DecimalStatus::OffGrid : DecimalStatus::Ok, negative ? -magnitude : magnitude};
}

}  // namespace tropolink
