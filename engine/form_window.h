#pragma once

#include <string_view>

#include "engine/result_box.h"
#include "engine/slider.h"

namespace tropolink {

// What the recalculation pass needs from its window, and nothing more.
class FormWindow {
public:
    virtual ~FormWindow() = default;

    virtual int sliderPosition(Slider slider) const = 0;
    // State of the "power/1000" check box.
    virtual bool powerDividedBy1000() const = 0;
    virtual void setBoxText(ResultBox box, std::string_view text) = 0;
    // Called once per pass, after the echoes and before any result; takes and
    // gives nothing. It must not hand control back to an event loop.
    virtual void refresh() = 0;
};

}  // namespace tropolink
