#pragma once

#include <string_view>

#include "link/method_columns.h"
#include "engine/recalculate.h"

namespace tropolink {

// The figures of a pass in the order and nesting of --values. `out` receives
// begin(name) and end() around each nested object and figure(name, value) for
// each figure, the value a double, a bool, a std::optional<double> (none where
// the window shows a word) or a ColumnVerdict. The names are an interface that
// scripts rely on: --help documents them.
template <class Out>
void visitPassFigures(const PassValues& v, Out& out) {
    const PathGeometry& g = v.geometry;
    out.figure("scatteringAngle", g.scatteringAngle);
    out.figure("lineOfSight", g.lineOfSight);
    const auto station = [&](std::string_view name, const StationGeometry& geometry, const ReceiverNoise& receiver,
                             const Transmitter& transmitter, double beamwidth) {
        out.begin(name);
        out.figure("takeOffAngle", geometry.takeOffAngle);
        out.figure("horizonLimited", geometry.horizonLimited);
        out.figure("rxSensitivity", receiver.rxSensitivity);
        out.figure("eirpDbw", transmitter.eirpDbw);
        out.figure("beamwidth", beamwidth);
        out.end();
    };
    station("station1", g.station1, v.receiver1, v.transmitter1, v.beamwidth1);
    station("station2", g.station2, v.receiver2, v.transmitter2, v.beamwidth2);
    out.figure("lineOfSightLoss", v.lineOfSightLoss);
    out.figure("perfectDuctLoss", v.perfectDuctLoss);
    out.figure("atmosphericAttenuation", v.atmosphericAttenuation);
    const MethodColumns columns = methodColumns(v);
    for (std::size_t m = 0; m < columns.size(); ++m) {
        const MethodColumn& column = columns[m];
        out.begin(kMethodKeys[m]);
        out.figure("verdict", column.verdict);
        out.figure("loss", column.loss);
        // Only Yeh and CCIR have one, in every pass.
        if (column.couplingLoss) out.figure("couplingLoss", *column.couplingLoss);
        out.begin("signalToNoise");
        out.figure("atStation1", column.atStation1);
        out.figure("atStation2", column.atStation2);
        out.end();
        out.end();
    }
    out.figure("averageLoss", v.averageLoss);
}

}  // namespace tropolink
