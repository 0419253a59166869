#include "coverage/summary_text.h"

#include <cmath>
#include <cstdio>

namespace tropolink::coverage {

std::string countText(std::size_t count) {
    std::string digits = std::to_string(count);
    for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), " ");
    return digits;
}

std::vector<std::string> summaryLines(const CoverageSummary& s) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < kCellKinds; ++k) {
        const auto kind = static_cast<CellKind>(k);
        if (s.counts[kind] > 0 || kind == CellKind::Computed)
            lines.push_back(std::string(cellKindText(kind)) + ": " + countText(s.counts[kind]) + " cells");
    }
    char speed[200];
    std::snprintf(speed, sizeof speed, "%s paths in %.1f s, %s a second; profiles %.0f %% of the workers' time, the method %.0f %%",
                  countText(s.paths).c_str(), s.seconds,
                  countText(static_cast<std::size_t>(std::lround(s.cellsPerSecond))).c_str(), 100 * s.profileShare,
                  100 * s.methodShare);
    lines.emplace_back(speed);
    return lines;
}

}  // namespace tropolink::coverage
