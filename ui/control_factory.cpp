#include "ui/control_factory.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "ui/appearance.h"

namespace tropolink {
namespace {

constexpr int kArrowStep = 1;
constexpr int kTrackStep = 10;

template <typename Widget>
Widget* placed(Widget* widget, std::string_view name, TwipRect place) {
    widget->setObjectName(qtText(name));
    widget->setGeometry(toPixels(place));
    return widget;
}

}  // namespace

void setColour(QWidget& widget, QPalette::ColorRole role, QRgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, QColor::fromRgb(colour));
    widget.setPalette(palette);
}

QFrame* makePanel(QWidget& parent, const Panel& panel) {
    auto* frame = placed(new QFrame(&parent), panel.name, panel.place);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(true);
    setColour(*frame, QPalette::Window, panel.colour);
    return frame;
}

QLabel* makeCaption(QWidget& parent, const Caption& caption) {
    auto* label = placed(new QLabel(qtText(caption.text), &parent), caption.name, caption.place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | (caption.centred ? Qt::AlignHCenter : Qt::AlignLeft));
    label->setAutoFillBackground(true);
    if (caption.bold || caption.pointSize != kWindowPointSize)
        label->setFont(requestedFont(caption.pointSize, caption.bold));
    fitCaption(*label);
    return label;
}

QScrollBar* makeSlider(QWidget& parent, const SliderPlace& place) {
    const SliderSpec& info = sliderSpec(place.slider);
    auto* bar = placed(new QScrollBar(Qt::Horizontal, &parent), info.name, place.place);
    bar->setRange(info.minimum, info.maximum);
    bar->setValue(info.start);
    bar->setSingleStep(kArrowStep);
    bar->setPageStep(info.stepTen ? kTrackStep : kArrowStep);
    bar->setTracking(false);
    // The right arrow key moves the thumb to the right, towards the maximum.
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setAccessibleName(QString::fromStdString(place.accessibleName));
    return bar;
}

QLineEdit* makeBox(QWidget& parent, const BoxPlace& place) {
    auto* box = placed(new QLineEdit(&parent), boxName(place.box), place.place);
    if (place.centred) box->setAlignment(Qt::AlignCenter);
    box->setAccessibleName(QString::fromStdString(place.accessibleName));
    return box;
}

QPushButton* makeButton(QWidget& parent, std::string_view name, std::string_view text, TwipRect place, QRgb face) {
    auto* button = placed(new QPushButton(qtText(text), &parent), name, place);
    button->setAutoDefault(false);
    setColour(*button, QPalette::Button, face);
    return button;
}

}  // namespace tropolink
