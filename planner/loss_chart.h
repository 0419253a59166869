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

// One point of a drawn curve, kept to read values off it.
struct CurvePoint {
    double percent = 0;
    double lossDb = 0;
};

// The percentages each method's L(p) is drawn at, from 1 % to 99.99 %.
std::vector<double> curvePercents();

// Loss over the year: L(p) of both ITU methods on a normal-probability axis,
// the highest loss that still meets the required S/N at each receiving
// station, and the legacy methods' medians at 50 %. Hovering or clicking a
// curve reads its value into the line below the chart.
class LossChart : public QWidget {
    Q_OBJECT
public:
    explicit LossChart(QWidget* parent = nullptr);
    void show(const PlanResult& result);
    void clear();
    QString readout() const;
    // Reads the value of curve `series` (0 P.617, 1 P.2001) nearest `percent`.
    void readAt(int series, double percent);

private:
    QChart* chart_;
    QChartView* view_;
    QLabel* readout_;
    std::vector<CurvePoint> curves_[2];
};

}  // namespace tropolink::planner
