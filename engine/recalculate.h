#pragma once

#include <optional>

#include "engine/ccir_method.h"
#include "engine/collins_method.h"
#include "engine/form_window.h"
#include "engine/itt_method.h"
#include "engine/link_parameters.h"
#include "engine/path_geometry.h"
#include "engine/receiver.h"
#include "engine/rider_method.h"
#include "engine/signal_to_noise.h"
#include "engine/yeh_method.h"

namespace tropolink {

// Every figure of one pass at full precision, for front ends that hand them on.
struct PassValues {
    LinkParameters params;  // after the zero replacements
    double atmosphericAttenuation = 0;
    PathGeometry geometry;
    double lineOfSightLoss = 0;
    double perfectDuctLoss = 0;
    ReceiverNoise receiver1;
    ReceiverNoise receiver2;
    Transmitter transmitter1;
    Transmitter transmitter2;
    double beamwidth1 = 0;
    double beamwidth2 = 0;
    YehResult yeh;
    CcirResult ccir;
    IttResult itt;
    RiderResult rider;
    CollinsResult collins;
    SignalToNoiseGrid signalToNoise{};
    std::optional<double> averageLoss;  // none on a line-of-sight path
};

// The one computation: reads every slider and the check box from the window
// and rewrites all 52 boxes. Throws NumericFault if an arithmetic step fails;
// the boxes after that step then keep their previous text.
void Recalculate(FormWindow& window);

// The same pass, also handing back its figures.
PassValues RecalculateWithValues(FormWindow& window);

// The figures of the pass for these slider positions, without a window: no box
// is written and no mask applied. Same arithmetic, same NumericFault.
PassValues computePassValues(const SliderPositions& positions, bool powerDividedBy1000);

// The same stages over a record of physical values, which need not lie on
// any slider: no window, no boxes.
PassValues computePassValues(const LinkParameters& params);

}  // namespace tropolink
