#pragma once

#include <QPalette>
#include <QString>

#include "ui/control_table.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// Builders of the window's controls, each placed, named and styled from its table row.
namespace tropolink {

inline QString qtText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void setColour(QWidget& widget, QPalette::ColorRole role, QRgb colour);

QFrame* makePanel(QWidget& parent, const Panel& panel);
// Opaque in the window's colour, word-wrapped, font fitted to the box.
QLabel* makeCaption(QWidget& parent, const Caption& caption);
// Range, start position and steps from the slider table; no change is
// reported while the thumb is dragged, only when it is released.
QScrollBar* makeSlider(QWidget& parent, const SliderPlace& place);
QLineEdit* makeBox(QWidget& parent, const BoxPlace& place);
QPushButton* makeButton(QWidget& parent, std::string_view name, std::string_view text, TwipRect place, QRgb face);

}  // namespace tropolink
