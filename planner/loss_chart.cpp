#include "planner/loss_chart.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "link/method_columns.h"
#include "planner/figure_text.h"
#include "planner/probability_axis.h"

namespace tropolink::planner {
namespace {

constexpr double kAxisPercents[] = {1, 10, 50, 90, 99, 99.9, 99.99};
constexpr double kFirstPercent = 1;
constexpr double kLastPercent = 99.99;
constexpr int kCurvePointCount = 80;
constexpr const char* kMethodNames[] = {"P.617", "P.2001"};
constexpr const char* kLegacyNames[] = {"Yeh", "ITT", "CCIR", "Collins", "Rider"};

QString percentLabel(double percent) { return QString::number(percent, 'g', 6) + QStringLiteral(" %"); }

}  // namespace

std::vector<double> curvePercents() {
    // Evenly spaced along the axis, so the curve is as smooth at 99.99 % as at 50 %.
    const double first = probabilityPosition(kFirstPercent);
    const double last = probabilityPosition(kLastPercent);
    std::vector<double> percents;
    for (int i = 0; i <= kCurvePointCount; ++i) {
        const double x = first + (last - first) * i / kCurvePointCount;
        // The axis position back to a percentage: the normal distribution function.
        percents.push_back(50 * std::erfc(-x / std::sqrt(2.0)));
    }
    percents.front() = kFirstPercent;
    percents.back() = kLastPercent;
    return percents;
}

LossChart::LossChart(QWidget* parent)
    : QWidget(parent), chart_(new QChart), view_(new QChartView(chart_)), readout_(new QLabel) {
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(320, 240);
    view_->setAccessibleName(tr("Loss over the year chart"));
    view_->setFocusPolicy(Qt::StrongFocus);
    chart_->setTitle(tr("Path loss over the year"));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    readout_->setTextFormat(Qt::PlainText);
    readout_->setAccessibleName(tr("Chart readout"));
    readout_->setText(tr("Point at a curve to read its value."));
    readout_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    layout->addWidget(readout_);
}

void LossChart::clear() {
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    curves_[0].clear();
    curves_[1].clear();
    view_->setAccessibleDescription(QString());
}

QString LossChart::readout() const { return readout_->text(); }

void LossChart::readAt(int series, double percent) {
    const auto& curve = curves_[series];
    if (curve.empty()) return;
    const auto nearest = std::min_element(curve.begin(), curve.end(), [percent](const CurvePoint& a, const CurvePoint& b) {
        return std::abs(probabilityPosition(a.percent) - probabilityPosition(percent)) <
               std::abs(probabilityPosition(b.percent) - probabilityPosition(percent));
    });
    readout_->setText(tr("%1 at %2 of the year: %3 dB")
                          .arg(QLatin1String(kMethodNames[series]), percentLabel(nearest->percent),
                               figure(nearest->lossDb)));
}

void LossChart::show(const PlanResult& result) {
    clear();
    auto* xAxis = new QCategoryAxis;
    xAxis->setTitleText(tr("Percentage of the year the loss is not exceeded"));
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (double p : kAxisPercents) xAxis->append(percentLabel(p), probabilityPosition(p));
    xAxis->setRange(probabilityPosition(kFirstPercent), probabilityPosition(kLastPercent));
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(tr("Path loss (dB)"));
    chart_->addAxis(xAxis, Qt::AlignBottom);
    chart_->addAxis(yAxis, Qt::AlignLeft);

    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    const auto take = [&](double loss) {
        low = std::min(low, loss);
        high = std::max(high, loss);
    };
    const auto attach = [&](QXYSeries* series) {
        chart_->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    };
    QStringList summary;
    std::vector<QLineSeries*> lines;  // vertical, drawn once the loss axis is known
    for (std::size_t m = 0; m < itur::kItuMethods.size(); ++m) {
        auto* series = new QLineSeries;
        series->setName(QLatin1String(kMethodNames[m]));
        for (double p : curvePercents()) {
            const auto loss = itur::methodLoss(itur::kItuMethods[m], result.link, p).value();
            if (!loss) continue;
            curves_[m].push_back({p, *loss});
            series->append(probabilityPosition(p), *loss);
            take(*loss);
        }
        if (curves_[m].empty()) {
            delete series;
            summary << tr("%1 gives no loss on this path").arg(QLatin1String(kMethodNames[m]));
            continue;
        }
        const int index = static_cast<int>(m);
        connect(series, &QLineSeries::hovered, this, [this, index](const QPointF& point, bool state) {
            if (state) readAt(index, 50 * std::erfc(-point.x() / std::sqrt(2.0)));
        });
        connect(series, &QLineSeries::clicked, this,
                [this, index](const QPointF& point) { readAt(index, 50 * std::erfc(-point.x() / std::sqrt(2.0))); });
        attach(series);
        summary << tr("%1 from %2 dB at 1 % to %3 dB at 99.99 %")
                       .arg(QLatin1String(kMethodNames[m]), figure(curves_[m].front().lossDb),
                            figure(curves_[m].back().lossDb));
    }

    const auto& required = result.plan.availability.requiredSnrDb;
    if (required) {
        const double highest[2] = {itur::snrAtStation1(result.budget, 0) - *required,
                                   itur::snrAtStation2(result.budget, 0) - *required};
        for (int station = 0; station < 2; ++station) {
            if (station == 1 && std::abs(highest[1] - highest[0]) < 0.05) break;
            auto* line = new QLineSeries;
            // Short: the legend shares one line with the others at any scale.
            line->setName(tr("Limit for S/N at %1").arg(QString::number(station + 1)));
            QPen pen = line->pen();
            pen.setStyle(station == 0 ? Qt::DashLine : Qt::DotLine);
            pen.setColor(QColor(0xb0, 0x30, 0x30));
            pen.setWidthF(1.5);
            line->setPen(pen);
            line->append(probabilityPosition(kFirstPercent), highest[station]);
            line->append(probabilityPosition(kLastPercent), highest[station]);
            take(highest[station]);
            attach(line);
            summary << tr("highest loss meeting %1 dB S/N at station %2: %3 dB")
                           .arg(figure(*required), QString::number(station + 1), figure(highest[station]));
        }
    }

    const double requiredPercent = result.plan.requiredAvailabilityPercent;
    if (required && requiredPercent >= kFirstPercent && requiredPercent <= kLastPercent) {
        auto* line = new QLineSeries;
        line->setName(tr("Required %1").arg(percentLabel(requiredPercent)));
        QPen pen = line->pen();
        pen.setStyle(Qt::DashDotLine);
        pen.setColor(QColor(0x55, 0x55, 0x55));
        line->setPen(pen);
        lines.push_back(line);
        summary << tr("required availability %1").arg(percentLabel(requiredPercent));
    }

    const MethodColumns columns = methodColumns(result.values);
    auto* medians = new QScatterSeries;
    medians->setName(tr("Legacy medians"));
    medians->setMarkerSize(9);
    QStringList medianTexts;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (const auto loss = columns[i].shownLoss()) {
            medians->append(probabilityPosition(50), *loss);
            take(*loss);
            medianTexts << QStringLiteral("%1 %2 dB").arg(QLatin1String(kLegacyNames[i]), figure(*loss));
        }
    }
    if (medians->count() == 0) {
        delete medians;
    } else {
        connect(medians, &QScatterSeries::hovered, this, [this, medianTexts](const QPointF&, bool state) {
            if (state) readout_->setText(tr("Legacy medians at 50 %: ") + medianTexts.join(QStringLiteral(", ")));
        });
        attach(medians);
        summary << tr("legacy medians at 50 %: ") + medianTexts.join(QStringLiteral(", "));
    }
    if (std::isfinite(low)) {
        const double margin = std::max(2.0, (high - low) * 0.05);
        yAxis->setRange(low - margin, high + margin);
        yAxis->applyNiceNumbers();
        // The vertical lines span the axis as it ends up.
        for (QLineSeries* line : lines) {
            const double x = probabilityPosition(requiredPercent);
            line->append(x, yAxis->min());
            line->append(x, yAxis->max());
            attach(line);
        }
    } else {
        qDeleteAll(lines);
    }
    view_->setAccessibleDescription(summary.join(QStringLiteral("; ")));
    readout_->setText(tr("Point at a curve to read its value."));
}

}  // namespace tropolink::planner
