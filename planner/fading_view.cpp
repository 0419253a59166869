#include "planner/fading_view.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "plan_report/fading_svg.h"
#include "planner/figure_text.h"
#include "planner/profile_view.h"
#include "report/fading_report.h"

namespace tropolink::planner {
namespace {

QTableWidget* makeTable(const QString& name) {
    auto* table = new QTableWidget(0, 5);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(name);
    return table;
}

void appendRow(QTableWidget* table, const QStringList& cells) {
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
}

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString percentOf(double percent) { return QString::number(percent, 'g', 6) + QStringLiteral(" %"); }
QString availabilityOf(double percent) { return figure(percent, 4) + QStringLiteral(" %"); }

}  // namespace

FadingView::FadingView(QWidget* parent)
    : QWidget(parent), chart_(new ProfileView), stations_(makeTable(tr("Fading availability table"))),
      margins_(makeTable(tr("Fading margin table"))) {
    chart_->setAccessibleName(tr("Availability against median margin chart"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart_, 2);
    layout->addWidget(stations_, 1);
    layout->addWidget(margins_, 1);
}

void FadingView::clear(const QString& why) {
    chart_->setPicture({}, why);
    stations_->setRowCount(0);
    margins_->setRowCount(0);
}

void FadingView::show(const PlanResult& result) {
    const itur::AvailabilityAnswer& a = result.availability;
    if (!a.fading) {
        clear(tr("The plan has no [diversity]: fading within the hour is not shown."));
        return;
    }
    clear(tr("Neither method gives a figure on this path."));
    chart_->setPicture(QByteArray::fromStdString(fadingAvailabilitySvg(result)),
                       tr("Neither method gives a figure on this path."));
    const QString diversity = QString::fromStdString(diversityName(a.fading->diversity));
    stations_->setHorizontalHeaderLabels({tr("Received at"), tr("Median margin dB"), tr("One receiver"),
                                          diversity, tr("Outage min/year, %1").arg(diversity)});
    margins_->setHorizontalHeaderLabels(
        {tr("Margin needed for"), tr("Hourly median only dB"), tr("One receiver dB"), diversity + tr(" dB"),
         tr("Improvement dB")});
    const std::array<QString, 2> names{QString::fromStdString(result.plan.station1.name),
                                       QString::fromStdString(result.plan.station2.name)};
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
        if (!f) continue;
        const QString label = text(itur::methodNames(method).label);
        if (f->stations)
            for (std::size_t s = 0; s < 2; ++s) {
                const itur::StationFading& station = (*f->stations)[s];
                appendRow(stations_, {label + QStringLiteral(", ") + names[s], figure(station.medianMarginDb, 2),
                                      availabilityOf(station.oneReceiver.percent), availabilityOf(station.withDiversity.percent),
                                      figure(station.withDiversity.outageMinutesPerYear)});
            }
        for (const auto& [m, required] : itur::marginRows(*f))
            appendRow(margins_, {label + QStringLiteral(", ") + percentOf(m->percent) +
                                     (required ? tr(" (required)") : QString()),
                                 figure(m->hourlyMedianOnlyDb, 2), figure(m->oneReceiverDb, 2),
                                 figure(m->withDiversityDb, 2), figure(m->improvementDb(), 2)});
    }
    stations_->resizeColumnsToContents();
    margins_->resizeColumnsToContents();
}

}  // namespace tropolink::planner
