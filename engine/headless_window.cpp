#include "engine/headless_window.h"

#include <algorithm>
#include <cstring>

namespace tropolink {

HeadlessWindow::HeadlessWindow() { resetInputs(); }

int HeadlessWindow::sliderPosition(Slider slider) const {
    return positions_[static_cast<std::size_t>(sliderIndex(slider))];
}

namespace {

// Copies a text of a few bytes, as most box texts are, with two overlapping
// loads and stores and no call: the library's copy cost as much again in its
// call and its choice of method.
void copyText(char* to, std::string_view text) {
    const std::size_t n = text.size();
    const char* from = text.data();
    if (n >= 8 && n <= 16) {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4 && n < 8) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else {
        std::copy_n(from, n, to);
    }
}

}  // namespace

inline void HeadlessWindow::store(std::size_t index, std::string_view text) {
    const std::uint64_t bit = std::uint64_t{1} << index;
    if (text.size() <= kRoomBytes) {
        copyText(room_[index].data(), text);
        sizes_[index] = static_cast<std::uint16_t>(text.size());
        stale_ |= bit;
    } else {
        texts_[index].assign(text);
        sizes_[index] = kInString;
        stale_ &= ~bit;
    }
}

void HeadlessWindow::setBoxText(ResultBox box, std::string_view text) {
    store(static_cast<std::size_t>(boxNumber(box) - 1), text);
    if (recording_) writes_.push_back(box);
}

void HeadlessWindow::setBoxTexts(std::span<const BoxWrite> writes) {
    for (const BoxWrite& write : writes) store(static_cast<std::size_t>(boxNumber(write.box) - 1), write.text);
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

std::string_view HeadlessWindow::boxView(ResultBox box) const {
    const auto index = static_cast<std::size_t>(boxNumber(box) - 1);
    if (sizes_[index] == kInString) return texts_[index];
    return {room_[index].data(), sizes_[index]};
}

const std::string& HeadlessWindow::boxText(ResultBox box) const {
    const auto index = static_cast<std::size_t>(boxNumber(box) - 1);
    const std::uint64_t bit = std::uint64_t{1} << index;
    if ((stale_ & bit) != 0) {
        texts_[index].assign(room_[index].data(), sizes_[index]);
        stale_ &= ~bit;
    }
    return texts_[index];
}

}  // namespace tropolink
