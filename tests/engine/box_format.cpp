#include "box_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "engine/status_words.h"

namespace tropolink::test {
namespace {

using enum ResultBox;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool allDigits(std::string_view s) { return std::all_of(s.begin(), s.end(), isDigit); }

struct BoxRule {
    ResultBox box;
    Mask mask;
    std::initializer_list<std::string_view> words;
};

// Boxes that show a number under a mask, and the words that may stand instead.
const BoxRule kMaskedBoxes[]{
    {Text24, kMaskLoss, {}},
    {Text25, kMaskLoss, {}},
    {Text26, kMaskLoss, {kLineOfSight}},
    {Text27, kMaskLoss, {kOutOfRange, kLineOfSight}},
    {Text28, kMaskLoss, {kLineOfSight}},
    {Text29, kMaskLoss, {kOutOfRange, kLineOfSight}},
    {Text46, kMaskLoss, {kRiderOutOfRange, kLineOfSight}},
    {Text30, kMaskSignalToNoise, {}},
    {Text34, kMaskSignalToNoise, {}},
    {Text32, kMaskSignalToNoise, {}},
    {Text36, kMaskSignalToNoise, {}},
    {Text31, kMaskSignalToNoise, {kNoData}},
    {Text35, kMaskSignalToNoise, {kNoData}},
    {Text33, kMaskSignalToNoise, {kNoData}},
    {Text37, kMaskSignalToNoise, {kNoData}},
    {Text47, kMaskSignalToNoise, {kNoData}},
    {Text48, kMaskSignalToNoise, {kNoData}},
    {Text38, kMaskAngle, {}},
    {Text39, kMaskAngle, {kHorizonLimited}},
    {Text40, kMaskAngle, {kHorizonLimited}},
    {Text41, kMaskTwoDecimals, {}},
    {Text42, kMaskTwoDecimals, {}},
    {Text43, kMaskLoss, {kNotLineOfSight}},
    {Text44, kMaskTwoDecimals, {}},
    {Text45, kMaskCoupling, {}},
    {Text50, kMaskLoss, {}},
    {Text52, kMaskLoss, {}},
};

bool hasSuffix(std::string_view text, std::string_view suffix, std::string_view& rest) {
    if (!text.ends_with(suffix)) return false;
    rest = text.substr(0, text.size() - suffix.size());
    return true;
}

// The echo of a slider, or the mW text of a ticked power slider, showing `expected`.
bool isEchoOf(std::string_view text, Slider slider, bool ticked, double expected) {
    std::string_view number;
    const bool power = slider == Slider::HScroll4 || slider == Slider::HScroll14;
    if (power && ticked) {
        if (!hasSuffix(text, " mW", number) || !isMaskedText(number, kMaskAngle)) return false;
    } else {
        if (!isEchoText(text)) return false;
        number = text.substr(text[0] == ' ' ? 1 : 0);
    }
    const std::optional<double> value = parseNumber(number);
    return value && std::fabs(*value - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
}

bool isMilesText(std::string_view text) {
    std::string_view number;
    return text.starts_with(" = ") && hasSuffix(text.substr(3), " miles", number) && isMaskedText(number, kMaskMiles);
}

bool isAverageText(std::string_view text) {
    std::string_view number;
    if (hasSuffix(text, kLineOfSightSuffix, number)) return isMaskedText(number, kMaskAverage);
    return isMaskedText(text, kMaskAverage);
}

bool isMaskedOrWord(std::string_view text, const BoxRule& rule) {
    return isMaskedText(text, rule.mask) || std::find(rule.words.begin(), rule.words.end(), text) != rule.words.end();
}

// "nan" or "inf" in any case.
bool looksNonFinite(std::string_view text) {
    const auto lower = [&](std::size_t i) { return static_cast<char>(text[i] | 0x20); };
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const char a = lower(i), b = lower(i + 1), c = lower(i + 2);
        if ((a == 'n' && b == 'a' && c == 'n') || (a == 'i' && b == 'n' && c == 'f')) return true;
    }
    return false;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    // A lone point, with or without its sign, is a zero the mask left no digit of.
    if (text == "." || text == "-.") return 0.0;
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

bool isMaskedText(std::string_view text, Mask mask) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const auto point = text.find('.');
    if (point == std::string_view::npos) return false;
    const std::string_view integer = text.substr(0, point);
    const std::string_view decimals = text.substr(point + 1);
    if (!allDigits(integer) || !allDigits(decimals)) return false;
    if (decimals.size() > static_cast<std::size_t>(mask.decimals) || decimals.ends_with('0')) return false;
    if (integer.empty() && mask.leadingZero) return false;
    if (integer.size() > 1 && integer[0] == '0') return false;
    if (integer == "0" && !mask.leadingZero) return false;
    const bool zero = (integer.empty() || integer == "0") && decimals.empty();
    return !(negative && zero);
}

bool isEchoText(std::string_view text) {
    if (text.empty() || (text[0] != ' ' && text[0] != '-')) return false;
    const bool negative = text[0] == '-';
    text.remove_prefix(1);
    if (text == "0") return !negative;
    const auto point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!allDigits(integer) || !allDigits(decimals)) return false;
    if (integer.starts_with('0')) return false;
    if (point != std::string_view::npos && (decimals.empty() || decimals.ends_with('0'))) return false;
    if (integer.empty() && decimals.empty()) return false;
    // Significant digits: the decimals' leading zeros count only after an integer part.
    const std::size_t leadingZeros = integer.empty() ? decimals.find_first_not_of('0') : 0;
    return integer.size() + decimals.size() - leadingZeros <= 15;
}

std::vector<std::string> boxFormatProblems(const HeadlessWindow& window) {
    std::vector<std::string> problems;
    const auto complain = [&](ResultBox box, std::string_view what) {
        problems.push_back(std::string(boxName(box)) + " \"" + window.boxText(box) + "\": " + std::string(what));
    };
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        const std::string& text = window.boxText(box);
        if (text.empty()) complain(box, "empty");
        if (looksNonFinite(text)) complain(box, "not finite");
    }
    // Text1..Text23 echo HScroll1..HScroll23.
    for (const SliderSpec& info : kSliders) {
        const ResultBox box = boxFromNumber(static_cast<int>(info.slider));
        const double shown = static_cast<double>(window.sliderPosition(info.slider)) / info.positionsPerUnit;
        if (!isEchoOf(window.boxText(box), info.slider, window.powerDividedBy1000(), shown))
            complain(box, "not the echo of its slider");
    }
    if (!isMilesText(window.boxText(Text51))) complain(Text51, "not a miles text");
    if (!isAverageText(window.boxText(Text49))) complain(Text49, "not an average");
    for (const BoxRule& rule : kMaskedBoxes)
        if (!isMaskedOrWord(window.boxText(rule.box), rule)) complain(rule.box, rule.mask.literal);
    return problems;
}

}  // namespace tropolink::test
