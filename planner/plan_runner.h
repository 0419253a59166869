#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "climate/maps_service.h"
#include "plan/plan_run.h"

namespace tropolink::planner {

// What computes a plan; runPlan unless a test puts a slower or failing one in.
using PlanRunFunction = std::function<PlanResult(const CheckedPlan&, const MapsInUse&, const PlanRunControl&)>;

// Runs plans off the user-interface thread. Every start() supersedes the run
// before it: that run is told to stop, and whatever it still delivers is
// dropped, so older results never overwrite newer ones. A run of a plan with
// sites asks the maps service for the maps as it starts, and keeps those to
// its end: maps imported meanwhile serve the next run.
class PlanRunner : public QObject {
    Q_OBJECT
public:
    explicit PlanRunner(PlanRunFunction run = runPlan, climate::MapsService& maps = climate::MapsService::shared(),
                        QObject* parent = nullptr);
    ~PlanRunner() override;

    // Returns the run's generation.
    std::uint64_t start(const CheckedPlan& plan);
    // Stops the newest run; nothing it still delivers is shown.
    void cancel();
    bool busy() const { return running_ != 0; }
    std::uint64_t generation() const { return generation_; }

signals:
    void progress(const QString& stage);
    void finished(std::uint64_t generation, std::shared_ptr<const tropolink::PlanResult> result);
    void failed(std::uint64_t generation, const QString& message);
    void cancelled(std::uint64_t generation);
    void idle();

private:
    void done();

    PlanRunFunction run_;
    climate::MapsService& maps_;
    std::uint64_t generation_ = 0;
    int running_ = 0;
    std::shared_ptr<std::atomic<bool>> stop_;
    // Two workers: a superseded run inside a stage that cannot stop (a DEM
    // read) keeps one, and the newer run still starts at once. Last, so that
    // its threads end before the members they use.
    QThreadPool pool_;
};

}  // namespace tropolink::planner
