#include "engine/slider.h"

namespace tropolink {

std::optional<Slider> sliderByName(std::string_view name) {
    for (const SliderSpec& spec : kSliders)
        if (spec.name == name) return spec.slider;
    return std::nullopt;
}

std::array<int, kSliderCount> startPositions() {
    std::array<int, kSliderCount> positions{};
    for (const SliderSpec& spec : kSliders) positions[static_cast<std::size_t>(sliderIndex(spec.slider))] = spec.start;
    return positions;
}

}  // namespace tropolink
