#include "cli/pass_window.h"

namespace tropolink::cli {

void PassWindow::load(const Settings& settings) {
    settings_ = settings;
    for (std::string& text : texts_) text.clear();
}

int PassWindow::sliderPosition(Slider slider) const {
    return settings_.positions[static_cast<std::size_t>(sliderIndex(slider))];
}

void PassWindow::setBoxText(ResultBox box, std::string_view text) {
    texts_[static_cast<std::size_t>(boxNumber(box) - 1)].assign(text);
}

std::string_view PassWindow::boxText(ResultBox box) const {
    return texts_[static_cast<std::size_t>(boxNumber(box) - 1)];
}

PassValues runPass(PassWindow& window, const Settings& settings) {
    window.load(settings);
    return recalculateWithValues(window);
}

std::string numericFaultMessage(const NumericFault& fault) {
    return "numeric fault: could not compute the " + fault.quantity();
}

}  // namespace tropolink::cli
