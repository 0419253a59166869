#include "ui/form1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "engine/numeric_fault.h"
#include "engine/recalculate.h"
#include "ui/accessible_interfaces.h"
#include "ui/appearance.h"
#include "ui/control_factory.h"
#include "ui/link_label.h"

namespace tropolink {
namespace {

QString faultText(const std::string& quantity) {
    return QStringLiteral("The %1 could not be computed; the boxes after it were not updated.")
        .arg(QString::fromStdString(quantity));
}

}  // namespace

Form1::Form1(const QUrl& descriptionPage, QWidget* parent)
    : QWidget(parent),
      descriptionPage_(descriptionPage),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qtText(kWindowTitle));
    setFont(requestedFont(kWindowPointSize));
    resize(toPixels(kClientArea).size());

    buildControls();
    controls_ = std::make_unique<WidgetFormWindow>(*this, sliders_, *powerOption_, boxes_);
    passWindow_ = controls_.get();
    // The sliders stand at their start positions already, so connecting now runs no pass.
    connectControls();
    setFocusOrder();
}

Form1::~Form1() = default;

void Form1::setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

FormWindow& Form1::controls() { return *controls_; }

void Form1::setPassWindow(FormWindow& window) { passWindow_ = &window; }

// Panels first: later siblings are drawn over earlier ones.
void Form1::buildControls() {
    for (const Panel& panel : panels()) makePanel(*this, panel);
    for (const auto& table : {headerCaptions(), inputCaptions(), resultCaptions()})
        for (const Caption& caption : table) makeCaption(*this, caption);

    for (const SliderPlace& place : sliderPlaces())
        sliders_[static_cast<std::size_t>(sliderIndex(place.slider))] = makeSlider(*this, place);
    for (const auto& table : {echoBoxPlaces(), resultBoxPlaces()})
        for (const BoxPlace& place : table)
            boxes_[static_cast<std::size_t>(boxNumber(place.box) - 1)] = makeBox(*this, place);
    setColour(*boxes_[static_cast<std::size_t>(boxNumber(ResultBox::Text49) - 1)], QPalette::Text, kAverageLossColour);

    powerOption_ = new QCheckBox(qtText(kPowerOptionText), this);
    powerOption_->setObjectName(QStringLiteral("Check1"));
    powerOption_->setGeometry(toPixels(kPowerOptionPlace));
    makeButton(*this, "Command1", kStartText, kStartPlace, kStartColour);
    makeButton(*this, "Command2", kExitText, kExitPlace, kExitColour);
    buildLink();
    buildFaultNotice();
}

void Form1::buildLink() {
    link_ = new LinkLabel(descriptionPage_.toDisplayString(), this);
    link_->setObjectName(QStringLiteral("Label12"));
    link_->setGeometry(toPixels(kLinkPlace));
    link_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    link_->setAutoFillBackground(true);
    link_->setFont(requestedFont(kLinkPointSize, true));
    link_->setCursor(Qt::PointingHandCursor);
    link_->setToolTip(link_->text());
    setColour(*link_, QPalette::WindowText, kLinkColour);
    link_->setAccessibleDescription(QStringLiteral("Opens the description of the program"));
    fitCaption(*link_);
}

// Hidden until a pass stops on a numeric fault; it covers the header's explanation while it shows.
void Form1::buildFaultNotice() {
    faultNotice_ = new QLabel(this);
    faultNotice_->setObjectName(QStringLiteral("FaultNotice"));
    faultNotice_->setGeometry(toPixels(kFaultNoticePlace));
    faultNotice_->setWordWrap(true);
    faultNotice_->setAlignment(Qt::AlignCenter);
    faultNotice_->setAutoFillBackground(true);
    setColour(*faultNotice_, QPalette::Window, kFaultNoticeColour);
    setColour(*faultNotice_, QPalette::WindowText, kFaultTextColour);
    faultNotice_->hide();
}

void Form1::connectControls() {
    for (QScrollBar* slider : sliders_) connect(slider, &QScrollBar::valueChanged, this, &Form1::sliderChanged);
    // A click, a key and the accessible toggle action (which emits no click)
    // each change the state once, and each change emits toggled once.
    connect(powerOption_, &QCheckBox::toggled, this, &Form1::powerOptionToggled);
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this, &Form1::startClicked);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this, &Form1::exitClicked);
    connect(link_, &LinkLabel::clicked, this, &Form1::linkClicked);
}

void Form1::setFocusOrder() {
    QWidget* previous = nullptr;
    for (std::string_view name : focusOrder()) {
        auto* widget = findChild<QWidget*>(qtText(name), Qt::FindDirectChildrenOnly);
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
    sliders_.front()->setFocus();
}

void Form1::sliderChanged() { recalculate(); }

void Form1::startClicked() { recalculate(); }

void Form1::powerOptionToggled() { recalculate(); }

// Nothing is saved and nothing is asked.
void Form1::exitClicked() { QCoreApplication::exit(0); }

void Form1::linkClicked() { openUrl_(descriptionPage_); }

void Form1::recalculate() {
    try {
        Recalculate(*passWindow_);
        faultNotice_->hide();
    } catch (const NumericFault& fault) {
        faultNotice_->setText(faultText(fault.quantity()));
        faultNotice_->show();
        faultNotice_->raise();
    }
}

}  // namespace tropolink
