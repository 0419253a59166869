// The window as it opens: controls, places, captions, colours, focus.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "form_test_support.h"
#include "ui/appearance.h"

using namespace tropolink;
using namespace tropolink::test;

namespace {

constexpr int kTwipsPerPixel = 15;

QStringList numbered(const QString& stem, int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n) names << stem + QString::number(n);
    return names;
}

QColor colourOf(const QWidget* widget, QPalette::ColorRole role) { return widget->palette().color(role); }

}  // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { configureApplication(*qApp); }

    void opensEmptyWithFocusOnFirstSlider() {
        Form1 form(samplePage());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("A"));
        for (const QString& text : boxTexts(form)) QVERIFY(text.isEmpty());
        QCOMPARE(form.focusWidget(), slider(form, Slider::HScroll1));
        QVERIFY(!powerOption(form)->isChecked());
    }

    void placesMatchTheLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, int l, int t, int w, int h) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h);
        };
        row("Label31", 3360, 0, 8175, 255);
        row("Label12", 4440, 840, 5295, 255);
        row("Command1", 360, 960, 1215, 375);
        row("Check1", 360, 3240, 1455, 255);
        row("Label4", 360, 3000, 1815, 255);
        row("HScroll1", 2400, 1680, 3495, 255);
        row("HScroll20", 7800, 6000, 3495, 255);
        row("HScroll23", 2400, 7920, 3495, 255);
        row("Text10", 6000, 6000, 1215, 285);
        row("Text22", 6000, 7440, 1215, 285);
        row("Text51", 7320, 7440, 1215, 285);
        row("Text25", 8280, 6480, 2775, 285);
        row("Label17", 2160, 8880, 1095, 255);
        row("Text46", 7320, 9240, 1095, 285);
        row("Text45", 4680, 10800, 1095, 285);
        row("Label30", 240, 10680, 1695, 735);
        row("Text40", 11400, 10200, 1215, 285);
        row("Frame3", 1920, 9600, 6615, 495);
        row("Frame2", 7680, 1440, 5295, 5415);
        row("Command2", 11400, 10800, 1215, 375);
    }

    void placesMatchTheLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Form1 form(samplePage());
        const auto* control = form.findChild<QWidget*>(name);
        QVERIFY(control);
        const QRect pixels(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel, twips.width() / kTwipsPerPixel,
                           twips.height() / kTwipsPerPixel);
        QCOMPARE(control->geometry(), pixels);
    }

    void clientAreaKeepsControlsInPlaceWhenResized() {
        Form1 form(samplePage());
        QCOMPARE(form.size(), QSize(13215 / kTwipsPerPixel, 11340 / kTwipsPerPixel));
        const QRect before = box(form, ResultBox::Text49)->geometry();
        form.resize(1200, 900);
        QCOMPARE(box(form, ResultBox::Text49)->geometry(), before);
    }

    void slidersFollowTheirTable_data() {
        QTest::addColumn<int>("number");
        for (const SliderSpec& info : kSliders) QTest::newRow(info.name.data()) << static_cast<int>(info.slider);
    }

    void slidersFollowTheirTable() {
        QFETCH(int, number);
        const SliderSpec& info = sliderSpec(sliderFromNumber(number));
        Form1 form(samplePage());
        const QScrollBar* bar = slider(form, info.slider);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
        QCOMPARE(bar->minimum(), info.minimum);
        QCOMPARE(bar->maximum(), info.maximum);
        QCOMPARE(bar->value(), info.start);
        QCOMPARE(bar->singleStep(), 1);
        QCOMPARE(bar->pageStep(), info.stepTen ? 10 : 1);
        QVERIFY(!bar->hasTracking());
        QVERIFY(bar->focusPolicy() & Qt::TabFocus);
    }

    void accessibleNamesComeFromCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        const auto row = [](const char* name, const char* accessibleName) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(accessibleName);
        };
        row("HScroll1", "Station 1, Antenna height (m asl)");
        row("Text11", "Station 2, Antenna height (m asl)");
        row("HScroll14", "Station 2, Tx Power (W)");
        row("HScroll21", "Frequency (MHz)");
        row("Text51", "Distance (km), in miles");
        row("Text24", "Station 1, Rx Sensitivity (dBW)");
        row("Text28", "Path Loss, CCIR");
        row("Text47", "S/N at Station 1, RIDER");
        row("Text44", "Aperture/medium coupling loss (included in above), YEH");
        row("Text39", "TOA at Station #1 (deg)");
        row("Text49", "Average Loss Yeh/CCIR/Collins (when valid)");
    }

    void accessibleNamesComeFromCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        Form1 form(samplePage());
        QCOMPARE(form.findChild<QWidget*>(name)->accessibleName(), accessibleName);
    }

    void everySliderAndBoxHasAnAccessibleName() {
        Form1 form(samplePage());
        for (const SliderSpec& info : kSliders) QVERIFY(!slider(form, info.slider)->accessibleName().isEmpty());
        for (int n = 1; n <= kResultBoxCount; ++n) QVERIFY(!box(form, boxFromNumber(n))->accessibleName().isEmpty());
    }

    void boxesAreEditableAndAlignedByTheLayout() {
        Form1 form(samplePage());
        for (int n = 1; n <= kResultBoxCount; ++n) {
            const ResultBox which = boxFromNumber(n);
            const bool centred = which == ResultBox::Text24 || which == ResultBox::Text25;
            QVERIFY(!box(form, which)->isReadOnly());
            QCOMPARE(box(form, which)->alignment() & Qt::AlignHorizontal_Mask,
                     centred ? Qt::AlignHCenter : Qt::AlignLeft);
        }
    }

    // A stand-in face may be wider than the one asked for; no caption may be cut.
    void everyCaptionFitsItsBox() {
        Form1 form(samplePage());
        const auto labels = form.findChildren<QLabel*>();
        QVERIFY(labels.size() >= 40);
        for (const QLabel* label : labels) {
            if (label->objectName() == QLatin1String("FaultNotice")) continue;
            QVERIFY(label->font().families().startsWith(QStringLiteral("MS Sans Serif")));
            int flags = static_cast<int>(label->alignment());
            if (label->wordWrap()) flags |= Qt::TextWordWrap;
            const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
            QVERIFY2(label->contentsRect().contains(needed), qPrintable(label->objectName()));
        }
    }

    void captionsAndColours() {
        Form1 form(samplePage());
        const auto* title = form.findChild<QLabel*>(QStringLiteral("Label31"));
        QCOMPARE(title->text(), QStringLiteral("Tropospheric Loss and Link Loss Calculator by Quillmoor"));
        QVERIFY(title->font().bold());
        QVERIFY(title->font().pointSizeF() <= 12);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral(" Antenna height (m asl)"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label34"))->text(), QStringLiteral("RIDER"));
        QCOMPARE(button(form, "Command1")->text(), QStringLiteral("START"));
        QCOMPARE(button(form, "Command2")->text(), QStringLiteral("EXIT"));
        QCOMPARE(powerOption(form)->text(), QStringLiteral("power/1000"));
        QCOMPARE(colourOf(button(form, "Command1"), QPalette::Button), QColor(128, 255, 128));
        QCOMPARE(colourOf(button(form, "Command2"), QPalette::Button), QColor(255, 128, 128));
        QCOMPARE(colourOf(form.findChild<QLabel*>(QStringLiteral("Label12")), QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(colourOf(form.findChild<QFrame*>(QStringLiteral("Frame1")), QPalette::Window), QColor(192, 255, 192));
        QCOMPARE(colourOf(form.findChild<QFrame*>(QStringLiteral("Frame6")), QPalette::Window), QColor(192, 255, 255));
    }

    // The panels come first among the window's children, so everything else is drawn over them.
    void panelsLieBehindEveryOtherControl() {
        Form1 form(samplePage());
        const QObjectList children = form.children();
        for (int i = 0; i < children.size(); ++i)
            QCOMPARE(children[i]->objectName().startsWith(QLatin1String("Frame")), i < 6);
    }

    void focusMovesInTheLayoutsOrder() {
        Form1 form(samplePage());
        QStringList expected = numbered("HScroll", 1, 20) + numbered("Text", 1, 8) + QStringList{"Text10"} +
                               numbered("Text", 11, 20) + numbered("HScroll", 21, 23) + numbered("Text", 21, 43) +
                               QStringList{"Command1", "Command2", "Text9"} + numbered("Text", 44, 52) +
                               QStringList{"Check1"};
        QStringList actual;
        QWidget* widget = slider(form, Slider::HScroll1);
        do {
            if (widget->focusPolicy() & Qt::TabFocus) actual << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != slider(form, Slider::HScroll1));
        QCOMPARE(actual, expected);
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
