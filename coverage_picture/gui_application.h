#pragma once

#include <memory>

class QGuiApplication;

// Text needs Qt's font database, which needs a QGuiApplication. A program
// with a window has one; a command-line program or a Python module gets one
// here, on the offscreen platform, for as long as it draws.
namespace tropolink::coverage {

class OffscreenApplication {
public:
    // Makes the application unless the process has one. Throws
    // std::runtime_error when it holds a Qt application without a GUI, which
    // cannot draw text.
    OffscreenApplication();
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    int argc_ = 3;
    char* argv_[4] = {};  // Qt keeps them for the application's life
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace tropolink::coverage
