#include "planner/planner_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>

#include <algorithm>
#include <exception>

#include "io/file_output.h"
#include "plan/plan_check.h"
#include "plan/plan_paths.h"
#include "plan/plan_toml.h"
#include "plan/report_time.h"
#include "plan_report/plan_report.h"
#include "planner/error_text.h"
#include "planner/maps_panel.h"
#include "planner/plain_message.h"
#include "planner/plan_editor.h"
#include "planner/results_view.h"
#include "terrain/map_features.h"
#include "tropolink_version.h"
#include "ui/description_page.h"

namespace tropolink::planner {
namespace {

constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("recentPlans");
// Translated when a dialog asks for it, once the translators are in place.
QString planFilter() { return QObject::tr("Link plans (*.tropolink.toml);;TOML files (*.toml);;All files (*)"); }

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "name.tropolink.toml" for a path given without the suffix.
QString withPlanSuffix(QString path) {
    if (!path.endsWith(QString::fromUtf8(kPlanSuffix.data(), static_cast<qsizetype>(kPlanSuffix.size())))) {
        if (path.endsWith(QLatin1String(".toml"))) path.chop(5);
        path += QString::fromUtf8(kPlanSuffix.data(), static_cast<qsizetype>(kPlanSuffix.size()));
    }
    return path;
}

}  // namespace

PlannerWindow::PlannerWindow(PlanRunFunction run, QWidget* parent)
    : QMainWindow(parent),
      editor_(new PlanEditor),
      results_(new ResultsView),
      runner_(new PlanRunner(std::move(run), climate::MapsService::shared(), this)),
      splitter_(new QSplitter(Qt::Horizontal)) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(editor_);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Narrow enough for a small screen at a large scale: the form scrolls.
    scroll->setMinimumWidth(std::min(editor_->minimumSizeHint().width() + 24, 320));
    scroll->setAccessibleName(tr("Plan form"));
    splitter_->addWidget(scroll);
    splitter_->addWidget(results_);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);
    buildMenus();

    connect(editor_, &PlanEditor::edited, this, &PlannerWindow::edited);
    // Imported maps serve the plan at once; the plan itself did not change.
    connect(editor_->mapsPanel(), &MapsPanel::imported, this, &PlannerWindow::recompute);
    connect(runner_, &PlanRunner::finished, this, &PlannerWindow::showFinished);
    connect(runner_, &PlanRunner::failed, this, &PlannerWindow::showFailed);
    connect(runner_, &PlanRunner::progress, this, [this](const QString& stage) { results_->setBusy(true, stage); });
    connect(runner_, &PlanRunner::idle, this, [this] { results_->setBusy(false); });
    connect(results_, &ResultsView::cancelRequested, this, [this] {
        runner_->cancel();
        results_->setStale(tr("The computation was cancelled."));
    });
    newPlan();
}

void PlannerWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, [this] {
        if (maybeSave()) newPlan();
    });
    file->addAction(tr("&Open…"), QKeySequence::Open, this, &PlannerWindow::open);
    recentMenu_ = file->addMenu(tr("Open &Recent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &PlannerWindow::fillRecentMenu);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &PlannerWindow::save);
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, &PlannerWindow::saveAs);
    file->addSeparator();
    file->addAction(tr("Export &Report…"), this, &PlannerWindow::exportReport);
    file->addAction(tr("Export &KML…"), this, &PlannerWindow::exportKml);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&Description"), QKeySequence::HelpContents, this,
                    [] { QDesktopServices::openUrl(descriptionPageUrl()); });
    help->addAction(tr("&About Tropolink Planner"), this, [this] {
        plainMessage(this, QMessageBox::Information, tr("About Tropolink Planner"),
                     tr("Tropolink Planner %1\n\nPlans troposcatter links in files: the terrain, the climate, "
                        "the ITU-R and legacy methods' losses and the verdict against the requirement.")
                         .arg(QStringLiteral(TROPOLINK_VERSION)));
    });
}

void PlannerWindow::fitToScreen() {
    QSize size(1280, 860);
    // The frame is known once the window is shown; the whole window must fit.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size() * 0.9 - frame);
    resize(size);
}

void PlannerWindow::updateTitle() {
    QString title = qs(editor_->plan().title ? editor_->plan().title->text : std::string());
    if (title.isEmpty()) title = path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
    // The plan's title is data: the title bar shows it as it is.
    title.replace(QStringLiteral("[*]"), QStringLiteral("[ *]"));
    // A long title keeps its beginning and its end.
    constexpr qsizetype kLongest = 60;
    if (title.size() > kLongest)
        title = title.left(kLongest / 2 - 1) + QStringLiteral("…") + title.right(kLongest / 2 - 1);
    setWindowTitle(title + QStringLiteral("[*] — Tropolink Planner"));
}

void PlannerWindow::newPlan() {
    path_.clear();
    editor_->setPlan(Plan{});
    setWindowModified(false);
    updateTitle();
    recompute();
}

bool PlannerWindow::openPlan(const QString& path) {
    Plan plan;
    try {
        plan = readPlan(path.toStdString());
    } catch (const std::exception& e) {
        plainMessage(this, QMessageBox::Warning, tr("Open a plan"), errorText(e));
        return false;
    }
    path_ = path;
    editor_->setPlan(plan);
    setWindowModified(false);
    updateTitle();
    rememberRecent(path);
    recompute();
    return true;
}

