#pragma once

#include <QFont>

class QApplication;
class QLabel;

namespace tropolink {

// The application id, shared by the desktop entry, the icon and the metainfo.
inline constexpr const char* kApplicationId = "io.github.tropolink.Tropolink";

// "MS Sans Serif" at the given size; where that face is missing, sans-serif
// faces of similar width stand in.
QFont requestedFont(double pointSize, bool bold = false);

// Shrinks the label's font in small steps until its caption fits its box, so a
// wider stand-in face never clips a caption.
void fitCaption(QLabel& label);

// The Fusion style draws the buttons' face colours on every desktop.
void configureApplication(QApplication& app);

}  // namespace tropolink
