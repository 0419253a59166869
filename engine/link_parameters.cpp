#include "engine/link_parameters.h"

#include <cstring>

#include "engine/mask.h"

namespace tropolink {
namespace {

constexpr double kMilesPerKm = 0.621371;  // display only

// Appends `text` at `out`.
char* put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Echoes a slider and returns its position as a double.
double echoPosition(FormWindow& window, BoxTextBatch& texts, Slider slider, ResultBox box) {
    const double position = window.sliderPosition(slider);
    texts.echo(box, position);
    return position;
}

// The tenths rows echo their position / 10, made from the integer itself.
double echoTenths(FormWindow& window, BoxTextBatch& texts, Slider slider, ResultBox box) {
    const int position = window.sliderPosition(slider);
    texts.echoTenths(box, position);
    return position / 10.0;
}

// Heights echo in metres and are held in km.
double echoHeight(FormWindow& window, BoxTextBatch& texts, Slider slider, ResultBox box) {
    return echoPosition(window, texts, slider, box) / 1000;
}

double echoPower(FormWindow& window, BoxTextBatch& texts, Slider slider, ResultBox box) {
    if (!window.powerDividedBy1000()) return echoTenths(window, texts, slider, box);
    // Ticked, the slider reads in milliwatts: the same number, shown as mW.
    const double watts = window.sliderPosition(slider) / 10.0;
    texts.composed(box, put(writeMasked(texts.compose(), watts, kMaskAngle), " mW"));
    return watts / 1000;
}

}  // namespace

LinkParameters readLinkParameters(FormWindow& window) {
    BoxTextBatch texts(window);
    const LinkParameters p = readLinkParameters(window, texts);
    texts.handOver();
    return p;
}

LinkParameters readLinkParameters(FormWindow& window, BoxTextBatch& texts) {
    using enum Slider;
    using enum ResultBox;
    LinkParameters p;
    StationParameters& s1 = p.station1;
    StationParameters& s2 = p.station2;
    s1.antennaHeight = echoHeight(window, texts, HScroll1, Text1);
    s2.antennaHeight = echoHeight(window, texts, HScroll11, Text11);
    s1.obstructionHeight = echoHeight(window, texts, HScroll2, Text2);
    s2.obstructionHeight = echoHeight(window, texts, HScroll12, Text12);
    s1.obstructionDistance = echoPosition(window, texts, HScroll3, Text3);
    s2.obstructionDistance = echoPosition(window, texts, HScroll13, Text13);
    s1.txPower = echoPower(window, texts, HScroll4, Text4);
    s2.txPower = echoPower(window, texts, HScroll14, Text14);
    s1.txLineLoss = echoTenths(window, texts, HScroll5, Text5);
    s2.txLineLoss = echoTenths(window, texts, HScroll15, Text15);
    s1.rxNoiseFigure = echoTenths(window, texts, HScroll6, Text6);
    s2.rxNoiseFigure = echoTenths(window, texts, HScroll16, Text16);
    s1.rxLineLoss = echoTenths(window, texts, HScroll7, Text7);
    s2.rxLineLoss = echoTenths(window, texts, HScroll17, Text17);
    s1.antennaGain = echoTenths(window, texts, HScroll8, Text8);
    s2.antennaGain = echoTenths(window, texts, HScroll18, Text18);
    s1.antennaNoiseTemp = echoPosition(window, texts, HScroll9, Text9);
    s2.antennaNoiseTemp = echoPosition(window, texts, HScroll19, Text19);
    s1.rxBandwidth = echoPosition(window, texts, HScroll10, Text10);
    s2.rxBandwidth = echoPosition(window, texts, HScroll20, Text20);
    p.frequency = echoPosition(window, texts, HScroll21, Text21);
    p.distance = echoPosition(window, texts, HScroll22, Text22);
    char* const miles = put(texts.compose(), " = ");
    texts.composed(Text51, put(writeMasked(miles, p.distance * kMilesPerKm, kMaskMiles), " miles"));
    p.surfaceRefractivity = echoPosition(window, texts, HScroll23, Text23);
    return p;
}

}  // namespace tropolink
