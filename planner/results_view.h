#pragma once

#include <QWidget>

#include "plan/plan_run.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QSplitter;
class QTabWidget;

namespace tropolink::planner {

class FadingView;
class LossChart;
class MechanismView;
class ProfileView;

// The results of the last valid plan: the verdict first, then the profile,
// the loss over the year, fading within the hour, the legacy methods and the climate in tabs.
class ResultsView : public QWidget {
    Q_OBJECT
public:
    explicit ResultsView(QWidget* parent = nullptr);

    void showResult(const PlanResult& result);
    // The results stay, marked as no longer those of the plan in the form.
    void setStale(const QString& why);
    void setBusy(bool busy, const QString& stage = QString());
    void clear(const QString& why);

    QString statusText() const;
    QTableWidget* verdictTable() const { return verdict_; }
    QTableWidget* legacyTable() const { return legacy_; }
    QTableWidget* climateTable() const { return climate_; }
    LossChart* lossChart() const { return chart_; }
    FadingView* fadingView() const { return fading_; }
    MechanismView* mechanismView() const { return mechanisms_; }
    QString decisionText() const;
    ProfileView* profileView() const { return profile_; }
    bool stale() const { return stale_; }

signals:
    void cancelRequested();

private:
    void fillVerdicts(const PlanResult& result);
    void fillLegacy(const PlanResult& result);
    void fillClimate(const PlanResult& result);
    void fillProfile(const PlanResult& result);

    QLabel* status_;
    QLabel* stage_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QTableWidget* verdict_;
    QLabel* decision_;
    QLabel* notes_;
    QTabWidget* tabs_;
    QWidget* summary_ = nullptr;  // the verdict, its table and the notes, above the pages
    QSplitter* split_ = nullptr;
    ProfileView* profile_;
    LossChart* chart_;
    FadingView* fading_;
    MechanismView* mechanisms_;
    QTableWidget* legacy_;
    QTableWidget* climate_;
    bool stale_ = false;
};

}  // namespace tropolink::planner
