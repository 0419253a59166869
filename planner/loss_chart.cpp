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
constexpr double kFirstPercent = kYearLoPercent;
constexpr double kLastPercent = kYearHiPercent;
constexpr const char* kLegacyNames[] = {"Yeh", "ITT", "CCIR", "Collins", "Rider"};

QString percentLabel(double percent) { return QString::number(percent, 'g', 6) + QStringLiteral(" %"); }

QString labelOf(itur::ItuMethod method) {
    const std::string_view label = itur::methodNames(method).label;
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

// An axis position back to a percentage: the normal distribution function.
double percentAt(double position) { return 50 * std::erfc(-position / std::sqrt(2.0)); }

}  // namespace

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
    curves_.clear();
    view_->setAccessibleDescription(QString());
}

QString LossChart::readout() const { return readout_->text(); }

void LossChart::readAt(itur::ItuMethod method, double percent) {
    const auto curve = std::find_if(curves_.begin(), curves_.end(), [method](const YearCurve& c) { return c.method == method; });
    if (curve == curves_.end() || curve->points.empty()) return;
    const double position = probabilityPosition(percent);
    const auto nearest = std::min_element(
        curve->points.begin(), curve->points.end(), [position](const LossPoint& a, const LossPoint& b) {
            return std::abs(probabilityPosition(a.percent) - position) < std::abs(probabilityPosition(b.percent) - position);
        });
    readout_->setText(tr("%1 at %2 of the year: %3 dB")
                          .arg(labelOf(method), percentLabel(nearest->percent), figure(nearest->lossDb)));
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
    curves_ = result.yearCurves;
    for (const YearCurve& curve : curves_) {
        const QString name = labelOf(curve.method);
        if (curve.points.empty()) {
            summary << tr("%1 gives no loss on this path").arg(name);
            continue;
        }
        auto* series = new QLineSeries;
        series->setName(name);
        for (const LossPoint& point : curve.points) {
            series->append(probabilityPosition(point.percent), point.lossDb);
            take(point.lossDb);
        }
        const itur::ItuMethod method = curve.method;
        connect(series, &QLineSeries::hovered, this, [this, method](const QPointF& point, bool state) {
            if (state) readAt(method, percentAt(point.x()));
        });
        connect(series, &QLineSeries::clicked, this,
                [this, method](const QPointF& point) { readAt(method, percentAt(point.x())); });
        attach(series);
        summary << tr("%1 from %2 dB at %3 to %4 dB at %5")
                       .arg(name, figure(curve.points.front().lossDb), percentLabel(curve.points.front().percent),
                            figure(curve.points.back().lossDb), percentLabel(curve.points.back().percent));
    }

    const auto& required = result.plan.availability.requiredSnrDb;
    if (required && result.highestLossDb) {
        const std::array<double, 2>& highest = *result.highestLossDb;
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
