#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/headless_window.h"
#include "engine/recalculate.h"

namespace tropolink::test {

struct SliderSetting {
    Slider slider;
    int position;
};
using Settings = std::vector<SliderSetting>;

// The station 2 slider of the same row as a station 1 slider.
constexpr Slider otherStation(Slider station1) { return sliderFromNumber(static_cast<int>(station1) + 10); }
// Station 1 settings applied to both stations.
Settings bothStations(const Settings& station1);

template <class T>
std::vector<T> concat(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Start positions with the given sliders moved; no pass has run.
HeadlessWindow windowAt(const Settings& settings, bool powerDividedBy1000 = false);
// The same window after one pass.
HeadlessWindow passAt(const Settings& settings, bool powerDividedBy1000 = false);
PassValues valuesAt(const Settings& settings, bool powerDividedBy1000 = false);
// The record as the loss models see it: read, then zero heights and distances replaced.
LinkParameters paramsAt(const Settings& settings, bool powerDividedBy1000 = false);

// Boxes of station 1 and station 2 that show the same figure when both stations are set alike.
inline constexpr std::pair<ResultBox, ResultBox> kStationPairs[]{
    {ResultBox::Text24, ResultBox::Text25}, {ResultBox::Text39, ResultBox::Text40},
    {ResultBox::Text41, ResultBox::Text42}, {ResultBox::Text30, ResultBox::Text34},
    {ResultBox::Text31, ResultBox::Text35}, {ResultBox::Text32, ResultBox::Text36},
    {ResultBox::Text33, ResultBox::Text37}, {ResultBox::Text47, ResultBox::Text48}};

using BoxTexts = std::vector<std::pair<ResultBox, std::string>>;
void expectBoxes(const HeadlessWindow& window, const BoxTexts& expected);

// Names a parameterised case after the `name` field of its row.
struct CaseName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// Half a unit of the last decimal a worked example gives.
constexpr double decimals(int count) {
    double unit = 1;
    for (int i = 0; i < count; ++i) unit /= 10;
    return 0.5 * unit * (1 + 1e-9);
}

}  // namespace tropolink::test
