#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/form_window.h"

namespace tropolink {

// A window without a screen: slider positions in, box texts out. Boxes start
// empty and keep their text between passes, as a real window's do.
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

    const std::string& boxText(ResultBox box) const;
    int refreshCount() const { return refreshCount_; }

    // When recording, every write is appended to writes() in pass order.
    void setRecordingWrites(bool on) { recording_ = on; }
    const std::vector<ResultBox>& writes() const { return writes_; }
    void clearWrites() { writes_.clear(); }

private:
    std::array<int, kSliderCount> positions_{};
    bool powerDividedBy1000_ = false;
    std::array<std::string, kResultBoxCount> texts_{};
    int refreshCount_ = 0;
    bool recording_ = false;
    std::vector<ResultBox> writes_;
};

}  // namespace tropolink
