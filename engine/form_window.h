#pragma once

#include <span>
#include <string_view>

#include "engine/result_box.h"
#include "engine/slider.h"

namespace tropolink {

struct BoxWrite {
    ResultBox box;
    std::string_view text;
};

// What the recalculation pass needs from its window, and nothing more.
class FormWindow {
public:
    virtual ~FormWindow() = default;

    virtual int sliderPosition(Slider slider) const = 0;
    // State of the "power/1000" check box.
    virtual bool powerDividedBy1000() const = 0;
    virtual void setBoxText(ResultBox box, std::string_view text) = 0;
    // Several writes at once, in order: the same as setBoxText for each,
    // which is what it does unless a window has a quicker way.
    virtual void setBoxTexts(std::span<const BoxWrite> writes);
    // Called once per pass, after the echoes and before any result; takes and
    // gives nothing. It must not hand control back to an event loop.
    virtual void refresh() = 0;
};

}  // namespace tropolink
