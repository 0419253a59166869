#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tropolink {

// A display mask such as "###.##": the number of decimals after the point and
// whether a zero integer part is shown as "0" (mask starts with "0") or omitted.
struct Mask {
    std::string_view literal;
    int decimals;
    bool leadingZero;
};

consteval Mask makeMask(std::string_view literal) {
    const auto point = literal.find('.');
    return Mask{literal, static_cast<int>(literal.size() - point - 1), literal.front() == '0'};
}

inline constexpr Mask kMaskLoss = makeMask("###.##");
inline constexpr Mask kMaskSignalToNoise = makeMask("###.###");
inline constexpr Mask kMaskTwoDecimals = makeMask("##.##");
inline constexpr Mask kMaskAngle = makeMask("0.###");
inline constexpr Mask kMaskCoupling = makeMask("0.##");
inline constexpr Mask kMaskAverage = makeMask("###.#");
inline constexpr Mask kMaskMiles = makeMask("####.#");

// The most bytes a formatted number takes: the integer digits of any finite
// double (no exponent is ever shown) plus sign, point and decimals.
inline constexpr std::size_t kMaxNumberTextBytes = 352;

// Text of one formatted number. Large enough for the integer digits of any
// finite double (no exponent is ever shown) plus sign, point and decimals.
class NumberText {
public:
    std::string_view view() const { return {buffer_.data(), size_}; }
    operator std::string_view() const { return view(); }

private:
    friend NumberText applyMask(double, Mask);
    friend NumberText echoText(double);
    friend NumberText echoTenthsText(int);
    std::array<char, kMaxNumberTextBytes> buffer_;  // left uninitialised: only [0, size_) is ever read
    std::size_t size_ = 0;
};

// The mask rules: the value is first reduced to 15 significant decimal digits,
// then rounded half away from zero in decimal to the mask's decimals. The point
// is always shown, trailing zeros after it are dropped. A value that rounds to
// zero is shown without a minus sign: "-0." would suggest a sign the shown
// number does not have.
NumberText applyMask(double value, Mask mask);
// The same text written at `out` (room for kMaxNumberTextBytes); returns its end.
char* writeMasked(char* out, double value, Mask mask);

// The echo of a slider setting: a blank (or "-") then up to 15 significant
// digits, no trailing zeros, no point for a whole value, no "0" before the point.
NumberText echoText(double value);
char* writeEcho(char* out, double value);

// The echo of a tenths slider at `position`, the same text as
// echoText(position / 10.0), made from the integer. writeEchoTenths writes it
// at `out` (room for kMaxNumberTextBytes) and returns its end.
NumberText echoTenthsText(int position);
char* writeEchoTenths(char* out, int position);

// The value carried as 15-significant-digit decimal text and read back.
double roundToSignificant15(double value);

}  // namespace tropolink
