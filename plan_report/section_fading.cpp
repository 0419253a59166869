// Fading within the hour: what one receiver and the diversity asked for
// reach, and the median margins they need; only for a plan with [diversity].
#include "plan/fading_alone.h"
#include "plan_report/fading_svg.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"
#include "report/fading_report.h"

namespace tropolink {
namespace {

void appendMarginRows(std::string& out, itur::ItuMethod method, const itur::MethodFading& f) {
    for (const auto& [m, isRequired] : itur::marginRows(f))
        out += "<tr><th>" + itur::recommendationName(method) + ", " + percentText(m->percent) + " %" +
               (isRequired ? " (required)" : "") + "</th><td>" + numberCell(m->hourlyMedianOnlyDb, 2) + "</td><td>" +
               numberCell(m->oneReceiverDb, 2) + "</td><td>" + numberCell(m->withDiversityDb, 2) + "</td><td>" +
               numberCell(m->improvementDb(), 2) + "</td></tr>\n";
}

void appendStationRows(std::string& out, const ReportInput& in, itur::ItuMethod method, const itur::MethodFading& f) {
    if (!f.stations) return;
    for (std::size_t s = 0; s < 2; ++s) {
        const itur::StationFading& station = (*f.stations)[s];
        out += "<tr><th>" + itur::recommendationName(method) + ", ";
        appendHtmlEscaped(out, s == 0 ? in.result.plan.station1.name : in.result.plan.station2.name);
        out += "</th><td>" + numberCell(station.medianMarginDb, 2) + "</td><td>" +
               numberCell(station.oneReceiver.percent, 4) + " %</td><td>" +
               numberCell(station.oneReceiver.outageMinutesPerYear, 1) + "</td><td>" +
               numberCell(station.withDiversity.percent, 4) + " %</td><td>" +
               numberCell(station.withDiversity.outageMinutesPerYear, 1) + "</td></tr>\n";
    }
}

// Each direction of the complete P.2001 where troposcatter decides its loss, over its own L(p).
void appendCompleteRows(std::string& out, const ReportInput& in, bool margins) {
    const std::string label = itur::recommendationName(itur::ItuMethod::P2001All);
    for (const MechanismStation& s : in.result.mechanisms.stations) {
        if (!s.fading || !s.fadingMargins) continue;
        out += "<tr><th>" + label + ", ";
        appendHtmlEscaped(out, s.receivingStation == 1 ? in.result.plan.station1.name : in.result.plan.station2.name);
        const itur::StationFading& f = *s.fading;
        const itur::RequiredMargins& m = *s.fadingMargins;
        if (margins)
            out += ", " + percentText(m.percent) + " % (required)</th><td>" + numberCell(m.hourlyMedianOnlyDb, 2) +
                   "</td><td>" + numberCell(m.oneReceiverDb, 2) + "</td><td>" + numberCell(m.withDiversityDb, 2) +
                   "</td><td>" + numberCell(m.improvementDb(), 2) + "</td></tr>\n";
        else
            out += "</th><td>" + numberCell(f.medianMarginDb, 2) + "</td><td>" + numberCell(f.oneReceiver.percent, 4) +
                   " %</td><td>" + numberCell(f.oneReceiver.outageMinutesPerYear, 1) + "</td><td>" +
                   numberCell(f.withDiversity.percent, 4) + " %</td><td>" +
                   numberCell(f.withDiversity.outageMinutesPerYear, 1) + "</td></tr>\n";
    }
}

}  // namespace

void appendFadingSection(std::string& out, const ReportInput& in) {
    const itur::AvailabilityAnswer& a = in.result.availability;
    if (!a.fading) return;
    const std::string name = diversityDescription(a.fading->diversity);
    out += "<section id=\"fading\">\n<h2>Fading within the hour</h2>\n<p>Within each hour the received power is "
           "Rayleigh about its hourly median; the receiver combines its branches: <b>";
    appendHtmlEscaped(out, name);
    out += "</b>. The figures elsewhere on this page are of the hourly median only.</p>\n";
    for (const std::string& sentence : fadingDoesNotApplyNotes(in.result)) {
        out += "<p>";
        appendHtmlEscaped(out, sentence);
        out += "</p>\n";
    }
    bool complete = false;
    for (const MechanismStation& s : in.result.mechanisms.stations) complete = complete || s.fading.has_value();
    if (!a.p617.fading && !a.p2001.fading && !complete) {
        out += "<p>Neither method gives a figure on this path.</p>\n</section>\n";
        return;
    }
    if (const std::string chart = fadingAvailabilitySvg(in.result); !chart.empty())
        out += "<figure class=\"year\">" + inlineSvg(chart) + "</figure>\n";
    out += "<table class=\"fade\">\n<thead><tr><th>Receiving station</th><th>Median margin dB</th><th>One receiver"
           "</th><th>Outage min/year</th><th>";
    appendHtmlEscaped(out, diversityName(a.fading->diversity));
    out += "</th><th>Outage min/year</th></tr></thead>\n<tbody>\n";
    appendCompleteRows(out, in, false);
    for (const itur::ItuMethod method : itur::kItuMethods)
        if (const auto& f = itur::methodAnswer(a, method).fading) appendStationRows(out, in, method, *f);
    out += "</tbody>\n</table>\n<table class=\"fade\">\n<thead><tr><th>Median margin needed, dB</th><th>Hourly "
           "median only</th><th>One receiver</th><th>";
    appendHtmlEscaped(out, diversityName(a.fading->diversity));
    out += "</th><th>Improvement</th></tr></thead>\n<tbody>\n";
    appendCompleteRows(out, in, true);
    for (const itur::ItuMethod method : itur::kItuMethods)
        if (const auto& f = itur::methodAnswer(a, method).fading) appendMarginRows(out, method, *f);
    out += "</tbody>\n</table>\n<p class=\"small\">The median margin is the S/N at L(50 %) over the required S/N; the "
           "improvement is the margin one receiver needs minus the margin the diversity receiver needs.</p>\n"
           "</section>\n";
}

}  // namespace tropolink
