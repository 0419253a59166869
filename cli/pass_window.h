#pragma once

#include <array>
#include <string>
#include <string_view>

#include "cli/settings.h"
#include "engine/form_window.h"
#include "engine/numeric_fault.h"
#include "engine/recalculate.h"

namespace tropolink::cli {

// The window of a command-line pass: settings in, 52 box texts out. Loading
// new settings empties every box, so no text outlives the pass that wrote it;
// the texts keep their storage, so repeated passes allocate nothing.
class PassWindow final : public FormWindow {
public:
    void load(const Settings& settings);

    int sliderPosition(Slider slider) const override;
    bool powerDividedBy1000() const override { return settings_.powerDividedBy1000; }
    void setBoxText(ResultBox box, std::string_view text) override;
    void refresh() override {}

    std::string_view boxText(ResultBox box) const;

private:
    Settings settings_;
    std::array<std::string, kResultBoxCount> texts_{};
};

// One pass from `settings`. Throws NumericFault when a step fails.
PassValues runPass(PassWindow& window, const Settings& settings);

// What the user is told when a pass stops at a failed step: names the quantity.
std::string numericFaultMessage(const NumericFault& fault);

}  // namespace tropolink::cli
