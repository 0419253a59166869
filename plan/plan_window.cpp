#include "plan/plan_window.h"

namespace tropolink {

HeadlessWindow planWindow(const PlanResult& r) {
    HeadlessWindow window;
    window.setPowerDividedBy1000(r.plan.requested.settings().powerDividedBy1000);
    for (int n = 1; n <= kResultBoxCount; ++n) window.setBoxText(boxFromNumber(n), r.boxes[static_cast<std::size_t>(n - 1)]);
    return window;
}

std::string_view ituMethodName(itur::ItuMethod method) { return method == itur::ItuMethod::P617 ? "P.617" : "P.2001"; }

}  // namespace tropolink
