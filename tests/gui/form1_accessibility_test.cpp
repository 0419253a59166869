// The window driven the way assistive technology drives it: through the
// accessible roles, actions and values of its controls.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QtTest>

#include "form_test_support.h"
#include "ui/appearance.h"

using namespace tropolink;
using namespace tropolink::test;

namespace {

// The ten signal-to-noise boxes, by number.
const QList<int> kSignalToNoiseBoxes{30, 31, 32, 33, 34, 35, 36, 37, 47, 48};

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Runs one of the control's accessible actions, the way a screen reader does.
bool runAction(QObject* object, const QString& action) {
    QAccessibleInterface* face = accessible(object);
    QAccessibleActionInterface* actions = face ? face->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action)) return false;
    actions->doAction(action);
    return true;
}

QLabel* link(const Form1& form) { return form.findChild<QLabel*>(QStringLiteral("Label12")); }

// Stands in for the desktop's "open" action.
class DesktopOpener final : public QObject {
    Q_OBJECT

public:
    explicit DesktopOpener(const QString& scheme) : scheme_(scheme) {
        QDesktopServices::setUrlHandler(scheme_, this, "open");
    }
    ~DesktopOpener() override { QDesktopServices::unsetUrlHandler(scheme_); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }

private:
    QString scheme_;
};

}  // namespace

class Form1AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        configureApplication(*qApp);
        // As a listening screen reader would: the controls then also report their changes.
        QAccessible::setActive(true);
    }

    void windowIsAnnouncedWithItsTitle() {
        Form1 form(samplePage());
        form.show();
        QAccessibleInterface* window = accessible(&form);
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("A"));
    }

    void powerOptionRunsOnePassPerChange_data() {
        QTest::addColumn<QString>("route");
        QTest::newRow("toggle action") << "action";
        QTest::newRow("mouse click") << "mouse";
        QTest::newRow("space key") << "key";
    }

    // Ticking at the start positions turns both powers into milliwatts and
    // changes every signal-to-noise box; unticking restores every text.
    void powerOptionRunsOnePassPerChange() {
        QFETCH(QString, route);
        Form1 form(samplePage());
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        QCheckBox* option = powerOption(form);
        const auto change = [&] {
            if (route == QLatin1String("action")) return runAction(option, QAccessibleActionInterface::toggleAction());
            if (route == QLatin1String("mouse"))
                QTest::mouseClick(option, Qt::LeftButton);
            else
                QTest::keyClick(option, Qt::Key_Space);
            return true;
        };

        QVERIFY(runAction(button(form, "Command1"), QAccessibleActionInterface::pressAction()));
        QTRY_COMPARE(watch.passes(), 1);
        const QStringList unticked = boxTexts(form);

        QVERIFY(change());
        QVERIFY(option->isChecked());
        QCOMPARE(watch.passes(), 2);
        const QStringList ticked = boxTexts(form);
        QCOMPARE(ticked, headlessTexts(form));
        QCOMPARE(ticked[3], QStringLiteral("100. mW"));
        QCOMPARE(ticked[13], QStringLiteral("100. mW"));
        for (int n = 1; n <= kResultBoxCount; ++n) {
            const bool changes = n == 4 || n == 14 || kSignalToNoiseBoxes.contains(n);
            QVERIFY2((ticked[n - 1] != unticked[n - 1]) == changes, qPrintable(QStringLiteral("Text%1").arg(n)));
        }

        QVERIFY(change());
        QVERIFY(!option->isChecked());
        QCOMPARE(watch.passes(), 3);
        QCOMPARE(boxTexts(form), unticked);
    }

    void startActionRunsOnePass() {
        Form1 form(samplePage());
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        QAbstractButton* start = button(form, "Command1");
        QVERIFY(runAction(start, QAccessibleActionInterface::pressAction()));
        QTRY_COMPARE(watch.passes(), 1);
        // The press has been released: no second click is pending.
        QVERIFY(!start->isDown());
        const QStringList texts = boxTexts(form);
        for (const QString& text : texts) QVERIFY(!text.isEmpty());
        QCOMPARE(texts, headlessTexts(form));
        QCOMPARE(watch.passes(), 1);
    }

    void sliderValueRunsOnePass_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("where");
        QTest::newRow("HScroll22 to its maximum") << int(Slider::HScroll22) << "maximum";
        QTest::newRow("HScroll1 to its minimum") << int(Slider::HScroll1) << "minimum";
        QTest::newRow("HScroll14 one step up") << int(Slider::HScroll14) << "step";
    }

    void sliderValueRunsOnePass() {
        QFETCH(int, which);
        QFETCH(QString, where);
        Form1 form(samplePage());
        WatchingWindow watch(form.controls());
        form.setPassWindow(watch);
        QScrollBar* bar = slider(form, static_cast<Slider>(which));
        QAccessibleValueInterface* value = accessible(bar)->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toInt(), bar->minimum());
        QCOMPARE(value->maximumValue().toInt(), bar->maximum());
        const int target = where == QLatin1String("maximum")   ? bar->maximum()
                           : where == QLatin1String("minimum") ? bar->minimum()
                                                               : bar->value() + 1;
        QVERIFY(target != bar->value());
        value->setCurrentValue(target);
        QCOMPARE(bar->value(), target);
        QCOMPARE(watch.passes(), 1);
        QCOMPARE(boxTexts(form), headlessTexts(form));
    }

    void exitActionEndsTheEventLoop() {
        Form1 form(samplePage());
        form.show();
        bool ran = false;
        QTimer::singleShot(
            0, &form, [&] { ran = runAction(button(form, "Command2"), QAccessibleActionInterface::pressAction()); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(ran);
    }

    // The focus order is unchanged: the link still takes no focus.
    void linkIsALinkThatOpensThePage() {
        Form1 form(samplePage());
        DesktopOpener desktop(samplePage().scheme());
        QLabel* label = link(form);
        QAccessibleInterface* face = accessible(label);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Link);
        QCOMPARE(face->text(QAccessible::Name), label->text());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);

        QVERIFY(runAction(label, QAccessibleActionInterface::pressAction()));
        QCOMPARE(desktop.opened, QList<QUrl>{samplePage()});
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(desktop.opened, (QList<QUrl>{samplePage(), samplePage()}));
        QCOMPARE(boxTexts(form), QStringList(kResultBoxCount, QString()));
    }
};

QTEST_MAIN(Form1AccessibilityTest)
#include "form1_accessibility_test.moc"
