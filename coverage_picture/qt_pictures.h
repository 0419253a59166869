#pragma once

#include "coverage/coverage_picture.h"

// The coverage map's pictures drawn with Qt: give one to runCoverage for
// --png and --kml.
namespace tropolink::coverage {

class QtPictureRenderer : public PictureRenderer {
public:
    // Makes a QGuiApplication on the offscreen platform if the process has none.
    Pictures render(const PictureInput& input) override;
};

}  // namespace tropolink::coverage
