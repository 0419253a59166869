#pragma once

#include <QWidget>

#include <vector>

#include "plan/plan_run.h"

class QLabel;
QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace tropolink::planner {

// Loss over the year: each ITU method's curve of the plan result on a
// normal-probability axis, the highest loss that still meets the required
// S/N at each receiving station, and the legacy methods' medians at 50 %.
// Hovering or clicking a curve reads its value into the line below the chart.
class LossChart : public QWidget {
    Q_OBJECT
public:
    explicit LossChart(QWidget* parent = nullptr);
    void show(const PlanResult& result);
    void clear();
    QString readout() const;
    // Reads the value of the shown curve of `method` nearest `percent`.
    void readAt(itur::ItuMethod method, double percent);

private:
    QChart* chart_;
    QChartView* view_;
    QLabel* readout_;
    std::vector<YearCurve> curves_;
};

}  // namespace tropolink::planner
