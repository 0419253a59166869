#pragma once

#include "engine/form_window.h"

namespace tropolink {

// One station's settings in physical units.
struct StationParameters {
    double antennaHeight = 0;        // km
    double obstructionHeight = 0;    // km
    double obstructionDistance = 0;  // km
    double txPower = 0;              // W
    double txLineLoss = 0;           // dB
    double rxNoiseFigure = 0;        // dB
    double rxLineLoss = 0;           // dB
    double antennaGain = 0;          // dBi
    double antennaNoiseTemp = 0;     // K
    double rxBandwidth = 0;          // Hz
};

struct LinkParameters {
    StationParameters station1;
    StationParameters station2;
    double frequency = 0;            // MHz
    double distance = 0;             // km
    double surfaceRefractivity = 0;  // N units
};

// The record the sliders give, without their echoes: positions indexed by
// sliderIndex.
LinkParameters linkParametersFromPositions(const SliderPositions& positions, bool powerDividedBy1000);

// First stage of every pass: reads each slider (station 1 before station 2, row
// by row, then frequency, distance and N), echoes it into its box and sets its
// field. Writes Text1..Text23 and Text51.
LinkParameters readLinkParameters(FormWindow& window);

}  // namespace tropolink
