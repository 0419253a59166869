#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The upper envelope of straight lines y = slope·x + intercept: which line is
// largest at a given x, in O(log n) after an O(n log n) build. The
// diffraction model's maxima over the profile are such lines in the earth's
// curvature.
namespace tropolink::p2001 {

struct Line {
    double slope = 0;
    double intercept = 0;
};

class UpperEnvelope {
public:
    UpperEnvelope() = default;
    explicit UpperEnvelope(const std::vector<Line>& lines);

    // The index (in the lines as given) of a line largest at x: within
    // rounding of the largest, on a near tie either.
    std::size_t largestAt(double x) const;

private:
    std::vector<double> breaks_;        // breaks_[k]: where line k + 1 takes over from line k
    std::vector<std::uint32_t> lines_;  // the envelope's lines, slope ascending
};

}  // namespace tropolink::p2001
