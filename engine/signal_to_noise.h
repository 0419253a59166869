#pragma once

#include <array>

#include "engine/box_text_batch.h"
#include "engine/collins_method.h"
#include "engine/form_window.h"
#include "engine/itt_method.h"
#include "engine/rider_method.h"

namespace tropolink {

// The five method columns of the window, left to right.
enum class Method { Yeh, Itt, Ccir, Collins, Rider };
inline constexpr int kMethodCount = 5;

// Signal-to-noise at the receiving station, dB: the other station's EIRP less
// the path loss, less the receiver's sensitivity.
double signalToNoise(double transmitterEirpDbw, double pathLoss, double receiverSensitivity);

struct SignalToNoiseColumn {
    bool hasData = false;   // false: "No Data"
    double pathLoss = 0;    // dB, the loss the figures use
    double atStation1 = 0;  // dB, station 2 transmitting
    double atStation2 = 0;  // dB, station 1 transmitting
};

using SignalToNoiseGrid = std::array<SignalToNoiseColumn, kMethodCount>;

struct SignalToNoiseInputs {
    double eirpDbw1 = 0;
    double eirpDbw2 = 0;
    double rxSensitivity1 = 0;
    double rxSensitivity2 = 0;
    bool lineOfSight = false;
    double lineOfSightLoss = 0;
    double yehLoss = 0;
    IttResult itt;
    double ccirLoss = 0;
    CollinsResult collins;
    RiderResult rider;
};

// Which loss each column uses: the line-of-sight loss on a line-of-sight path
// (the Rider column by its own verdict), else the method's own, else none.
SignalToNoiseGrid signalToNoiseGrid(const SignalToNoiseInputs& in);

// Writes the grid column by column, with the final text of each path-loss box
// that this step owns: "Line of Sight", and the Yeh and Rider losses.
void writeSignalToNoise(const SignalToNoiseInputs& in, const SignalToNoiseGrid& grid, FormWindow& window);
// The same, the writes collected in `texts`.
void writeSignalToNoise(const SignalToNoiseInputs& in, const SignalToNoiseGrid& grid, BoxTextBatch& texts);

}  // namespace tropolink
