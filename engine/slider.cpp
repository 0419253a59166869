#include "engine/slider.h"

namespace tropolink {

std::optional<Slider> sliderByName(std::string_view name) {
    // "HScroll" and its number: straight to the slider of that number, which a
    // batch of full settings names 23 times a line.
    constexpr std::string_view kPrefix = "HScroll";
    if (name.size() > kPrefix.size() && name.size() <= kPrefix.size() + 2 && name.starts_with(kPrefix)) {
        std::size_t number = 0;
        for (const char c : name.substr(kPrefix.size())) number = 10 * number + static_cast<std::size_t>(c - '0');
        if (number >= 1 && number <= kSliders.size() && kSliders[number - 1].name == name)
            return kSliders[number - 1].slider;
    }
    for (const SliderSpec& info : kSliders)
        if (info.name == name) return info.slider;
    return std::nullopt;
}

}  // namespace tropolink
