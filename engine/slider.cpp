#include "engine/slider.h"

namespace tropolink {

std::optional<Slider> sliderByName(std::string_view name) {
    for (const SliderSpec& info : kSliders)
        if (info.name == name) return info.slider;
    return std::nullopt;
}

}  // namespace tropolink
