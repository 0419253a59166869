#include "ui/widget_form_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

namespace tropolink {

WidgetFormWindow::WidgetFormWindow(QWidget& window, const Sliders& sliders, const QCheckBox& powerOption,
                                   const Boxes& boxes)
    : window_(window), sliders_(sliders), powerOption_(powerOption), boxes_(boxes) {}

int WidgetFormWindow::sliderPosition(Slider slider) const {
    return sliders_[static_cast<std::size_t>(sliderIndex(slider))]->value();
}

bool WidgetFormWindow::powerDividedBy1000() const { return powerOption_.isChecked(); }

void WidgetFormWindow::setBoxText(ResultBox box, std::string_view text) {
    // Box texts are plain ASCII.
    boxes_[static_cast<std::size_t>(boxNumber(box) - 1)]->setText(
        QLatin1String(text.data(), static_cast<qsizetype>(text.size())));
}

void WidgetFormWindow::refresh() { window_.update(); }

}  // namespace tropolink
