#include "engine/slider.h"

namespace tropolink {

std::optional<Slider> sliderByName(std::string_view name) {
    for (const SliderSpec& info : kSliders)
        if (info.name == name) return info.slider;
    return std::nullopt;
}

std::array<int, kSliderCount> startPositions() {
    std::array<int, kSliderCount> positions{};
    for (const SliderSpec& info : kSliders) positions[static_cast<std::size_t>(sliderIndex(info.slider))] = info.start;
    return positions;
}

}  // namespace tropolink
