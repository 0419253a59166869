#include "pass_helpers.h"

#include <gtest/gtest.h>

#include "engine/path_geometry.h"

namespace tropolink::test {

Settings bothStations(const Settings& station1) {
    Settings both = station1;
    for (const SliderSetting& s : station1) both.push_back({otherStation(s.slider), s.position});
    return both;
}

HeadlessWindow windowAt(const Settings& settings, bool powerDividedBy1000) {
    HeadlessWindow window;
    for (const SliderSetting& s : settings) window.setSliderPosition(s.slider, s.position);
    window.setPowerDividedBy1000(powerDividedBy1000);
    return window;
}

HeadlessWindow passAt(const Settings& settings, bool powerDividedBy1000) {
    HeadlessWindow window = windowAt(settings, powerDividedBy1000);
    Recalculate(window);
    return window;
}

PassValues valuesAt(const Settings& settings, bool powerDividedBy1000) {
    HeadlessWindow window = windowAt(settings, powerDividedBy1000);
    return RecalculateWithValues(window);
}

LinkParameters paramsAt(const Settings& settings, bool powerDividedBy1000) {
    HeadlessWindow window = windowAt(settings, powerDividedBy1000);
    LinkParameters params = readLinkParameters(window);
    replaceZeroDistances(params);
    return params;
}

void expectBoxes(const HeadlessWindow& window, const BoxTexts& expected) {
    for (const auto& [box, text] : expected) EXPECT_EQ(window.boxText(box), text) << boxName(box);
}

}  // namespace tropolink::test
