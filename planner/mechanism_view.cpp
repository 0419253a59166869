#include "planner/mechanism_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <limits>

#include "plan_report/mechanism_svg.h"
#include "planner/mechanism_texts.h"
#include "planner/probability_axis.h"

namespace tropolink::planner {
namespace {

constexpr double kAxisPercents[] = {1, 10, 50, 90, 99, 99.9, 99.99};
constexpr const char* kCurveColours[kMechanismCurves] = {"#111111", "#1b9e77", "#d95f02", "#1f4e9c", "#e7298a"};

}  // namespace

MechanismView::MechanismView(QWidget* parent)
    : QWidget(parent), summary_(new QLabel), chart_(new QChart), table_(new QTableWidget(0, 8)) {
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    summary_->setAccessibleName(tr("How the signal arrives"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* view = new QChartView(chart_);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 220);
    view->setAccessibleName(tr("Mechanism chart"));
    chart_->legend()->setAlignment(Qt::AlignRight);
    chartView_ = view;
    table_->setHorizontalHeaderLabels({tr("Time %"), tr("Received at"), tr("Lb dB"), tr("Lbm1 dB"), tr("Lbm2 dB"),
                                       tr("Lbm3 dB"), tr("Lbm4 dB"), tr("Deciding mechanism")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(tr("Mechanism table"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(chartView_, 3);
    layout->addWidget(table_, 2);
}

QString MechanismView::summary() const { return summary_->text(); }

void MechanismView::clear() {
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    table_->setRowCount(0);
    summary_->clear();
}

void MechanismView::show(const PlanResult& result) {
    clear();
    summary_->setText(mechanismSummary(result));
    const std::vector<QStringList> rows = mechanismRows(result);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table_->setItem(static_cast<int>(r), c, new QTableWidgetItem(rows[r][c]));
    const bool ran = result.mechanisms.ran() && !result.mechanisms.stations.empty();
    chartView_->setVisible(ran);
    table_->setVisible(ran);
    if (!ran) return;
    const MechanismStation& s = result.mechanisms.stations.front();
    const std::string& name = s.receivingStation == 1 ? result.plan.station1.name : result.plan.station2.name;
    chart_->setTitle(tr("Received at %1").arg(QString::fromStdString(name)));
    auto* xAxis = new QCategoryAxis;
    xAxis->setTitleText(tr("Percentage of the year the loss is not exceeded"));
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (const double p : kAxisPercents) xAxis->append(QString::number(p, 'g', 6) + QStringLiteral(" %"), probabilityPosition(p));
    xAxis->setRange(probabilityPosition(kYearLoPercent), probabilityPosition(kYearHiPercent));
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(tr("Basic transmission loss (dB)"));
    chart_->addAxis(xAxis, Qt::AlignBottom);
    chart_->addAxis(yAxis, Qt::AlignLeft);
    std::optional<double> limit;
    if (result.highestLossDb) limit = (*result.highestLossDb)[static_cast<std::size_t>(s.receivingStation - 1)];
    // The loss axis the report's chart uses: Lb and the limit, with the sub-models near them.
    const plot::Range range = mechanismChartAxes(s, limit).lossTicks.span();
    yAxis->setRange(range.lo, range.hi);
    for (std::size_t c = 0; c < kMechanismCurves; ++c) {
        auto* series = new QLineSeries;
        series->setName(QString::fromUtf8(curveName(c).data(), static_cast<qsizetype>(curveName(c).size())));
        for (const MechanismLosses& at : s.overYear) series->append(probabilityPosition(at.percent), curveLossDb(at, c));
        QPen pen = series->pen();
        pen.setColor(QColor(QLatin1String(kCurveColours[c])));
        pen.setWidthF(c == 0 ? 2.5 : 1.5);
        series->setPen(pen);
        chart_->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    if (limit) {
        auto* line = new QLineSeries;
        line->setName(tr("Limit %1 dB").arg(QString::number(*limit, 'f', 1)));
        QPen pen = line->pen();
        pen.setStyle(Qt::DashLine);
        pen.setColor(QColor(0x6a, 0x3d, 0x9a));
        line->setPen(pen);
        line->append(probabilityPosition(kYearLoPercent), *limit);
        line->append(probabilityPosition(kYearHiPercent), *limit);
        chart_->addSeries(line);
        line->attachAxis(xAxis);
        line->attachAxis(yAxis);
    }
}

}  // namespace tropolink::planner
