#include "planner/plan_runner.h"

#include <QMetaObject>

#include <exception>
#include <utility>

#include "planner/error_text.h"

namespace tropolink::planner {
namespace {

// The run's stage names, as the progress line words them.
QString stageText(std::string_view stage) {
    if (stage == "terrain") return QObject::tr("Reading the terrain…");
    if (stage == "pass") return QObject::tr("Computing the pass…");
    if (stage == "methods") return QObject::tr("Computing the ITU-R methods…");
    if (stage == "maps") return QObject::tr("Reading the climate maps…");
    return QString::fromUtf8(stage.data(), static_cast<qsizetype>(stage.size()));
}

}  // namespace

PlanRunner::PlanRunner(PlanRunFunction run, climate::MapsService& maps, QObject* parent)
    : QObject(parent), run_(std::move(run)), maps_(maps) {
    qRegisterMetaType<std::uint64_t>("std::uint64_t");
    qRegisterMetaType<std::shared_ptr<const tropolink::PlanResult>>("std::shared_ptr<const tropolink::PlanResult>");
    pool_.setMaxThreadCount(2);
}

PlanRunner::~PlanRunner() {
    if (stop_) stop_->store(true);
    pool_.waitForDone();
}

std::uint64_t PlanRunner::start(const CheckedPlan& plan) {
    if (stop_) stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const std::uint64_t generation = ++generation_;
    ++running_;
    auto stop = stop_;
    pool_.start([this, plan, generation, stop] {
        PlanRunControl control;
        control.stop = stop.get();
        control.progress = [this, generation](std::string_view stage) {
            const QString text = stageText(stage);
            QMetaObject::invokeMethod(
                this, [this, generation, text] { if (generation == generation_) emit progress(text); },
                Qt::QueuedConnection);
        };
        std::shared_ptr<const PlanResult> result;
        QString message;
        bool wasCancelled = false;
        try {
            MapsInUse maps;
            if (planNeedsMaps(plan)) {
                control.progress("maps");
                // Without the maps the climate values come from the plan or the
                // defaults, and the results name that source; a refused map is
                // an error naming its file.
                maps = maps_.find(climate::MapSetId::Climate, std::nullopt);
            }
            result = std::make_shared<const PlanResult>(run_(plan, maps, control));
        } catch (const PlanCancelled&) {
            wasCancelled = true;
        } catch (const std::exception& e) {
            message = errorText(e);
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, result, message, wasCancelled] {
                done();
                if (generation != generation_) return;  // superseded
                if (wasCancelled) {
                    emit cancelled(generation);
                } else if (result) {
                    emit finished(generation, result);
                } else {
                    emit failed(generation, message);
                }
            },
            Qt::QueuedConnection);
    });
    return generation;
}

void PlanRunner::cancel() {
    if (stop_) stop_->store(true);
    ++generation_;
}

void PlanRunner::done() {
    --running_;
    if (running_ == 0) emit idle();
}

}  // namespace tropolink::planner
