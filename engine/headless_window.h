#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/form_window.h"
#include "engine/mask.h"

namespace tropolink {

// A window without a screen: slider positions in, box texts out. Boxes start
// empty and keep their text between passes, as a real window's do. A pass's
// texts are copied into room of the window's own; a std::string of a box is
// made only when boxText asks for it, so that a reader of views pays for none.
class HeadlessWindow final : public FormWindow {
public:
    HeadlessWindow();

    int sliderPosition(Slider slider) const override;
    bool powerDividedBy1000() const override { return powerDividedBy1000_; }
    void setBoxText(ResultBox box, std::string_view text) override;
    void setBoxTexts(std::span<const BoxWrite> writes) override;
    void refresh() override { ++refreshCount_; }

    void setSliderPosition(Slider slider, int position);
    void setPowerDividedBy1000(bool ticked) { powerDividedBy1000_ = ticked; }
    // Back to the start positions, box unticked; box texts are kept.
    void resetInputs();

    // Valid until the box is next written. Not for two threads at once: it
    // may bring the box's std::string up to date.
    const std::string& boxText(ResultBox box) const;
    // Valid until the box is next written.
    std::string_view boxView(ResultBox box) const;
    int refreshCount() const { return refreshCount_; }

    // When recording, every write is appended to writes() in pass order.
    void setRecordingWrites(bool on) { recording_ = on; }
    const std::vector<ResultBox>& writes() const { return writes_; }
    void clearWrites() { writes_.clear(); }

private:
    std::array<int, kSliderCount> positions_{};
    bool powerDividedBy1000_ = false;
    // The longest text a pass composes; a longer one (written by a caller
    // other than the pass) lives in its std::string alone.
    static constexpr std::size_t kRoomBytes = kMaxNumberTextBytes + 16;
    static constexpr std::uint16_t kInString = UINT16_MAX;
    void store(std::size_t index, std::string_view text);

    std::array<std::array<char, kRoomBytes>, kResultBoxCount> room_;  // only [0, size) is read
    std::array<std::uint16_t, kResultBoxCount> sizes_{};
    mutable std::array<std::string, kResultBoxCount> texts_{};
    mutable std::uint64_t stale_ = 0;  // bit i: texts_[i] lags behind room_[i]
    static_assert(kResultBoxCount <= 64);
    int refreshCount_ = 0;
    bool recording_ = false;
    std::vector<ResultBox> writes_;
};

}  // namespace tropolink
