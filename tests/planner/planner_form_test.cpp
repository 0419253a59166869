// The form on a small screen and through assistive technology: the wheel, the
// window's size, the units, the accessible names and the marks of the maps.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QWheelEvent>
#include <QtTest>

#include <set>

#include "planner/plan_editor.h"
#include "planner_test_support.h"

using namespace tropolink;
using namespace tropolink::planner;

namespace {

void wheel(QWidget* widget, int notches) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

}  // namespace

class PlannerFormTest : public QObject {
    Q_OBJECT
private slots:
    void theWheelChangesAComboOnlyWithFocus_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("power") << "power-div-1000";
        QTest::newRow("voids") << "path.fill-voids";
        QTest::newRow("sea") << "path.sea-where-missing";
    }
    void theWheelChangesAComboOnlyWithFocus() {
        QFETCH(QString, key);
        PlannerWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* combo = qobject_cast<QComboBox*>(window.planEditor()->editor(key.toStdString()));
        QVERIFY(combo);
        window.planEditor()->setFocus();
        QVERIFY(!combo->hasFocus());
        wheel(combo, 1);
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!combo->hasFocus());  // passing over it takes no focus either
        combo->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return combo->hasFocus(); }));
        wheel(combo, 1);
        QCOMPARE(combo->currentIndex(), 1);
    }

    // Every control is read by a name of its own, whatever it shows.
    void everyControlHasItsOwnAccessibleName() {
        PlannerWindow window;
        std::set<QString> names;
        int controls = 0;
        for (QWidget* w : window.planEditor()->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) continue;
            const QString name = accessibleName(w);
            QVERIFY2(!name.isEmpty(), qPrintable(w->metaObject()->className()));
            QVERIFY2(!name.startsWith(QLatin1String("default")), qPrintable(name));
            QVERIFY2(names.insert(name).second, qPrintable(name + " twice"));
            ++controls;
        }
        QVERIFY2(controls > 40, qPrintable(QString::number(controls)));
        auto* voids = window.planEditor()->editor("path.fill-voids");
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(voids);
        QCOMPARE(face->role(), QAccessible::ComboBox);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("default (false)"));
    }

    void thePowerUnitFollowsMilliwatts() {
        PlannerWindow window;
        QWidget* power = window.planEditor()->editor("station1.tx-power");
        QVERIFY(accessibleName(power).endsWith(QLatin1String("(W)")));
        window.planEditor()->setFieldText("power-div-1000", QStringLiteral("true"));
        QVERIFY2(accessibleName(power).endsWith(QLatin1String("(mW)")), qPrintable(accessibleName(power)));
        QVERIFY(accessibleName(window.planEditor()->editor("station2.tx-power")).endsWith(QLatin1String("(mW)")));
        QVERIFY(!accessibleName(window.planEditor()->editor("station1.tx-line-loss-db")).endsWith(QLatin1String("(mW)")));
        window.planEditor()->setFieldText("power-div-1000", QString());
        QVERIFY(accessibleName(power).endsWith(QLatin1String("(W)")));
    }

    // The ground under the common volume comes from the DEM, not from the maps.
    void onlyMapValuesAreMarkedFromTheMaps() {
        PlannerWindow window;
        QStringList marked;
        for (QCheckBox* box : window.planEditor()->findChildren<QCheckBox*>())
            if (box->text() == QLatin1String("from the maps")) marked << box->accessibleName();
        QCOMPARE(marked.size(), 3);
        for (const QString& name : marked) QVERIFY2(!name.contains(QLatin1String("Ground")), qPrintable(name));
        QVERIFY(window.planEditor()->editor("itu.ground-height-km")->isEnabled());
    }

    // The offscreen screen is 800 × 600, what a 1600 × 1200 screen gives at 2×.
    void theWindowOpensWithinTheScreen() {
        PlannerWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.fitToScreen();
        const QSize available = window.screen()->availableGeometry().size();
        QVERIFY2(window.frameGeometry().width() <= available.width() * 0.9 + 1,
                 qPrintable(QString::number(window.frameGeometry().width())));
        QVERIFY2(window.frameGeometry().height() <= available.height() * 0.9 + 1,
                 qPrintable(QString::number(window.frameGeometry().height())));
    }
};

QTEST_MAIN(PlannerFormTest)
#include "planner_form_test.moc"
