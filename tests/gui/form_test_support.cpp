#include "form_test_support.h"

#include <QCheckBox>

#include "engine/headless_window.h"
#include "engine/recalculate.h"

namespace tropolink::test {

QUrl samplePage() { return QUrl::fromLocalFile(QStringLiteral("/opt/tropolink/share/doc/tropolink/description.html")); }

QScrollBar* slider(const Form1& form, Slider which) {
    return form.findChild<QScrollBar*>(QString::fromLatin1(sliderSpec(which).name));
}

QLineEdit* box(const Form1& form, ResultBox which) {
    return form.findChild<QLineEdit*>(QString::fromLatin1(boxName(which)));
}

QAbstractButton* button(const Form1& form, const char* name) {
    return form.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

QCheckBox* powerOption(const Form1& form) { return form.findChild<QCheckBox*>(QStringLiteral("Check1")); }

QStringList boxTexts(const Form1& form) {
    QStringList texts;
    for (int n = 1; n <= kResultBoxCount; ++n) texts << box(form, boxFromNumber(n))->text();
    return texts;
}

QStringList headlessTexts(const Form1& form) {
    HeadlessWindow twin;
    for (const SliderSpec& info : kSliders) twin.setSliderPosition(info.slider, slider(form, info.slider)->value());
    twin.setPowerDividedBy1000(powerOption(form)->isChecked());
    Recalculate(twin);
    QStringList texts;
    for (int n = 1; n <= kResultBoxCount; ++n) texts << QString::fromStdString(twin.boxText(boxFromNumber(n)));
    return texts;
}

int WatchingWindow::sliderPosition(Slider slider) const {
    if (override_ && override_->first == slider) return override_->second;
    return inner_.sliderPosition(slider);
}

void WatchingWindow::refresh() {
    ++passes_;
    inner_.refresh();
    if (onRefresh_) onRefresh_();
}

}  // namespace tropolink::test
