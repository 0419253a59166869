#include "planner/results_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstddef>

#include "link/method_columns.h"
#include "planner/figure_text.h"
#include "planner/fading_view.h"
#include "planner/loss_chart.h"
#include "planner/mechanism_texts.h"
#include "planner/mechanism_view.h"
#include "planner/profile_view.h"
#include "planner/result_texts.h"
#include "report/profile_svg.h"

namespace tropolink::planner {
namespace {

// A scroll area that asks for no width of its own: the widest table row would
// otherwise take width from the form beside the results.
class SummaryArea : public QScrollArea {
public:
    QSize sizeHint() const override { return {0, QScrollArea::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QScrollArea::minimumSizeHint().height()}; }
};

QTableWidget* makeTable(const QStringList& headers, const QString& name) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(name);
    table->setWordWrap(false);
    return table;
}

// The verdict's few rows all show, and no empty space below them.
void fitHeight(QTableWidget* table) {
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() +
                          2 * table->frameWidth());
}

void setRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

// The verdict table's last column, shown with [diversity].
constexpr int kHourlyMedianColumn = 5;

}  // namespace

ResultsView::ResultsView(QWidget* parent)
    : QWidget(parent),
      status_(new QLabel),
      stage_(new QLabel),
      progress_(new QProgressBar),
      cancel_(new QPushButton(tr("&Cancel"))),
      verdict_(makeTable({tr("Method"), tr("Receiving"), tr("Availability"), tr("Outage"), tr("Requirement"),
                          tr("Hourly median only")},
                         tr("Verdict table"))),
      decision_(new QLabel),
      notes_(new QLabel),
      tabs_(new QTabWidget),
      profile_(new ProfileView),
      chart_(new LossChart),
      fading_(new FadingView),
      mechanisms_(new MechanismView),
      legacy_(makeTable({tr("Method"), tr("Path loss"), tr("Verdict"), tr("S/N at station 1"), tr("S/N at station 2")},
                        tr("Legacy methods table"))),
      climate_(makeTable({tr("Value"), tr("Figure"), tr("Source"), tr("Taken at")}, tr("Climate table"))) {
    status_->setTextFormat(Qt::PlainText);
    status_->setAccessibleName(tr("Results status"));
    status_->setWordWrap(true);
    stage_->setTextFormat(Qt::PlainText);
    stage_->setAccessibleName(tr("Computation stage"));
    stage_->hide();
    progress_->setRange(0, 0);
    progress_->setAccessibleName(tr("Computation progress"));
    progress_->setMaximumWidth(160);
    progress_->hide();
    cancel_->setAccessibleName(tr("Cancel the computation"));
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &ResultsView::cancelRequested);
    decision_->setTextFormat(Qt::PlainText);
    decision_->setWordWrap(true);
    decision_->setAccessibleName(tr("The one verdict"));
    decision_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    notes_->setTextFormat(Qt::PlainText);
    notes_->setWordWrap(true);
    notes_->setAccessibleName(tr("Validity notes"));
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    profile_->setAccessibleName(tr("Terrain profile picture"));
    tabs_->setAccessibleName(tr("Result pages"));
    tabs_->addTab(profile_, tr("&Profile"));
    tabs_->addTab(chart_, tr("&Loss over the year"));
    tabs_->addTab(fading_, tr("Fadin&g"));
    tabs_->addTab(mechanisms_, tr("How the signal &arrives"));
    tabs_->addTab(legacy_, tr("Legacy &methods"));
    tabs_->addTab(climate_, tr("C&limate"));

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(stage_);
    statusRow->addWidget(progress_);
    statusRow->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(statusRow);
    // As wide as its columns: the verdict reads as one block, not a sparse grid.
    verdict_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    verdict_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verdict_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verdict_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    verdict_->horizontalHeader()->setStretchLastSection(false);
    // The verdict, its table and the notes scroll, and yield height to the
    // pages below by a splitter: on a small or scaled screen they would
    // otherwise be squeezed until their lines overlap.
    summary_ = new QWidget;
    auto* summaryLayout = new QVBoxLayout(summary_);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    summaryLayout->addWidget(decision_);
    summaryLayout->addWidget(verdict_, 0, Qt::AlignLeft);
    summaryLayout->addWidget(notes_);
    summaryLayout->addStretch(1);
    auto* summaryArea = new SummaryArea;
    summaryArea->setWidget(summary_);
    summaryArea->setWidgetResizable(true);
    summaryArea->setFrameShape(QFrame::NoFrame);
    summaryArea->setAccessibleName(tr("Verdict and notes"));
    split_ = new QSplitter(Qt::Vertical);
    auto* split = split_;
    split->setAccessibleName(tr("Verdict and result pages"));
    split->setChildrenCollapsible(false);
    split->addWidget(summaryArea);
    split->addWidget(tabs_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    clear(tr("No results yet."));
}

QString ResultsView::statusText() const { return status_->text(); }

