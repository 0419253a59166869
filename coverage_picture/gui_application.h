#pragma once

// Text needs Qt's font database, which needs a QGuiApplication. A program
// with a window has one; a command-line program or a Python module gets one
// here, on the offscreen platform, the first time a picture is drawn.
namespace tropolink::coverage {

// Throws std::runtime_error when the process holds a Qt application without
// a GUI, which cannot draw text.
void ensureGuiApplication();

}  // namespace tropolink::coverage
