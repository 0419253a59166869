#pragma once

#include <QWidget>

#include "plan/plan_run.h"

class QLabel;
class QTableWidget;
QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace tropolink::planner {

// How the signal arrives: what carries it at the required percentage, the
// complete P.2001's Lb and Lbm1 to Lbm4 over the year for reception at the
// station the first direction reaches, and the table at the plan's
// percentages; where the method did not run, why (and how to install the maps).
class MechanismView : public QWidget {
    Q_OBJECT
public:
    explicit MechanismView(QWidget* parent = nullptr);
    void show(const PlanResult& result);
    void clear();

    QString summary() const;
    QChart* chart() const { return chart_; }
    QTableWidget* table() const { return table_; }

private:
    QLabel* summary_;
    QChart* chart_;
    QWidget* chartView_;
    QTableWidget* table_;
};

}  // namespace tropolink::planner