QString ResultsView::decisionText() const { return decision_->text(); }

void ResultsView::clear(const QString& why) {
    verdict_->setRowCount(0);
    verdict_->setColumnHidden(kHourlyMedianColumn, true);
    legacy_->setRowCount(0);
    climate_->setRowCount(0);
    chart_->clear();
    fading_->clear(why);
    mechanisms_->clear();
    decision_->clear();
    decision_->hide();
    profile_->setPicture({}, why);
    profile_->setAccessibleDescription(why);
    notes_->clear();
    notes_->hide();
    status_->setText(why);
    stale_ = false;
}

void ResultsView::setStale(const QString& why) {
    stale_ = true;
    status_->setText(tr("Stale: these results are of the last valid plan. %1").arg(why));
    status_->setStyleSheet(QStringLiteral("color: #a04000;"));
}

void ResultsView::setBusy(bool busy, const QString& stage) {
    stage_->setVisible(busy);
    progress_->setVisible(busy);
    cancel_->setVisible(busy);
    stage_->setText(stage);
    progress_->setAccessibleDescription(stage);
}

void ResultsView::showResult(const PlanResult& result) {
    stale_ = false;
    status_->setStyleSheet(QString());
    status_->setText(tr("Results of the plan in the form."));
    fillVerdicts(result);
    fillLegacy(result);
    fillClimate(result);
    fillProfile(result);
    chart_->show(result);
    fading_->show(result);
    mechanisms_->show(result);
    const QStringList decision = decisionLines(result);
    decision_->setText(decision.join(QLatin1Char('\n')));
    decision_->setVisible(!decision.isEmpty());
    QStringList notes;
    for (const std::string& note : result.shownNotes()) notes << QString::fromStdString(note);
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
    // The summary at its natural height where the window allows, at most
    // three fifths of it; the pages take the rest.
    const int total = split_->height();
    if (total > 0) {
        const int summary = std::min(summary_->sizeHint().height(), total * 3 / 5);
        split_->setSizes({summary, total - summary});
    }
}

void ResultsView::fillVerdicts(const PlanResult& result) {
    verdict_->clearSpans();
    verdict_->setRowCount(0);
    if (result.verdicts.empty()) {
        verdict_->setColumnHidden(kHourlyMedianColumn, true);
        verdict_->setRowCount(1);
        setRow(verdict_, 0, {tr("No required S/N in the plan: no verdict.")});
        verdict_->setSpan(0, 0, 1, verdict_->columnCount());
        fitHeight(verdict_);
        return;
    }
    verdict_->setRowCount(static_cast<int>(result.verdicts.size()));
    // With [diversity] the figures with fading decide; the hourly median's stay beside them.
    const bool fading = result.plan.availability.fading.has_value();
    verdict_->horizontalHeaderItem(2)->setText(fading ? tr("Availability with fading") : tr("Availability"));
    verdict_->setColumnHidden(kHourlyMedianColumn, !fading);
    int row = 0;
    for (const PlanVerdict& verdict : result.verdicts) {
        const VerdictTexts texts = verdictTexts(result, verdict);
        setRow(verdict_, row,
               {texts.method, texts.receiving, texts.availability, texts.outage, texts.met, texts.hourlyMedianOnly});
        QTableWidgetItem* met = verdict_->item(row, 4);
        // A method without a figure is neither met nor failed: grey, not red.
        met->setForeground(!verdict.applies ? QColor(0x55, 0x55, 0x55)
                           : verdict.met    ? QColor(0x0b, 0x6b, 0x1f)
                                            : QColor(0xb0, 0x10, 0x10));
        met->setBackground(!verdict.applies ? QColor(0xee, 0xee, 0xee)
                           : verdict.met    ? QColor(0xdc, 0xf5, 0xdc)
                                            : QColor(0xfb, 0xdc, 0xdc));
        QFont bold = met->font();
        bold.setBold(true);
        met->setFont(bold);
        ++row;
    }
    verdict_->resizeColumnsToContents();
    fitHeight(verdict_);
}

void ResultsView::fillLegacy(const PlanResult& result) {
    const auto rows = legacyTexts(result);
    legacy_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        setRow(legacy_, static_cast<int>(i), rows[i]);
    }
}

void ResultsView::fillClimate(const PlanResult& result) {
    const auto rows = climateTexts(result);
    climate_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        setRow(climate_, static_cast<int>(i), rows[i]);
    }
}

void ResultsView::fillProfile(const PlanResult& result) {
    if (!result.derived || result.points.empty()) {
        const QString none = tr("This plan has no terrain: no profile to draw.");
        profile_->setPicture({}, none);
        profile_->setAccessibleDescription(none);
        return;
    }
    const std::string svg =
        profileSvg(ProfilePicture{result.points, *result.derived, result.values, result.link.frequencyMhz});
    profile_->setPicture(QByteArray::fromStdString(svg));
    profile_->setAccessibleDescription(profileDescription(result));
}

}  // namespace tropolink::planner
