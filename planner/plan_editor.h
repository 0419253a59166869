#pragma once

#include <QWidget>

#include <map>
#include <string>

#include "plan/plan.h"

class QLabel;

namespace tropolink::planner {

struct PlanField;
class MapsPanel;

// The side panel that edits a plan: one field per key of the plan file,
// grouped by table. The texts are kept exactly as typed; checking them is
// checkPlan's work.
class PlanEditor : public QWidget {
    Q_OBJECT
public:
    explicit PlanEditor(QWidget* parent = nullptr);

    void setPlan(const Plan& plan);
    // The plan the fields give: the one set, with each field's text in place.
    Plan plan() const;

    // Shows `message` beside the field of `key`, or above the fields when no
    // field has that key; clears the other messages.
    void showError(const std::string& key, const QString& message);
    void clearErrors();
    QString errorText(const std::string& key) const;
    QString generalError() const;

    QWidget* editor(const std::string& key) const;
    // The text of a field as the user would type it.
    void setFieldText(const std::string& key, const QString& text);
    MapsPanel* mapsPanel() const { return maps_; }

signals:
    void edited();

private:
    struct Row {
        const PlanField* field = nullptr;
        QWidget* editor = nullptr;
        QWidget* fromMaps = nullptr;  // the check box of an [itu] value
        QLabel* error = nullptr;
        QLabel* unit = nullptr;
    };
    QWidget* makeEditor(const PlanField& field, Row& row, QWidget* parent);
    QWidget* pathEditor(const PlanField& field, Row& row, QWidget* parent);
    QString fieldText(const Row& row) const;
    void setRowText(Row& row, const QString& text);
    void chooseDem(Row& row, bool folder);
    void chooseFile(Row& row);
    QString relativeToPlan(const QString& path) const;
    void changed();
    void showPowerUnits();

    Plan base_;
    std::map<std::string, Row> rows_;
    QLabel* generalError_;
    MapsPanel* maps_;
    bool loading_ = false;
};

}  // namespace tropolink::planner
