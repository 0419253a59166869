// The form's table of keys against the plan file's, and the probability axis.
#include <QtTest>

#include <cmath>

#include "plan/plan_keys.h"
#include "planner/plan_fields.h"
#include "planner/probability_axis.h"

using namespace tropolink;
using namespace tropolink::planner;

class PlannerFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void everyPlanKeyHasAField() {
        for (const PlanKeyInfo& key : planKeys()) {
            const std::string dotted = dottedKey(key.table, key.name);
            const PlanField* field = fieldForKey(dotted);
            QVERIFY2(field && field->key == dotted, dotted.c_str());
        }
        QCOMPARE(planFields().size(), planKeys().size());
    }

    void refusalsFindTheirField_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        QTest::newRow("exact") << "station2.tx-power" << "station2.tx-power";
        QTest::newRow("site element") << "station1.site[1]" << "station1.site";
        QTest::newRow("list element") << "requirement.percent[0]" << "requirement.percent";
        QTest::newRow("longer key is another") << "station1.tx-power-extra" << "";
        QTest::newRow("table only") << "path" << "";
        QTest::newRow("whole plan") << "" << "";
    }
    void refusalsFindTheirField() {
        QFETCH(QString, key);
        QFETCH(QString, field);
        const PlanField* found = fieldForKey(key.toStdString());
        QCOMPARE(found ? QString::fromStdString(found->key) : QString(), field);
    }

    void textsRoundTripThroughTheFields() {
        Plan plan;
        for (const PlanField& field : planFields()) {
            const std::string text = field.kind == FieldKind::DemList ? "a.tif; b/" : field.kind == FieldKind::NumberList ? "50 99.9" : field.key == "station1.site" || field.key == "station2.site" ? "44.5, -71" : "7";
            field.set(plan, text);
            QCOMPARE(QString::fromStdString(field.get(plan)), QString::fromStdString(text));
            field.set(plan, "");
            QVERIFY2(field.get(plan).empty(), field.key.c_str());
        }
    }

    void probabilityAxis_data() {
        QTest::addColumn<double>("percent");
        QTest::addColumn<double>("position");
        QTest::newRow("median") << 50.0 << 0.0;
        QTest::newRow("one sigma") << 84.134474606854 << 1.0;
        QTest::newRow("minus two sigma, low tail") << 2.275013194817921 << -2.0;
        QTest::newRow("tail boundary") << 97.575 << 1.9729610513;
        QTest::newRow("99.99") << 99.99 << 3.7190164855;
        QTest::newRow("1") << 1.0 << -2.3263478740;
    }
    void probabilityAxis() {
        QFETCH(double, percent);
        QFETCH(double, position);
        QVERIFY2(std::abs(probabilityPosition(percent) - position) < 1e-8,
                 qPrintable(QString::number(probabilityPosition(percent), 'g', 12)));
    }
};

QTEST_MAIN(PlannerFieldsTest)
#include "planner_fields_test.moc"
