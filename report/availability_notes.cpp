#include "report/availability_notes.h"

#include <algorithm>

#include "report/availability_cells.h"
#include "report/fading_report.h"

namespace tropolink {

std::string outOfRangeNote(itur::ItuMethod method, itur::OutOfRangeReason reason, const itur::AvailabilityAnswer& a) {
    std::string note = std::string(itur::methodNames(method).label) + " gives no figure: ";
    switch (reason) {
        case itur::OutOfRangeReason::ScatterAngle:
            note += "the scatter angle of ";
            note += figureText(a.geometry.scatterAngleMrad());
            note += " mrad lies outside its range, above 0 and at most 200 mrad";
            break;
        case itur::OutOfRangeReason::CommonVolumeHeight:
            if (method == itur::ItuMethod::P2001) {
                note += "its scatter height htrop = theta^2 ae / 8 lies above 20 km, outside the troposphere";
            } else {
                note += "the common volume at ";
                note += a.commonVolumeHeightKm ? figureText(*a.commonVolumeHeightKm) : "-";
                note += " km lies outside its range, 0 to 20 km above sea level";
            }
            break;
        case itur::OutOfRangeReason::NotFinite:
        case itur::OutOfRangeReason::None:
            note += "a term of its formula is not finite on this path";
            break;
    }
    return note;
}

std::vector<std::string> availabilityNotes(const itur::AvailabilityAnswer& a) {
    std::vector<std::string> notes;
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const itur::MethodLoss& domain = itur::methodAnswer(a, method).domain;
        if (domain.verdict == itur::MethodVerdict::OutOfRange) notes.push_back(outOfRangeNote(method, domain.reason, a));
    }
    if (std::ranges::any_of(a.p617.rows, [](const itur::PercentFigures& r) { return r.percent < kScatterOnlyPercent; }))
        notes.emplace_back(
            "Below 10 % of the year ducting and layer reflection, which these methods leave out, usually decide the "
            "loss: there both methods predict too much loss");
    for (std::string& note : fadingNotes(a)) notes.push_back(std::move(note));
    return notes;
}

}  // namespace tropolink
