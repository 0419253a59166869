#include "plan/radio_pass.h"

#include "link/pass_window.h"

namespace tropolink {

void applyRadio(PassValues& values, const PlanRadio& radio) {
    if (radio.offSliders.empty()) return;
    LinkParameters params = values.params;
    applyRadio(params, radio);
    values = computePassValues(params);
}

PassValues planRadioPass(const CheckedPlan& plan) {
    HeadlessWindow window;
    PassValues values = runPass(window, plan.requested.settings());
    applyRadio(values, plan.radio);
    return values;
}

}  // namespace tropolink
