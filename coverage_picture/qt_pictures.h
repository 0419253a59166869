#pragma once

#include "coverage/coverage_picture.h"
#include "coverage_picture/gui_application.h"

// The coverage map's pictures drawn with Qt: give one to runCoverage for
// --png and --kml.
namespace tropolink::coverage {

class QtPictureRenderer : public PictureRenderer {
public:
    Pictures render(const PictureInput& input) override;

private:
    // The process's QGuiApplication, or one on the offscreen platform while
    // the renderer lives: make and end the renderer on one thread.
    OffscreenApplication application_;
};

}  // namespace tropolink::coverage
