// The input grid: sliders, their echo boxes, the row labels and the miles box.
#include <array>
#include <string>

#include "ui/control_table.h"

namespace tropolink {
namespace {

constexpr std::array<int, 10> kStationRowTops{1680, 2160, 2640, 3120, 3600, 4080, 4560, 5040, 5520, 6000};
constexpr std::array<int, 3> kPathRowTops{6960, 7440, 7920};
constexpr int kStationRowCount = static_cast<int>(kStationRowTops.size());

constexpr int kSliderWidth = 3495;
constexpr int kSliderHeight = 255;
constexpr int kBoxWidth = 1215;
constexpr int kBoxHeight = 285;
constexpr int kStation1SliderLeft = 2400;
constexpr int kStation1BoxLeft = 6000;
constexpr int kStation2SliderLeft = 7800;
constexpr int kStation2BoxLeft = 11400;
constexpr TwipRect kMilesPlace{7320, 7440, 1215, 285};

constexpr int kRowLabelLeft = 360;
constexpr int kRowLabelWidth = 1815;
constexpr int kRowLabelHeight = 255;

// Slider number 1..23: station 1 rows, station 2 rows, then the path rows.
struct InputRow {
    int top;
    int sliderLeft;
    int boxLeft;
    std::string_view column;  // "Station 1", or empty on a path row
};

InputRow inputRow(Slider slider) {
    const int index = sliderIndex(slider);
    const auto at = [](auto& tops, int i) { return tops[static_cast<std::size_t>(i)]; };
    if (index < kStationRowCount)
        return {at(kStationRowTops, index), kStation1SliderLeft, kStation1BoxLeft, "Station 1"};
    if (index < 2 * kStationRowCount)
        return {at(kStationRowTops, index - kStationRowCount), kStation2SliderLeft, kStation2BoxLeft, "Station 2"};
    return {at(kPathRowTops, index - 2 * kStationRowCount), kStation1SliderLeft, kStation1BoxLeft, {}};
}

// The row caption without the blank some captions start with.
std::string_view trimmed(std::string_view caption) {
    while (!caption.empty() && caption.front() == ' ') caption.remove_prefix(1);
    return caption;
}

std::string accessibleName(Slider slider) {
    const std::string_view column = inputRow(slider).column;
    std::string name(column);
    if (!name.empty()) name += ", ";
    name += trimmed(sliderSpec(slider).rowLabel);
    return name;
}

}  // namespace

std::vector<SliderPlace> sliderPlaces() {
    std::vector<SliderPlace> places;
    for (const SliderSpec& info : kSliders) {
        const InputRow row = inputRow(info.slider);
        places.push_back(
            {info.slider, {row.sliderLeft, row.top, kSliderWidth, kSliderHeight}, accessibleName(info.slider)});
    }
    return places;
}

std::vector<BoxPlace> echoBoxPlaces() {
    std::vector<BoxPlace> places;
    for (const SliderSpec& info : kSliders) {
        const InputRow row = inputRow(info.slider);
        // Text1..Text23 echo HScroll1..HScroll23, number for number.
        places.push_back({boxFromNumber(static_cast<int>(info.slider)),
                          {row.boxLeft, row.top, kBoxWidth, kBoxHeight},
                          false,
                          accessibleName(info.slider)});
    }
    places.push_back({ResultBox::Text51, kMilesPlace, false, accessibleName(Slider::HScroll22) + ", in miles"});
    return places;
}

std::vector<Caption> inputCaptions() {
    static constexpr std::array<std::string_view, 10> kStationNames{"Label1", "Label2", "Label3", "Label4", "Label5",
                                                                    "Label6", "Label7", "Label8", "Label9", "Label10"};
    static constexpr std::array<std::string_view, 3> kPathNames{"Label13", "Label14", "Label15"};
    static constexpr std::array<int, 3> kPathWidths{1215, 1215, 2055};

    std::vector<Caption> captions;
    for (std::size_t i = 0; i < kStationNames.size(); ++i) {
        TwipRect place{kRowLabelLeft, kStationRowTops[i], kRowLabelWidth, kRowLabelHeight};
        captions.push_back({kStationNames[i], place, kSliders[i].rowLabel});
    }
    captions[0].place.width = 1935;
    captions[1].place.width = 1935;
    captions[1].place.height = 375;
    captions[3].place.top = 3000;  // "Tx Power (W)" stands higher, above the check box

    for (std::size_t i = 0; i < kPathNames.size(); ++i) {
        const std::size_t slider = 2 * kStationNames.size() + i;
        captions.push_back({kPathNames[i],
                            {kRowLabelLeft, kPathRowTops[i], kPathWidths[i], kRowLabelHeight},
                            kSliders[slider].rowLabel});
    }
    return captions;
}

}  // namespace tropolink