void PlannerWindow::open() {
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open a plan"), QString(), planFilter());
    if (!path.isEmpty()) openPlan(path);
}

bool PlannerWindow::savePlanAs(const QString& path) {
    // Relative ground paths follow the plan to its new folder.
    Plan plan = planMovedTo(editor_->plan(), path.toStdString());
    const std::string text = planToml(plan);
    if (const auto failed = writeFile(path.toStdString(), text)) {
        plainMessage(this, QMessageBox::Warning, tr("Save the plan"), qs(failed->message()));
        return false;
    }
    path_ = path;
    plan.file = path.toStdString();
    plan.source = text;
    editor_->setPlan(plan);
    setWindowModified(false);
    updateTitle();
    rememberRecent(path);
    return true;
}

bool PlannerWindow::save() { return path_.isEmpty() ? saveAs() : savePlanAs(path_); }

bool PlannerWindow::saveAs() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save the plan as"), path_, planFilter());
    if (path.isEmpty()) return false;
    return savePlanAs(withPlanSuffix(path));
}

bool PlannerWindow::maybeSave() {
    if (!isWindowModified()) return true;
    QMessageBox box(QMessageBox::Question, tr("Unsaved changes"), tr("The plan has changes that are not saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(tr("Save them first?"));
    switch (box.exec()) {
        case QMessageBox::Save: return save();
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
    if (maybeSave()) {
        runner_->cancel();
        event->accept();
    } else {
        event->ignore();
    }
}

void PlannerWindow::edited() {
    setWindowModified(true);
    updateTitle();
    recompute();
}

void PlannerWindow::recompute() {
    const Plan plan = editor_->plan();
    CheckedPlan checked;
    try {
        checked = checkPlan(plan);
    } catch (const PlanError& e) {
        runner_->cancel();
        editor_->showError(e.key(), errorText(e));
        results_->setStale(tr("The plan in the form is not valid."));
        return;
    } catch (const std::exception& e) {
        runner_->cancel();
        editor_->showError(std::string(), errorText(e));
        results_->setStale(tr("The plan in the form is not valid."));
        return;
    }
    editor_->clearErrors();
    running_ = plan;
    runner_->start(checked);
    results_->setBusy(true, tr("Computing…"));
}

void PlannerWindow::showFinished(std::uint64_t, std::shared_ptr<const PlanResult> result) {
    shown_ = std::move(result);
    shownPlan_ = running_;
    results_->showResult(*shown_);
}

void PlannerWindow::showFailed(std::uint64_t, const QString& message) {
    editor_->showError(std::string(), message);
    results_->setStale(tr("The plan could not be computed."));
}

void PlannerWindow::exportReport() {
    const QString suggested = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the report"), suggested,
                                                      tr("HTML pages (*.html)"));
    if (!path.isEmpty()) writeReport(path);
}

bool PlannerWindow::writeReport(const QString& path) {
    if (!shown_ || results_->stale()) {
        plainMessage(this, QMessageBox::Information, tr("Export the report"),
                     tr("The report is written from the results of the plan in the form; there are none yet."));
        return false;
    }
    ReportStamp stamp;
    stamp.generatedAt = reportTime();
    stamp.version = TROPOLINK_VERSION;
    stamp.planFileName = path_.isEmpty() ? std::string() : QFileInfo(path_).fileName().toStdString();
    if (const auto failed =
            writeFile(path.toStdString(), planReportHtml(shownPlan_, *shown_, stamp))) {
        plainMessage(this, QMessageBox::Warning, tr("Export the report"), qs(failed->message()));
        return false;
    }
    return true;
}

void PlannerWindow::exportKml() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export KML"), QString(), tr("KML files (*.kml)"));
    if (!path.isEmpty()) writeKml(path);
}

bool PlannerWindow::writeKml(const QString& path) {
    if (!shown_ || results_->stale() || !shown_->placed || !shown_->places) {
        plainMessage(this, QMessageBox::Information, tr("Export KML"), tr("KML needs the results of a plan with sites."));
        return false;
    }
    const std::vector<terrain::MapFeature> features = pathFeatures(*shown_->placed, *shown_->places);
    // KML whatever the file's name, as --kml writes it.
    std::optional<WriteFailure> failed;
    try {
        failed = writeFile(path.toStdString(),
                           terrain::mapFeaturesText(features, terrain::MapFeatureFormat::Kml, path.toStdString()));
    } catch (const std::exception& e) {
        plainMessage(this, QMessageBox::Warning, tr("Export KML"), errorText(e));
        return false;
    }
    if (failed) plainMessage(this, QMessageBox::Warning, tr("Export KML"), qs(failed->message()));
    return !failed;
}

void PlannerWindow::rememberRecent(const QString& path) {
    QSettings settings;
    QStringList recent = settings.value(kRecentKey).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentCount) recent.removeLast();
    settings.setValue(kRecentKey, recent);
}

void PlannerWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = QSettings().value(kRecentKey).toStringList();
    for (const QString& path : recent) {
        QAction* action = recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] {
            if (maybeSave()) openPlan(path);
        });
        action->setToolTip(path);
    }
    if (recent.isEmpty()) recentMenu_->addAction(tr("No plans yet"))->setEnabled(false);
}

}  // namespace tropolink::planner
