// The header, the background panels and the keyboard focus order.
#include <array>

#include "ui/control_table.h"

namespace tropolink {
namespace {

constexpr double kTitlePointSize = 12;

constexpr std::array<Panel, 6> kPanels{{
    {"Frame1", {2280, 1440, 5175, 5415}, kStation1Colour},
    {"Frame2", {7680, 1440, 5295, 5415}, kStation2Colour},
    {"Frame3", {1920, 9600, 6615, 495}, kStation1Colour},
    {"Frame4", {1920, 10080, 6615, 495}, kStation2Colour},
    {"Frame5", {11280, 9600, 1455, 495}, kStation1Colour},
    {"Frame6", {11280, 10080, 1455, 495}, kStation2Colour},
}};

constexpr std::array<std::string_view, 78> kFocusOrder{
    "HScroll1",  "HScroll2",  "HScroll3",  "HScroll4",  "HScroll5",  "HScroll6",  "HScroll7",  "HScroll8",  "HScroll9",
    "HScroll10", "HScroll11", "HScroll12", "HScroll13", "HScroll14", "HScroll15", "HScroll16", "HScroll17", "HScroll18",
    "HScroll19", "HScroll20", "Text1",     "Text2",     "Text3",     "Text4",     "Text5",     "Text6",     "Text7",
    "Text8",     "Text10",    "Text11",    "Text12",    "Text13",    "Text14",    "Text15",    "Text16",    "Text17",
    "Text18",    "Text19",    "Text20",    "HScroll21", "HScroll22", "HScroll23", "Text21",    "Text22",    "Text23",
    "Text24",    "Text25",    "Text26",    "Text27",    "Text28",    "Text29",    "Text30",    "Text31",    "Text32",
    "Text33",    "Text34",    "Text35",    "Text36",    "Text37",    "Text38",    "Text39",    "Text40",    "Text41",
    "Text42",    "Text43",    "Command1",  "Command2",  "Text9",     "Text44",    "Text45",    "Text46",    "Text47",
    "Text48",    "Text49",    "Text50",    "Text51",    "Text52",    "Check1",
};

}  // namespace

std::vector<Caption> headerCaptions() {
    return {
        {"Label31",
         {3360, 0, 8175, 255},
         "Tropospheric Loss and Link Loss Calculator by Quillmoor",
         kTitlePointSize,
         true},
        {"Label43", {11400, 0, 735, 375}, "v2.7.0", kTitlePointSize, true},
        {"Label33",
         {360, 120, 1935, 855},
         "Note all values are adjusted via the sliders. You can't type values into the display boxes"},
        {"Label32",
         {4080, 360, 6255, 375},
         "For a full description of this program including the science behind it and how to use it please visit the "
         "following link (clicking on it should open it in your default browser)",
         kWindowPointSize,
         false,
         true},
        {"Label11", {3360, 1200, 2535, 255}, "Station #1", kWindowPointSize, true, true},
        {"Label40", {8880, 1200, 2415, 255}, "Station #2", kWindowPointSize, true, true},
    };
}

std::span<const Panel> panels() { return kPanels; }

std::span<const std::string_view> focusOrder() { return kFocusOrder; }

}  // namespace tropolink
