#pragma once

#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "engine/form_window.h"
#include "ui/form1.h"

class QAbstractButton;
class QCheckBox;

namespace tropolink::test {

// Any address will do: the window only shows and opens it.
QUrl samplePage();

QScrollBar* slider(const Form1& form, Slider which);
QLineEdit* box(const Form1& form, ResultBox which);
QAbstractButton* button(const Form1& form, const char* name);
QCheckBox* powerOption(const Form1& form);

// The texts of Text1..Text52.
QStringList boxTexts(const Form1& form);
// What the headless pass writes for the window's current slider positions and check box.
QStringList headlessTexts(const Form1& form);

// Wraps the window's controls: counts the passes and can report one slider
// at a position its control could never hold.
class WatchingWindow final : public FormWindow {
public:
    explicit WatchingWindow(FormWindow& inner) : inner_(inner) {}

    int sliderPosition(Slider slider) const override;
    bool powerDividedBy1000() const override { return inner_.powerDividedBy1000(); }
    void setBoxText(ResultBox box, std::string_view text) override { inner_.setBoxText(box, text); }
    void refresh() override;

    void overridePosition(Slider slider, int position) { override_ = std::pair{slider, position}; }
    int passes() const { return passes_; }
    // Called during each pass, right after the window's own refresh.
    void onRefresh(std::function<void()> hook) { onRefresh_ = std::move(hook); }

private:
    FormWindow& inner_;
    std::optional<std::pair<Slider, int>> override_;
    int passes_ = 0;
    std::function<void()> onRefresh_;
};

}  // namespace tropolink::test
