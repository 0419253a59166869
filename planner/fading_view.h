#pragma once

#include <QWidget>

#include "plan/plan_run.h"

class QTableWidget;

namespace tropolink::planner {

class ProfileView;

// Fading within the hour, as the report shows it: the availability against
// the median margin, what each receiving station reaches with one receiver
// and with the diversity asked for, and the median margins each needs.
class FadingView : public QWidget {
    Q_OBJECT
public:
    explicit FadingView(QWidget* parent = nullptr);
    void show(const PlanResult& result);
    void clear(const QString& why);

    ProfileView* chart() const { return chart_; }
    QTableWidget* stationTable() const { return stations_; }
    QTableWidget* marginTable() const { return margins_; }

private:
    ProfileView* chart_;
    QTableWidget* stations_;
    QTableWidget* margins_;
};

}  // namespace tropolink::planner
