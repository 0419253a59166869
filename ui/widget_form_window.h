#pragma once

#include <array>

#include "engine/form_window.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace tropolink {

// The pass's view of the window's controls: slider positions and the check
// box in, box texts out.
class WidgetFormWindow final : public FormWindow {
public:
    using Sliders = std::array<QScrollBar*, kSliderCount>;  // by sliderIndex
    using Boxes = std::array<QLineEdit*, kResultBoxCount>;  // by box number - 1

    WidgetFormWindow(QWidget& window, const Sliders& sliders, const QCheckBox& powerOption, const Boxes& boxes);

    int sliderPosition(Slider slider) const override;
    bool powerDividedBy1000() const override;
    void setBoxText(ResultBox box, std::string_view text) override;
    // Schedules a repaint of the window; never runs the event loop.
    void refresh() override;

private:
    QWidget& window_;
    Sliders sliders_;
    const QCheckBox& powerOption_;
    Boxes boxes_;
};

}  // namespace tropolink
