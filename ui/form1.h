#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/widget_form_window.h"

class QCheckBox;
class QLabel;

namespace tropolink {

class LinkLabel;

// The calculator window. It places the controls and turns every user action
// that can change an input into one recalculation pass; it computes nothing.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QUrl&)>;

    // `descriptionPage` is the address the link label shows and opens.
    explicit Form1(const QUrl& descriptionPage, QWidget* parent = nullptr);
    ~Form1() override;

    // How the link asks the desktop to open an address; the outcome is not checked.
    void setUrlOpener(UrlOpener opener);

    // The window as the pass sees it: the controls themselves.
    FormWindow& controls();
    // Lets the pass read and write through another window, for instance one
    // that wraps controls() and watches the pass.
    void setPassWindow(FormWindow& window);

private:
    void sliderChanged();
    void startClicked();
    void powerOptionToggled();
    void exitClicked();
    void linkClicked();

    void recalculate();
    void buildControls();
    void buildLink();
    void buildFaultNotice();
    void connectControls();
    void setFocusOrder();

    QUrl descriptionPage_;
    UrlOpener openUrl_;
    WidgetFormWindow::Sliders sliders_{};
    WidgetFormWindow::Boxes boxes_{};
    QCheckBox* powerOption_ = nullptr;
    LinkLabel* link_ = nullptr;
    QLabel* faultNotice_ = nullptr;
    std::unique_ptr<WidgetFormWindow> controls_;
    FormWindow* passWindow_ = nullptr;
};

}  // namespace tropolink
