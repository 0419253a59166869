#include "engine/link_parameters.h"

#include <string>

#include "engine/mask.h"

namespace tropolink {
namespace {

constexpr double kMilesPerKm = 0.621371;  // display only

// Writes a slider's echo and returns its position as a double.
double echoPosition(FormWindow& window, Slider slider, ResultBox box) {
    const double position = window.sliderPosition(slider);
    window.setBoxText(box, echoText(position));
    return position;
}

double echoTenths(FormWindow& window, Slider slider, ResultBox box) {
    const double value = window.sliderPosition(slider) / 10.0;
    window.setBoxText(box, echoText(value));
    return value;
}

// Heights echo in metres and are held in km.
double echoHeight(FormWindow& window, Slider slider, ResultBox box) {
    return echoPosition(window, slider, box) / 1000;
}

double echoPower(FormWindow& window, Slider slider, ResultBox box) {
    const double watts = window.sliderPosition(slider) / 10.0;
    if (!window.powerDividedBy1000()) {
        window.setBoxText(box, echoText(watts));
        return watts;
    }
    // Ticked, the slider reads in milliwatts: the same number, shown as mW.
    std::string text(applyMask(watts, kMaskAngle).view());
    text += " mW";
    window.setBoxText(box, text);
    return watts / 1000;
}

}  // namespace

LinkParameters readLinkParameters(FormWindow& window) {
    using enum Slider;
    using enum ResultBox;
    LinkParameters p;
    StationParameters& s1 = p.station1;
    StationParameters& s2 = p.station2;
    s1.antennaHeight = echoHeight(window, HScroll1, Text1);
    s2.antennaHeight = echoHeight(window, HScroll11, Text11);
    s1.obstructionHeight = echoHeight(window, HScroll2, Text2);
    s2.obstructionHeight = echoHeight(window, HScroll12, Text12);
    s1.obstructionDistance = echoPosition(window, HScroll3, Text3);
    s2.obstructionDistance = echoPosition(window, HScroll13, Text13);
    s1.txPower = echoPower(window, HScroll4, Text4);
    s2.txPower = echoPower(window, HScroll14, Text14);
    s1.txLineLoss = echoTenths(window, HScroll5, Text5);
    s2.txLineLoss = echoTenths(window, HScroll15, Text15);
    s1.rxNoiseFigure = echoTenths(window, HScroll6, Text6);
    s2.rxNoiseFigure = echoTenths(window, HScroll16, Text16);
    s1.rxLineLoss = echoTenths(window, HScroll7, Text7);
    s2.rxLineLoss = echoTenths(window, HScroll17, Text17);
    s1.antennaGain = echoTenths(window, HScroll8, Text8);
    s2.antennaGain = echoTenths(window, HScroll18, Text18);
    s1.antennaNoiseTemp = echoPosition(window, HScroll9, Text9);
    s2.antennaNoiseTemp = echoPosition(window, HScroll19, Text19);
    s1.rxBandwidth = echoPosition(window, HScroll10, Text10);
    s2.rxBandwidth = echoPosition(window, HScroll20, Text20);
    p.frequency = echoPosition(window, HScroll21, Text21);
    p.distance = echoPosition(window, HScroll22, Text22);
    std::string miles = " = ";
    miles += applyMask(p.distance * kMilesPerKm, kMaskMiles).view();
    miles += " miles";
    window.setBoxText(Text51, miles);
    p.surfaceRefractivity = echoPosition(window, HScroll23, Text23);
    return p;
}

}  // namespace tropolink
