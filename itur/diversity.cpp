#include "itur/diversity.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

namespace tropolink::itur {
namespace {

constexpr std::string_view kSelectionName = "selection";
constexpr std::string_view kMaximalRatioName = "maximal-ratio";

// The shortest text that reads back as the same double.
std::string numberText(double value) {
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} ? std::string(text.data(), end) : std::string("?");
}

[[noreturn]] void refuse(const std::string& input, std::string_view problem, std::string_view allowed) {
    throw std::invalid_argument(input + ": " + std::string(problem) + " (allowed: " + std::string(allowed) + ")");
}

}  // namespace

std::string_view combinerName(Combiner combiner) {
    return combiner == Combiner::Selection ? kSelectionName : kMaximalRatioName;
}

Combiner combinerNamed(std::string_view name) {
    if (name == kSelectionName) return Combiner::Selection;
    if (name == kMaximalRatioName) return Combiner::MaximalRatio;
    // Only printable ASCII goes into the line; the rest is shown as '?'.
    std::string shown(name.substr(0, 64));
    std::replace_if(shown.begin(), shown.end(), [](char c) { return c < 0x20 || c > 0x7e; }, '?');
    refuse("combiner " + shown, "unknown", "selection or maximal-ratio");
}

void validateDiversity(const Diversity& d) {
    if (std::find(kDiversityOrders.begin(), kDiversityOrders.end(), d.order) == kDiversityOrders.end())
        refuse("diversity order " + std::to_string(d.order), "not a diversity order", "1, 2 or 4");
    if (d.combiner != Combiner::Selection && d.combiner != Combiner::MaximalRatio)
        refuse("combiner " + std::to_string(static_cast<int>(d.combiner)), "unknown", "selection or maximal-ratio");
    if (!(d.branchCorrelation >= 0 && d.branchCorrelation <= kMaxBranchCorrelation))
        refuse("branch correlation " + numberText(d.branchCorrelation), "out of range", "0 to 0.99");
    if (d.branchCorrelation != 0 && d.order != 2)
        refuse("branch correlation " + numberText(d.branchCorrelation) + " with diversity order " +
                   std::to_string(d.order),
               "only dual diversity has a branch correlation", "0 with diversity order 1 or 4");
}

}  // namespace tropolink::itur
