// The form's fields against the plan file's key table, their texts through
// the plan's slots, and the probability axis.
#include <QtTest>

#include <cmath>
#include <set>

#include "plan/plan_keys.h"
#include "plan/plan_slots.h"
#include "planner/plan_fields.h"
#include "planner/probability_axis.h"

using namespace tropolink;
using namespace tropolink::planner;

namespace {

// A text each kind of field takes.
std::string sampleText(const PlanField& field) {
    switch (field.kind) {
        case FieldKind::DemList: return "a.tif; b/";
        case FieldKind::NumberList: return "50 99.9";
        case FieldKind::Site: return "44.5, -71";
        case FieldKind::Flag: return "true";
        default: return "7";
    }
}

}  // namespace

class PlannerFieldsTest : public QObject {
    Q_OBJECT
private slots:
    // One field per key, in the file's order, with the key table's words.
    void everyPlanKeyHasItsFieldInOrder() {
        QCOMPARE(planFields().size(), planKeys().size());
        for (std::size_t i = 0; i < planKeys().size(); ++i) {
            const PlanKeyInfo& key = planKeys()[i];
            const PlanField& field = planFields()[i];
            const std::string dotted = dottedKey(key.table, key.name);
            QCOMPARE(field.key, &key);
            QCOMPARE(QString::fromStdString(field.dotted), QString::fromStdString(dotted));
            QCOMPARE(fieldForKey(dotted), &field);
            QCOMPARE(QString::fromStdString(field.allowed), QString::fromStdString(key.allowed));
            const bool number = key.kind == PlanKind::Number || key.kind == PlanKind::NumberList;
            QCOMPARE(QString::fromStdString(field.unit), number ? QString::fromStdString(key.unit) : QString());
            QVERIFY2(!field.label.empty() && !field.group.empty(), dotted.c_str());
        }
    }

    // The greyed default is the key table's, as one would type it.
    void defaultsAreTheKeyTables_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("slider") << "station1.tx-power" << "100";
        QTest::newRow("option") << "itu.delta-n" << "40";
        QTest::newRow("name") << "station2.name" << "Station 2";
        QTest::newRow("list") << "requirement.percent" << "50 90 99 99.9 99.99";
        QTest::newRow("flag") << "path.fill-voids" << "false";
        QTest::newRow("none: what absence means") << "itu.n0" << "the slider's";
        QTest::newRow("none at all") << "requirement.snr-db" << "";
    }
    void defaultsAreTheKeyTables() {
        QFETCH(QString, key);
        QFETCH(QString, shown);
        const PlanField* field = fieldForKey(key.toStdString());
        QVERIFY(field);
        QCOMPARE(QString::fromStdString(field->defaultText), shown);
    }

    void labelsAreUniqueWithinTheirGroup() {
        std::set<std::pair<std::string, std::string>> seen;
        for (const PlanField& field : planFields())
            QVERIFY2(seen.insert({field.group, field.label}).second, field.dotted.c_str());
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
        QCOMPARE(found ? QString::fromStdString(found->dotted) : QString(), field);
    }

    // Each field's text lands in the key's slot and reads back, and an empty
    // text leaves the key out.
    void textsRoundTripThroughTheSlots() {
        Plan plan;
        for (const PlanField& field : planFields()) {
            const std::string text = sampleText(field);
            setKeyText(plan, field, text);
            QCOMPARE(QString::fromStdString(keyText(plan, field)), QString::fromStdString(text));
            QVERIFY2(!planValues(plan, field.key->table, field.key->name).empty(), field.dotted.c_str());
            setKeyText(plan, field, "");
            QVERIFY2(keyText(plan, field).empty(), field.dotted.c_str());
            QVERIFY2(planValues(plan, field.key->table, field.key->name).empty(), field.dotted.c_str());
        }
    }

    // A value or list item whose text did not change keeps its place in the
    // file, which refusals name; an edited one stands nowhere.
    void unchangedTextsKeepTheirPlace() {
        Plan plan;
        plan.requirement.percent = {{"50", {3, 11}}, {"99", {3, 15}}};
        plan.station1.site = std::array<PlanText, 2>{PlanText{"44.5", {4, 9}}, PlanText{"-71", {4, 15}}};
        plan.station1.settings["tx-power"] = {"100", {5, 12}};
        setKeyText(plan, *fieldForKey("requirement.percent"), "50 99.9");
        QCOMPARE(plan.requirement.percent[0].at.line, 3L);
        QCOMPARE(plan.requirement.percent[1].at.line, 0L);
        setKeyText(plan, *fieldForKey("station1.site"), "44.5, -72");
        QCOMPARE((*plan.station1.site)[0].at.line, 4L);
        QCOMPARE((*plan.station1.site)[1].at.line, 0L);
        setKeyText(plan, *fieldForKey("station1.tx-power"), "100");
        QCOMPARE(plan.station1.settings["tx-power"].at.line, 5L);
        setKeyText(plan, *fieldForKey("station1.tx-power"), "200");
        QCOMPARE(plan.station1.settings["tx-power"].at.line, 0L);
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
