// The result area: the method grid, the right-hand column and the single rows.
#include <array>
#include <optional>
#include <string>

#include "ui/control_table.h"

namespace tropolink {
namespace {

using enum ResultBox;

constexpr int kColumnWidth = 1095;
constexpr int kBoxHeight = 285;
constexpr int kCaptionHeight = 255;

struct MethodColumn {
    std::string_view heading;  // caption above the column
    std::string_view headingName;
    int left;
};

constexpr std::array<MethodColumn, 5> kMethodColumns{{
    {"YEH", "Label17", 2040},
    {"ITT", "Label18", 3360},
    {"CCIR", "Label19", 4680},
    {"COLLINS", "Label20", 6000},
    {"RIDER", "Label34", 7320},
}};
constexpr int kHeadingTop = 8880;
constexpr int kYehHeadingLeft = 2160;  // the YEH heading sits a little right of its column

struct MethodRow {
    Caption label;
    int boxTop;
    std::array<std::optional<ResultBox>, 5> boxes;  // by column; the coupling row has two
};

constexpr int kMethodLabelLeft = 240;
constexpr int kMethodLabelWidth = 1215;

const std::array<MethodRow, 4> kMethodRows{{
    {{"Label21", {kMethodLabelLeft, 9240, kMethodLabelWidth, kCaptionHeight}, "Path Loss"},
     9240,
     {Text26, Text27, Text28, Text29, Text46}},
    {{"Label22", {kMethodLabelLeft, 9720, kMethodLabelWidth, kCaptionHeight}, "S/N at Station 1"},
     9720,
     {Text30, Text31, Text32, Text33, Text47}},
    {{"Label23", {kMethodLabelLeft, 10200, kMethodLabelWidth, kCaptionHeight}, "S/N at Station2"},
     10200,
     {Text34, Text35, Text36, Text37, Text48}},
    {{"Label30", {240, 10680, 1695, 735}, "Aperture/medium coupling loss (included in above)"},
     10800,
     {Text44, std::nullopt, Text45, std::nullopt, std::nullopt}},
}};

// Right-hand column: a label at 9480 and its box at 11400 on each row.
struct SideRow {
    Caption label;
    ResultBox box;
};

constexpr int kSideLabelLeft = 9480;
constexpr TwipRect sideLabel(int top, int width) { return {kSideLabelLeft, top, width, kCaptionHeight}; }

const std::array<SideRow, 7> kSideRows{{
    {{"Label28", sideLabel(7080, 1815), "3dB Beamwidth Ant#1"}, Text41},
    {{"Label27", sideLabel(7560, 1815), "3dB Beamwidth Ant#2"}, Text42},
    {{"Label29", sideLabel(8280, 1695), "Line of sight loss"}, Text43},
    {{"Label42", sideLabel(8760, 1695), "Perfect duct loss"}, Text52},
    {{"Label24", sideLabel(9240, 1815), "Scattering Angle (deg)"}, Text38},
    {{"Label25", sideLabel(9720, 1815), "TOA at Station #1 (deg)"}, Text39},
    {{"Label26", sideLabel(10200, 1815), "TOA at Station #2 (deg)"}, Text40},
}};
constexpr int kSideBoxLeft = 11400;
constexpr int kSideBoxWidth = 1215;

constexpr Caption kSensitivityLabel{"Label16", {360, 6480, 1815, 255}, "Rx Sensitivity (dBW)"};
constexpr Caption kAttenuationLabel{"Label36", {360, 8400, 2295, 255}, "Atmospheric Attenuation (dB)"};
constexpr Caption kAverageLabel{"Label35", {6960, 10800, 2415, 375}, "Average Loss Yeh/CCIR/Collins (when valid)"};

std::string joined(std::string_view row, std::string_view column) {
    std::string name(row);
    name += ", ";
    name += column;
    return name;
}

}  // namespace

std::vector<Caption> resultCaptions() {
    std::vector<Caption> captions{kSensitivityLabel,
                                  kAttenuationLabel,
                                  kAverageLabel,
                                  {"Label41", {4440, 8400, 3015, 255}, "(Not included in calculations)"}};
    for (const MethodColumn& column : kMethodColumns)
        captions.push_back({column.headingName,
                            {column.left, kHeadingTop, kColumnWidth, kCaptionHeight},
                            column.heading,
                            kWindowPointSize,
                            false,
                            true});
    captions[4].place.left = kYehHeadingLeft;
    for (const MethodRow& row : kMethodRows) captions.push_back(row.label);
    for (const SideRow& row : kSideRows) captions.push_back(row.label);
    return captions;
}

std::vector<BoxPlace> resultBoxPlaces() {
    std::vector<BoxPlace> places{
        {Text24, {2880, 6480, 2775, kBoxHeight}, true, joined("Station 1", kSensitivityLabel.text)},
        {Text25, {8280, 6480, 2775, kBoxHeight}, true, joined("Station 2", kSensitivityLabel.text)},
        {Text50, {2880, 8400, 1455, kBoxHeight}, false, std::string(kAttenuationLabel.text)},
        {Text49, {9480, 10800, 1215, kBoxHeight}, false, std::string(kAverageLabel.text)},
    };
    for (const MethodRow& row : kMethodRows) {
        for (std::size_t c = 0; c < kMethodColumns.size(); ++c) {
            if (!row.boxes[c]) continue;
            places.push_back({*row.boxes[c],
                              {kMethodColumns[c].left, row.boxTop, kColumnWidth, kBoxHeight},
                              false,
                              joined(row.label.text, kMethodColumns[c].heading)});
        }
    }
    for (const SideRow& row : kSideRows)
        places.push_back({row.box,
                          {kSideBoxLeft, row.label.place.top, kSideBoxWidth, kBoxHeight},
                          false,
                          std::string(row.label.text)});
    return places;
}

}  // namespace tropolink
