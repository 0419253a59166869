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

    // Every control's place in pixels, written out here rather than read from
    // the table that builds the window, so a wrong entry there shows.
    void placesMatchTheLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        const auto row = [](const char* name, int x, int y, int width, int height) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, width, height);
        };
        row("Frame1", 152, 96, 345, 361);
        row("Frame2", 512, 96, 353, 361);
        row("Frame3", 128, 640, 441, 33);
        row("Frame4", 128, 672, 441, 33);
        row("Frame5", 752, 640, 97, 33);
        row("Frame6", 752, 672, 97, 33);
        row("Label31", 224, 0, 545, 17);
        row("Label43", 760, 0, 49, 25);
        row("Label33", 24, 8, 129, 57);
        row("Label32", 272, 24, 417, 25);
        row("Label11", 224, 80, 169, 17);
        row("Label40", 592, 80, 161, 17);
        row("Label1", 24, 112, 129, 17);
        row("Label2", 24, 144, 129, 25);
        row("Label3", 24, 176, 121, 17);
        row("Label4", 24, 200, 121, 17);
        row("Label5", 24, 240, 121, 17);
        row("Label6", 24, 272, 121, 17);
        row("Label7", 24, 304, 121, 17);
        row("Label8", 24, 336, 121, 17);
        row("Label9", 24, 368, 121, 17);
        row("Label10", 24, 400, 121, 17);
        row("Label13", 24, 464, 81, 17);
        row("Label14", 24, 496, 81, 17);
        row("Label15", 24, 528, 137, 17);
        row("Label16", 24, 432, 121, 17);
        row("Label36", 24, 560, 153, 17);
        row("Label35", 464, 720, 161, 25);
        row("Label41", 296, 560, 201, 17);
        row("Label17", 144, 592, 73, 17);
        row("Label18", 224, 592, 73, 17);
        row("Label19", 312, 592, 73, 17);
        row("Label20", 400, 592, 73, 17);
        row("Label34", 488, 592, 73, 17);
        row("Label21", 16, 616, 81, 17);
        row("Label22", 16, 648, 81, 17);
        row("Label23", 16, 680, 81, 17);
        row("Label30", 16, 712, 113, 49);
        row("Label28", 632, 472, 121, 17);
        row("Label27", 632, 504, 121, 17);
        row("Label29", 632, 552, 113, 17);
        row("Label42", 632, 584, 113, 17);
        row("Label24", 632, 616, 121, 17);
        row("Label25", 632, 648, 121, 17);
        row("Label26", 632, 680, 121, 17);
        row("HScroll1", 160, 112, 233, 17);
        row("HScroll2", 160, 144, 233, 17);
        row("HScroll3", 160, 176, 233, 17);
        row("HScroll4", 160, 208, 233, 17);
        row("HScroll5", 160, 240, 233, 17);
        row("HScroll6", 160, 272, 233, 17);
        row("HScroll7", 160, 304, 233, 17);
        row("HScroll8", 160, 336, 233, 17);
        row("HScroll9", 160, 368, 233, 17);
        row("HScroll10", 160, 400, 233, 17);
        row("HScroll11", 520, 112, 233, 17);
        row("HScroll12", 520, 144, 233, 17);
        row("HScroll13", 520, 176, 233, 17);
        row("HScroll14", 520, 208, 233, 17);
        row("HScroll15", 520, 240, 233, 17);
        row("HScroll16", 520, 272, 233, 17);
        row("HScroll17", 520, 304, 233, 17);
        row("HScroll18", 520, 336, 233, 17);
        row("HScroll19", 520, 368, 233, 17);
        row("HScroll20", 520, 400, 233, 17);
        row("HScroll21", 160, 464, 233, 17);
        row("HScroll22", 160, 496, 233, 17);
        row("HScroll23", 160, 528, 233, 17);
        row("Text1", 400, 112, 81, 19);
        row("Text2", 400, 144, 81, 19);
        row("Text3", 400, 176, 81, 19);
        row("Text4", 400, 208, 81, 19);
        row("Text5", 400, 240, 81, 19);
        row("Text6", 400, 272, 81, 19);
        row("Text7", 400, 304, 81, 19);
        row("Text8", 400, 336, 81, 19);
        row("Text9", 400, 368, 81, 19);
        row("Text10", 400, 400, 81, 19);
        row("Text11", 760, 112, 81, 19);
        row("Text12", 760, 144, 81, 19);
        row("Text13", 760, 176, 81, 19);
        row("Text14", 760, 208, 81, 19);
        row("Text15", 760, 240, 81, 19);
        row("Text16", 760, 272, 81, 19);
        row("Text17", 760, 304, 81, 19);
        row("Text18", 760, 336, 81, 19);
        row("Text19", 760, 368, 81, 19);
        row("Text20", 760, 400, 81, 19);
        row("Text21", 400, 464, 81, 19);
        row("Text22", 400, 496, 81, 19);
        row("Text23", 400, 528, 81, 19);
        row("Text51", 488, 496, 81, 19);
        row("Text24", 192, 432, 185, 19);
        row("Text25", 552, 432, 185, 19);
        row("Text50", 192, 560, 97, 19);
        row("Text49", 632, 720, 81, 19);
        row("Text26", 136, 616, 73, 19);
        row("Text27", 224, 616, 73, 19);
        row("Text28", 312, 616, 73, 19);
        row("Text29", 400, 616, 73, 19);
        row("Text46", 488, 616, 73, 19);
        row("Text30", 136, 648, 73, 19);
        row("Text31", 224, 648, 73, 19);
        row("Text32", 312, 648, 73, 19);
        row("Text33", 400, 648, 73, 19);
        row("Text47", 488, 648, 73, 19);
        row("Text34", 136, 680, 73, 19);
        row("Text35", 224, 680, 73, 19);
        row("Text36", 312, 680, 73, 19);
        row("Text37", 400, 680, 73, 19);
        row("Text48", 488, 680, 73, 19);
        row("Text44", 136, 720, 73, 19);
        row("Text45", 312, 720, 73, 19);
        row("Text41", 760, 472, 81, 19);
        row("Text42", 760, 504, 81, 19);
        row("Text43", 760, 552, 81, 19);
        row("Text52", 760, 584, 81, 19);
        row("Text38", 760, 616, 81, 19);
        row("Text39", 760, 648, 81, 19);
        row("Text40", 760, 680, 81, 19);
        row("Check1", 24, 216, 97, 17);
        row("Command1", 24, 64, 81, 25);
        row("Command2", 760, 720, 81, 25);
        row("Label12", 296, 56, 353, 17);
        row("FaultNotice", 272, 24, 417, 25);
    }

    void placesMatchTheLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        Form1 form(samplePage());
        const auto* control = form.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
    }

    // No control beyond those placed above.
    void everyControlIsPlacedAbove() {
        Form1 form(samplePage());
        int named = 0;
        for (const QObject* child : form.children())
            if (qobject_cast<const QWidget*>(child) && !child->objectName().isEmpty()) ++named;
        QCOMPARE(named, 125);
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
