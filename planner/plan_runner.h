#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "climate/maps_folder.h"
#include "plan/plan_run.h"

namespace tropolink::planner {

// What computes a plan; runPlan unless a test puts a slower or failing one in.
using PlanRunFunction = std::function<PlanResult(const CheckedPlan&, const MapsInUse&, const PlanRunControl&)>;

// Runs plans off the user-interface thread. Every start() supersedes the run
// before it: that run is told to stop, and whatever it still delivers is
// dropped, so older results never overwrite newer ones.
class PlanRunner : public QObject {
    Q_OBJECT
public:
    explicit PlanRunner(PlanRunFunction run = runPlan, QObject* parent = nullptr);
    ~PlanRunner() override;

    // Returns the run's generation.
    std::uint64_t start(const CheckedPlan& plan);
    // Stops the newest run; nothing it still delivers is shown.
    void cancel();
    bool busy() const { return running_ != 0; }
    std::uint64_t generation() const { return generation_; }

    // The maps are read again on the next run that needs them (after an import).
    void forgetMaps();
    // The folder the maps were read from; empty when none was found.
    QString mapsFolder() const;
    // The maps the last run used, for the report written from its result.
    MapsInUse mapsInUse() const;

signals:
    void progress(const QString& stage);
    void finished(std::uint64_t generation, std::shared_ptr<const tropolink::PlanResult> result);
    void failed(std::uint64_t generation, const QString& message);
    void cancelled(std::uint64_t generation);
    void idle();

private:
    struct Maps {
        bool tried = false;
        std::shared_ptr<const climate::LoadedMaps> loaded;
    };
    MapsInUse mapsFor(const CheckedPlan& plan, const PlanRunControl& control);
    void done(std::uint64_t generation);

    PlanRunFunction run_;
    std::uint64_t generation_ = 0;
    int running_ = 0;
    std::shared_ptr<std::atomic<bool>> stop_;
    mutable std::mutex mapsMutex_;
    Maps maps_;
};

}  // namespace tropolink::planner
