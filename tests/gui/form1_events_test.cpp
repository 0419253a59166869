// Every user action of the window and what it does.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QStyleOptionSlider>
#include <QtTest>

#include "engine/headless_window.h"
#include "engine/numeric_fault.h"
#include "engine/recalculate.h"
#include "form_test_support.h"
#include "ui/appearance.h"

using namespace tropolink;
using namespace tropolink::test;

namespace {

QRect partOf(const QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

void clickStart(const Form1& form) { QTest::mouseClick(button(form, "Command1"), Qt::LeftButton); }

// The ten signal-to-noise boxes, by number.
const QList<int> kSignalToNoiseBoxes{30, 31, 32, 33, 34, 35, 36, 37, 47, 48};

}  // namespace

class Form1EventsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { configureApplication(*qApp); }

    void startFillsEveryBoxAsTheHeadlessPassDoes() {
        Form1 form(samplePage());
        clickStart(form);
        const QStringList texts = boxTexts(form);
        for (const QString& text : texts) QVERIFY(!text.isEmpty());
        QCOMPARE(texts, headlessTexts(form));
        QCOMPARE(box(form, ResultBox::Text26)->text(), QStringLiteral("198.07"));
    }

    void startTwiceChangesNothing() {
        Form1 form(samplePage());
        clickStart(form);
        const QStringList once = boxTexts(form);
        clickStart(form);
        QCOMPARE(boxTexts(form), once);
    }

    void powerOptionChangesPowersAndSignalToNoise() {
        Form1 form(samplePage());
        clickStart(form);
        const QStringList unticked = boxTexts(form);
        QTest::mouseClick(powerOption(form), Qt::LeftButton);
        QVERIFY(powerOption(form)->isChecked());
        const QStringList ticked = boxTexts(form);
        QCOMPARE(ticked, headlessTexts(form));
        QCOMPARE(ticked[3], QStringLiteral("100. mW"));
        for (int n = 1; n <= kResultBoxCount; ++n) {
            const bool changes = n == 4 || n == 14 || kSignalToNoiseBoxes.contains(n);
            QVERIFY2((ticked[n - 1] != unticked[n - 1]) == changes, qPrintable(QStringLiteral("Text%1").arg(n)));
        }
        QTest::mouseClick(powerOption(form), Qt::LeftButton);
        QCOMPARE(boxTexts(form), unticked);
    }

    void dragRunsOnePassWhenReleased() {
        Form1 form(samplePage());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        QScrollBar* bar = slider(form, Slider::HScroll21);
        const QPoint grip = partOf(bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, grip);
        for (int dx : {10, 20, 40, 60}) QTest::mouseMove(bar, grip + QPoint(dx, 0));
        QCOMPARE(watch.passes(), 0);
        QVERIFY(bar->sliderPosition() > sliderSpec(Slider::HScroll21).start);
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, grip + QPoint(60, 0));
        QCOMPARE(watch.passes(), 1);
        QVERIFY(bar->value() > sliderSpec(Slider::HScroll21).start);
        QCOMPARE(boxTexts(form), headlessTexts(form));
    }

    void arrowTrackAndKeyEachRunOnePass_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("step");
        QTest::newRow("arrow click") << "arrow" << 1;
        QTest::newRow("track click") << "track" << 10;
        QTest::newRow("key press") << "key" << 1;
    }

    void arrowTrackAndKeyEachRunOnePass() {
        QFETCH(QString, action);
        QFETCH(int, step);
        Form1 form(samplePage());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        QScrollBar* bar = slider(form, Slider::HScroll22);
        const int start = bar->value();
        if (action == QLatin1String("arrow"))
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, partOf(bar, QStyle::SC_ScrollBarAddLine).center());
        else if (action == QLatin1String("track"))
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, partOf(bar, QStyle::SC_ScrollBarAddPage).center());
        else
            QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), start + step);
        QCOMPARE(watch.passes(), 1);
        QCOMPARE(boxTexts(form), headlessTexts(form));
    }

    void startAndPowerOptionRunOnePassEach() {
        Form1 form(samplePage());
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        clickStart(form);
        QCOMPARE(watch.passes(), 1);
        QTest::mouseClick(powerOption(form), Qt::LeftButton);
        QCOMPARE(watch.passes(), 2);
    }

    // The window operation inside the pass only schedules; queued events wait for the pass to end.
    void passDoesNotRunTheEventLoop() {
        Form1 form(samplePage());
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        bool queuedRan = false;
        bool ranDuringPass = true;
        QMetaObject::invokeMethod(
            &form, [&] { queuedRan = true; }, Qt::QueuedConnection);
        watch.onRefresh([&] { ranDuringPass = queuedRan; });
        clickStart(form);
        QVERIFY(!ranDuringPass);
        QTRY_VERIFY(queuedRan);
    }

    void typedTextIsReplacedByTheNextPass() {
        Form1 form(samplePage());
        clickStart(form);
        QLineEdit* loss = box(form, ResultBox::Text26);
        QTest::keyClicks(loss, QStringLiteral("12x"));
        QVERIFY(loss->text().endsWith(QLatin1String("12x")));
        clickStart(form);
        QCOMPARE(boxTexts(form), headlessTexts(form));
    }

    void exitEndsTheEventLoop() {
        Form1 form(samplePage());
        form.show();
        QTimer::singleShot(0, &form, [&] { QTest::mouseClick(button(form, "Command2"), Qt::LeftButton); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void closingTheWindowEndsTheEventLoop() {
        Form1 form(samplePage());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTimer::singleShot(0, &form, [&] { form.close(); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void linkAsksToOpenTheShownAddress() {
        Form1 form(samplePage());
        QList<QUrl> opened;
        form.setUrlOpener([&](const QUrl& url) { opened << url; });
        const auto* link = form.findChild<QLabel*>(QStringLiteral("Label12"));
        QCOMPARE(link->text(), samplePage().toDisplayString());
        QTest::mouseClick(const_cast<QLabel*>(link), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.front().toDisplayString(), link->text());
        QCOMPARE(boxTexts(form), QStringList(kResultBoxCount, QString()));
    }

    // Only a position beyond a slider's range can stop a pass; the controls never hold one.
    void numericFaultShowsNoticeAndWindowStaysUsable() {
        Form1 form(samplePage());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        WatchingWindow watch(form.controls());
        watch.overridePosition(Slider::HScroll22, 0);
        form.setPassWindow(watch);

        HeadlessWindow twin;
        twin.setSliderPosition(Slider::HScroll22, 0);
        QString quantity;
        try {
            Recalculate(twin);
        } catch (const NumericFault& fault) {
            quantity = QString::fromStdString(fault.quantity());
        }
        QVERIFY(!quantity.isEmpty());

        clickStart(form);
        const auto* notice = form.findChild<QLabel*>(QStringLiteral("FaultNotice"));
        QVERIFY(notice->isVisible());
        QVERIFY(notice->text().contains(quantity));
        QVERIFY(notice->text().contains(QLatin1String("not updated")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        for (int n = 1; n <= kResultBoxCount; ++n)
            QCOMPARE(box(form, boxFromNumber(n))->text(), QString::fromStdString(twin.boxText(boxFromNumber(n))));

        form.setPassWindow(form.controls());
        clickStart(form);
        QVERIFY(!notice->isVisible());
        QCOMPARE(boxTexts(form), headlessTexts(form));
    }
};

QTEST_MAIN(Form1EventsTest)
#include "form1_events_test.moc"
