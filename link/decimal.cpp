#include "link/decimal.h"

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

}  // namespace

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
