#pragma once

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>

#include "plan/plan_run.h"
#include "planner/plan_runner.h"

class QMenu;
class QSplitter;

namespace tropolink::planner {

class PlanEditor;
class ResultsView;

// The planner's main window: the plan form at the side, the results beside
// it, recomputed off the user-interface thread after every valid edit.
class PlannerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PlannerWindow(PlanRunFunction run = runPlan, QWidget* parent = nullptr);

    // Reads the plan; false (after telling the user) when it cannot be read.
    bool openPlan(const QString& path);
    bool savePlanAs(const QString& path);
    void newPlan();
    // 1280 × 860, or less: within 90 % of the available area of the window's
    // screen, frame included (known once shown).
    void fitToScreen();
    // The report and the map of the results shown; false (after telling the
    // user) when there are none to write or the file cannot be written.
    bool writeReport(const QString& path);
    bool writeKml(const QString& path);

    PlanEditor* planEditor() const { return editor_; }
    ResultsView* results() const { return results_; }
    PlanRunner* runner() const { return runner_; }
    QString planPath() const { return path_; }
    // The result shown, and the plan it is of; none before the first.
    const PlanResult* shownResult() const { return shown_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void recompute();
    void edited();
    void updateTitle();
    bool maybeSave();
    bool save();
    bool saveAs();
    void open();
    void exportReport();
    void exportKml();
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void showFinished(std::uint64_t generation, std::shared_ptr<const PlanResult> result);
    void showFailed(std::uint64_t generation, const QString& message);

    PlanEditor* editor_;
    ResultsView* results_;
    PlanRunner* runner_;
    QSplitter* splitter_;
    QMenu* recentMenu_ = nullptr;
    QString path_;
    Plan running_;  // the plan of the newest run
    Plan shownPlan_;
    std::shared_ptr<const PlanResult> shown_;
};

}  // namespace tropolink::planner
