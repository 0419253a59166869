#include "link/pass_window.h"

namespace tropolink {

PassValues runPass(HeadlessWindow& window, const Settings& settings) {
    for (const SliderSpec& info : kSliders)
        window.setSliderPosition(info.slider, settings.positions[static_cast<std::size_t>(sliderIndex(info.slider))]);
    window.setPowerDividedBy1000(settings.powerDividedBy1000);
    return RecalculateWithValues(window);
}

std::string numericFaultMessage(const NumericFault& fault) {
    return "numeric fault: could not compute the " + fault.quantity();
}

}  // namespace tropolink
