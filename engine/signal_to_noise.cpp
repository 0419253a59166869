#include "engine/signal_to_noise.h"

#include "engine/box_text_batch.h"
#include "engine/mask.h"
#include "engine/status_words.h"

namespace tropolink {
namespace {

struct ColumnBoxes {
    ResultBox pathLoss;
    ResultBox atStation1;
    ResultBox atStation2;
};

constexpr std::array<ColumnBoxes, kMethodCount> kColumnBoxes{{
    {ResultBox::Text26, ResultBox::Text30, ResultBox::Text34},
    {ResultBox::Text27, ResultBox::Text31, ResultBox::Text35},
    {ResultBox::Text28, ResultBox::Text32, ResultBox::Text36},
    {ResultBox::Text29, ResultBox::Text33, ResultBox::Text37},
    {ResultBox::Text46, ResultBox::Text47, ResultBox::Text48},
}};

SignalToNoiseColumn column(const SignalToNoiseInputs& in, bool hasData, double pathLoss) {
    SignalToNoiseColumn c;
    c.hasData = hasData;
    if (!hasData) return c;
    c.pathLoss = pathLoss;
    c.atStation1 = signalToNoise(in.eirpDbw2, pathLoss, in.rxSensitivity1);
    c.atStation2 = signalToNoise(in.eirpDbw1, pathLoss, in.rxSensitivity2);
    return c;
}

// The loss a column uses when the path is not line of sight, if the method gave one.
SignalToNoiseColumn beyondHorizon(const SignalToNoiseInputs& in, Method method) {
    switch (method) {
        case Method::Yeh: return column(in, true, in.yehLoss);
        case Method::Itt: return column(in, in.itt.inRange, in.itt.loss);
        case Method::Ccir: return column(in, true, in.ccirLoss);
        case Method::Collins: return column(in, in.collins.inRange, in.collins.loss);
        case Method::Rider: break;
    }
    return {};
}

}  // namespace

double signalToNoise(double transmitterEirpDbw, double pathLoss, double receiverSensitivity) {
    return (transmitterEirpDbw - pathLoss) - receiverSensitivity;
}

SignalToNoiseGrid signalToNoiseGrid(const SignalToNoiseInputs& in) {
    SignalToNoiseGrid grid;
    for (int m = 0; m < kMethodCount - 1; ++m)
        grid[static_cast<std::size_t>(m)] =
            in.lineOfSight ? column(in, true, in.lineOfSightLoss) : beyondHorizon(in, static_cast<Method>(m));
    switch (in.rider.verdict) {
        case RiderVerdict::LineOfSight: grid[4] = column(in, true, in.lineOfSightLoss); break;
        case RiderVerdict::OutOfRange: grid[4] = column(in, false, 0); break;
        case RiderVerdict::Valid: grid[4] = column(in, true, in.rider.loss); break;
    }
    return grid;
}

void writeSignalToNoise(const SignalToNoiseInputs& in, const SignalToNoiseGrid& grid, BoxTextBatch& texts) {
    for (int m = 0; m < kMethodCount; ++m) {
        const auto method = static_cast<Method>(m);
        const ColumnBoxes& boxes = kColumnBoxes[static_cast<std::size_t>(m)];
        const SignalToNoiseColumn& c = grid[static_cast<std::size_t>(m)];
        if (method == Method::Rider) {
            // "out of range" was written by the Rider step itself.
            if (in.rider.verdict == RiderVerdict::LineOfSight) texts.word(boxes.pathLoss, kLineOfSight);
            if (in.rider.verdict == RiderVerdict::Valid) texts.number(boxes.pathLoss, in.rider.loss, kMaskLoss);
        } else if (in.lineOfSight) {
            texts.word(boxes.pathLoss, kLineOfSight);
        } else if (method == Method::Yeh) {
            texts.number(boxes.pathLoss, in.yehLoss, kMaskLoss);
        }
        if (c.hasData) {
            texts.number(boxes.atStation1, c.atStation1, kMaskSignalToNoise);
            texts.number(boxes.atStation2, c.atStation2, kMaskSignalToNoise);
        } else {
            texts.word(boxes.atStation1, kNoData);
            texts.word(boxes.atStation2, kNoData);
        }
    }
}

void writeSignalToNoise(const SignalToNoiseInputs& in, const SignalToNoiseGrid& grid, FormWindow& window) {
    BoxTextBatch texts(window);
    writeSignalToNoise(in, grid, texts);
    texts.handOver();
}

}  // namespace tropolink
