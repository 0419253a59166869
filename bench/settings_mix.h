#pragma once

#include <array>
#include <random>
#include <vector>

#include "engine/slider.h"

namespace tropolink::bench {

struct Setting {
    std::array<int, kSliderCount> positions;
    bool powerDividedBy1000;
};

// A fixed mix of settings: a third line of sight (both antennas high), a third
// where ITT or Collins is out of range, a third drawn over every slider.
inline std::vector<Setting> settingsMix(std::size_t count) {
    std::mt19937 random(20261208);
    std::vector<Setting> mix;
    mix.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Setting s{startPositions(), (i % 2) == 1};
        for (const SliderSpec& info : kSliders) {
            std::uniform_int_distribution<int> position(info.minimum, info.maximum);
            if (i % 3 == 2) s.positions[static_cast<std::size_t>(sliderIndex(info.slider))] = position(random);
        }
        auto at = [&](Slider slider) -> int& { return s.positions[static_cast<std::size_t>(sliderIndex(slider))]; };
        if (i % 3 == 0) {
            at(Slider::HScroll1) = 5000 + static_cast<int>(i % 5000);
            at(Slider::HScroll11) = 10000 - static_cast<int>(i % 5000);
        } else if (i % 3 == 1) {
            at(Slider::HScroll22) = 100 + static_cast<int>(i % 1900);  // Collins out of range below 161 km
            at(Slider::HScroll23) = 350;
        }
        mix.push_back(s);
    }
    return mix;
}

}  // namespace tropolink::bench
