#include "planner/plan_runner.h"

#include <QMetaObject>
#include <QThreadPool>

#include <exception>
#include <utility>

namespace tropolink::planner {
namespace {

bool hasSites(const CheckedPlan& plan) {
    return plan.form == PlanForm::DemWithSites || plan.form == PlanForm::ProfileWithSites;
}

QThreadPool& pool() {
    // Two workers: a superseded run inside a stage that cannot stop (a DEM read)
    // keeps one, and the newer run still starts at once.
    static QThreadPool* workers = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(2);
        return p;
    }();
    return *workers;
}

// The run's stage names, as the progress line words them.
QString stageText(std::string_view stage) {
    if (stage == "terrain") return QObject::tr("Reading the terrain…");
    if (stage == "pass") return QObject::tr("Computing the pass…");
    if (stage == "methods") return QObject::tr("Computing the ITU-R methods…");
    if (stage == "maps") return QObject::tr("Reading the climate maps…");
    return QString::fromUtf8(stage.data(), static_cast<qsizetype>(stage.size()));
}

}  // namespace

PlanRunner::PlanRunner(PlanRunFunction run, QObject* parent) : QObject(parent), run_(std::move(run)) {
    qRegisterMetaType<std::uint64_t>("std::uint64_t");
    qRegisterMetaType<std::shared_ptr<const tropolink::PlanResult>>("std::shared_ptr<const tropolink::PlanResult>");
}

PlanRunner::~PlanRunner() {
    if (stop_) stop_->store(true);
    // The workers use this object's maps; they must be gone first.
    pool().waitForDone();
}

MapsInUse PlanRunner::mapsFor(const CheckedPlan& plan, const PlanRunControl& control) {
    if (!hasSites(plan)) return {};
    std::lock_guard lock(mapsMutex_);
    if (!maps_.tried) {
        if (control.progress) control.progress("maps");
        maps_.tried = true;
        try {
            maps_.loaded = std::make_shared<const climate::LoadedMaps>(climate::loadMaps(std::nullopt));
        } catch (const std::exception&) {
            // Without the maps the climate values come from the plan or the defaults,
            // and the results name that source.
            maps_.loaded.reset();
        }
    }
    if (!maps_.loaded) return {};
    return MapsInUse{&maps_.loaded->maps, maps_.loaded->folder};
}

void PlanRunner::forgetMaps() {
    std::lock_guard lock(mapsMutex_);
    maps_ = {};
}

QString PlanRunner::mapsFolder() const {
    std::lock_guard lock(mapsMutex_);
    return maps_.loaded ? QString::fromStdString(maps_.loaded->folder.string()) : QString();
}

std::uint64_t PlanRunner::start(const CheckedPlan& plan) {
    if (stop_) stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const std::uint64_t generation = ++generation_;
    ++running_;
    auto stop = stop_;
    pool().start([this, plan, generation, stop] {
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
            const MapsInUse maps = mapsFor(plan, control);
            result = std::make_shared<const PlanResult>(run_(plan, maps, control));
        } catch (const PlanCancelled&) {
            wasCancelled = true;
        } catch (const std::exception& e) {
            message = QString::fromStdString(e.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, result, message, wasCancelled] {
                done(generation);
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

MapsInUse PlanRunner::mapsInUse() const {
    std::lock_guard lock(mapsMutex_);
    if (!maps_.loaded) return {};
    return MapsInUse{&maps_.loaded->maps, maps_.loaded->folder};
}

void PlanRunner::done(std::uint64_t) {
    --running_;
    if (running_ == 0) emit idle();
}

}  // namespace tropolink::planner
