#include "engine/link_parameters.h"

#include <string>

#include "engine/mask.h"

namespace tropolink {
namespace {

constexpr double kMilesPerKm = 0.621371;  // display only

int positionOf(const SliderPositions& positions, Slider slider) {
    return positions[static_cast<std::size_t>(sliderIndex(slider))];
}

double tenths(int position) { return position / 10.0; }

// Heights are set in metres and held in km.
double heightKm(int position) { return static_cast<double>(position) / 1000; }

double txPowerWatts(int position, bool powerDividedBy1000) {
    const double watts = tenths(position);
    return powerDividedBy1000 ? watts / 1000 : watts;
}

StationParameters stationFromPositions(const SliderPositions& at, bool powerDividedBy1000, int firstSlider) {
    const auto position = [&](int row) { return positionOf(at, sliderFromNumber(firstSlider + row)); };
    StationParameters s;
    s.antennaHeight = heightKm(position(0));
    s.obstructionHeight = heightKm(position(1));
    s.obstructionDistance = position(2);
    s.txPower = txPowerWatts(position(3), powerDividedBy1000);
    s.txLineLoss = tenths(position(4));
    s.rxNoiseFigure = tenths(position(5));
    s.rxLineLoss = tenths(position(6));
    s.antennaGain = tenths(position(7));
    s.antennaNoiseTemp = position(8);
    s.rxBandwidth = position(9);
    return s;
}

// The echo shows the slider's value in the unit of its row: metres for the
// heights, tenths on the tenths rows, watts (or, ticked, milliwatts) for power.
void writeEcho(FormWindow& window, Slider slider, int position, bool powerDividedBy1000) {
    const ResultBox box = boxFromNumber(static_cast<int>(slider));
    const SliderSpec& info = sliderSpec(slider);
    if (slider == Slider::HScroll4 || slider == Slider::HScroll14) {
        const double watts = tenths(position);
        if (!powerDividedBy1000) {
            window.setBoxText(box, echoText(watts));
            return;
        }
        // Ticked, the slider reads in milliwatts: the same number, shown as mW.
        std::string text(applyMask(watts, kMaskAngle).view());
        text += " mW";
        window.setBoxText(box, text);
        return;
    }
    window.setBoxText(box, echoText(info.positionsPerUnit == 10 ? tenths(position) : position));
}

}  // namespace

LinkParameters linkParametersFromPositions(const SliderPositions& positions, bool powerDividedBy1000) {
    LinkParameters p;
    p.station1 = stationFromPositions(positions, powerDividedBy1000, 1);
    p.station2 = stationFromPositions(positions, powerDividedBy1000, 11);
    p.frequency = positionOf(positions, Slider::HScroll21);
    p.distance = positionOf(positions, Slider::HScroll22);
    p.surfaceRefractivity = positionOf(positions, Slider::HScroll23);
    return p;
}

LinkParameters readLinkParameters(FormWindow& window) {
    SliderPositions positions{};
    for (const SliderSpec& info : kSliders)
        positions[static_cast<std::size_t>(sliderIndex(info.slider))] = window.sliderPosition(info.slider);
    const bool powerDividedBy1000 = window.powerDividedBy1000();

    // Row by row, station 1 before station 2; then frequency, distance with
    // its miles, and N.
    for (int row = 1; row <= 10; ++row)
        for (const int first : {row, row + 10}) {
            const Slider slider = sliderFromNumber(first);
            writeEcho(window, slider, positionOf(positions, slider), powerDividedBy1000);
        }
    for (const Slider slider : {Slider::HScroll21, Slider::HScroll22})
        writeEcho(window, slider, positionOf(positions, slider), powerDividedBy1000);
    LinkParameters p = linkParametersFromPositions(positions, powerDividedBy1000);
    std::string miles = " = ";
    miles += applyMask(p.distance * kMilesPerKm, kMaskMiles).view();
    miles += " miles";
    window.setBoxText(ResultBox::Text51, miles);
    writeEcho(window, Slider::HScroll23, positionOf(positions, Slider::HScroll23), powerDividedBy1000);
    return p;
}

}  // namespace tropolink
