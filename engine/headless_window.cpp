#include "engine/headless_window.h"

namespace tropolink {

HeadlessWindow::HeadlessWindow() { resetInputs(); }

int HeadlessWindow::sliderPosition(Slider slider) const {
    return positions_[static_cast<std::size_t>(sliderIndex(slider))];
}

void HeadlessWindow::setBoxText(ResultBox box, std::string_view text) {
    texts_[static_cast<std::size_t>(boxNumber(box) - 1)].assign(text);
    if (recording_) writes_.push_back(box);
}

void HeadlessWindow::setBoxTexts(std::span<const BoxWrite> writes) {
    for (const BoxWrite& write : writes) texts_[static_cast<std::size_t>(boxNumber(write.box) - 1)].assign(write.text);
    if (recording_)
        for (const BoxWrite& write : writes) writes_.push_back(write.box);
}

void HeadlessWindow::setSliderPosition(Slider slider, int position) {
    positions_[static_cast<std::size_t>(sliderIndex(slider))] = position;
}

void HeadlessWindow::resetInputs() {
    positions_ = startPositions();
    powerDividedBy1000_ = false;
}

const std::string& HeadlessWindow::boxText(ResultBox box) const {
    return texts_[static_cast<std::size_t>(boxNumber(box) - 1)];
}

}  // namespace tropolink
