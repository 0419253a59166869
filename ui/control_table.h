#pragma once

#include <QRgb>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/result_box.h"
#include "engine/slider.h"
#include "ui/twips.h"

// Where every control of the calculator window stands and what it shows.
namespace tropolink {

inline constexpr double kWindowPointSize = 8.25;

// A label: its name, place, caption and font.
struct Caption {
    std::string_view name;  // "Label31"
    TwipRect place;
    std::string_view text;
    double pointSize = kWindowPointSize;
    bool bold = false;
    bool centred = false;
};

struct SliderPlace {
    Slider slider;
    TwipRect place;
    std::string accessibleName;  // row and column captions, "Station 1, Antenna height (m asl)"
};

struct BoxPlace {
    ResultBox box;
    TwipRect place;
    bool centred;
    std::string accessibleName;  // "Path Loss, CCIR"
};

// A plain coloured rectangle behind the other controls.
struct Panel {
    std::string_view name;  // "Frame1"
    TwipRect place;
    QRgb colour;
};

inline constexpr TwipRect kClientArea{0, 0, 13215, 11340};
inline constexpr TwipRect kStartPlace{360, 960, 1215, 375};
inline constexpr TwipRect kExitPlace{11400, 10800, 1215, 375};
inline constexpr TwipRect kPowerOptionPlace{360, 3240, 1455, 255};
inline constexpr TwipRect kLinkPlace{4440, 840, 5295, 255};
inline constexpr double kLinkPointSize = 9.75;
inline constexpr TwipRect kFaultNoticePlace{4080, 360, 6255, 375};

inline constexpr QRgb kStartColour = qRgb(128, 255, 128);
inline constexpr QRgb kExitColour = qRgb(255, 128, 128);
inline constexpr QRgb kLinkColour = qRgb(0, 0, 255);
inline constexpr QRgb kAverageLossColour = qRgb(0, 0, 0);
inline constexpr QRgb kStation1Colour = qRgb(192, 255, 192);
inline constexpr QRgb kStation2Colour = qRgb(192, 255, 255);
inline constexpr QRgb kFaultNoticeColour = qRgb(255, 255, 192);
inline constexpr QRgb kFaultTextColour = qRgb(128, 0, 0);

inline constexpr std::string_view kStartText = "START";
inline constexpr std::string_view kExitText = "EXIT";
inline constexpr std::string_view kPowerOptionText = "power/1000";
inline constexpr std::string_view kWindowTitle = "A";

// Every label except the link, one table per area of the window.
std::vector<Caption> headerCaptions();
std::vector<Caption> inputCaptions();
std::vector<Caption> resultCaptions();

std::vector<SliderPlace> sliderPlaces();
// The echo boxes of the sliders, Text1 to Text23 and Text51.
std::vector<BoxPlace> echoBoxPlaces();
// Every other box.
std::vector<BoxPlace> resultBoxPlaces();

std::span<const Panel> panels();

// Object names in keyboard focus order.
std::span<const std::string_view> focusOrder();

}  // namespace tropolink
