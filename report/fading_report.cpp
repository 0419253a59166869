#include "report/fading_report.h"

#include <algorithm>
#include <array>

#include "grammar/number_text.h"
#include "report/availability_cells.h"

namespace tropolink {
namespace {

constexpr std::size_t kRowLabelWidth = 24;

std::string methodLabel(itur::ItuMethod method) {
    std::string label(itur::methodNames(method).label);
    label.resize(itur::longestLabel(), ' ');
    return label;
}

std::string percentText(double percent) {
    std::string text;
    appendShortest(text, percent);
    return text;
}

// The margins table: one row per method and percentage.
void appendMargins(std::string& out, const itur::AvailabilityAnswer& a, const itur::Diversity& d) {
    const std::array<std::string, 4> headings{"hourly median only", "one receiver", diversityName(d), "improvement"};
    std::array<std::size_t, 4> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = std::max<std::size_t>(12, headings[i].size() + 2);
    out += "Median margin needed, dB over the required S/N at L(50):\n";
    out.append(2 + itur::longestLabel() + kRowLabelWidth, ' ');
    for (std::size_t i = 0; i < widths.size(); ++i) padLeft(out, headings[i], widths[i]);
    out += '\n';
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
        if (!f) continue;
        for (const auto& [m, required] : itur::marginRows(*f)) {
            out += "  " + methodLabel(method);
            std::string label = " for " + percentText(m->percent) + " %" + (required ? " (required)" : "");
            padRight(out, label, kRowLabelWidth);
            const std::array<double, 4> values{m->hourlyMedianOnlyDb, m->oneReceiverDb, m->withDiversityDb,
                                               m->improvementDb()};
            for (std::size_t i = 0; i < widths.size(); ++i) padLeft(out, figureText(values[i]), widths[i]);
            out += '\n';
        }
    }
}

void appendReached(std::string& out, std::string_view name, const itur::FadingAvailability& f) {
    out += "    ";
    padRight(out, name, 24);
    appendFixed(out, f.percent, 6);
    out += " % of the year, outage ";
    appendFixed(out, f.outageMinutesPerYear, 1);
    out += " minutes a year\n";
}

void appendStations(std::string& out, const itur::AvailabilityAnswer& a, const itur::Diversity& d,
                    double requiredSnrDb) {
    out += "\nAvailability at S/N >= ";
    appendShortest(out, requiredSnrDb);
    out += " dB with fading within the hour:\n";
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
        if (!f || !f->stations) continue;
        for (std::size_t s = 0; s < 2; ++s) {
            const itur::StationFading& station = (*f->stations)[s];
            out += "  " + methodLabel(method) + " at station " + std::to_string(s + 1) + ": median margin " +
                   figureText(station.medianMarginDb) + " dB\n";
            appendReached(out, "one receiver", station.oneReceiver);
            appendReached(out, diversityName(d), station.withDiversity);
        }
    }
}

void writeMargins(JsonWriter& json, const itur::RequiredMargins& m) {
    json.beginObject();
    json.member("percent", m.percent);
    json.member("hourlyMedianOnlyDb", m.hourlyMedianOnlyDb);
    json.member("oneReceiverDb", m.oneReceiverDb);
    json.member("withDiversityDb", m.withDiversityDb);
    json.member("improvementDb", m.improvementDb());
    json.endObject();
}

void writeReached(JsonWriter& json, std::string_view name, const itur::FadingAvailability& f) {
    json.key(name);
    json.beginObject();
    json.member("percent", f.percent);
    json.member("outageMinutesPerYear", f.outageMinutesPerYear);
    json.member("heldBeyondMethod", f.heldBeyondMethod);
    json.endObject();
}

void writeMethod(JsonWriter& json, const itur::MethodFading& f) {
    json.beginObject();
    json.key("requiredMargins");
    json.beginArray();
    for (const itur::RequiredMargins& m : f.atImprovementPercents) writeMargins(json, m);
    json.endArray();
    if (f.atRequiredPercent) {
        json.key("atRequiredPercent");
        writeMargins(json, *f.atRequiredPercent);
    }
    if (f.stations) {
        json.key("stations");
        json.beginObject();
        for (std::size_t s = 0; s < 2; ++s) {
            const itur::StationFading& station = (*f.stations)[s];
            json.key(s == 0 ? "atStation1" : "atStation2");
            json.beginObject();
            json.member("medianMarginDb", station.medianMarginDb);
            writeReached(json, "oneReceiver", station.oneReceiver);
            writeReached(json, "withDiversity", station.withDiversity);
            json.endObject();
        }
        json.endObject();
    }
    json.endObject();
}

}  // namespace

std::string diversityName(const itur::Diversity& d) {
    if (d.order == 1) return "one receiver";
    return std::string(d.order == 2 ? "dual " : "quadruple ") + std::string(itur::combinerName(d.combiner));
}

std::string diversityDescription(const itur::Diversity& d) {
    std::string text = diversityName(d);
    if (d.branchCorrelation != 0) {
        text += ", branch correlation ";
        appendShortest(text, d.branchCorrelation);
    }
    return text;
}

void appendFadingTable(std::string& out, const itur::AvailabilityAnswer& a, std::optional<double> requiredSnrDb) {
    if (!a.fading) return;
    const itur::Diversity& d = a.fading->diversity;
    out += "\nFading within the hour (Rayleigh about the hourly median), " + diversityDescription(d) + ":\n";
    if (!a.p617.fading && !a.p2001.fading) {
        out += "  neither method gives a figure on this path\n";
        return;
    }
    appendMargins(out, a, d);
    if (requiredSnrDb) appendStations(out, a, d, *requiredSnrDb);
}

void writeFading(JsonWriter& json, const itur::AvailabilityAnswer& a) {
    if (!a.fading) return;
    const itur::Diversity& d = a.fading->diversity;
    json.key("fading");
    json.beginObject();
    json.member("diversityOrder", static_cast<double>(d.order));
    json.member("combiner", itur::combinerName(d.combiner));
    json.member("branchCorrelation", d.branchCorrelation);
    json.member("requiredAvailabilityPercent", a.fading->requiredAvailabilityPercent);
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
        json.key(itur::methodNames(method).json);
        if (f)
            writeMethod(json, *f);
        else
            json.raw("null");
    }
    json.endObject();
}

std::vector<std::string> fadingNotes(const itur::AvailabilityAnswer& a) {
    std::vector<std::string> notes;
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
        if (!f || !f->stations) continue;
        const bool held = std::ranges::any_of(*f->stations, [](const itur::StationFading& s) {
            return s.oneReceiver.heldBeyondMethod || s.withDiversity.heldBeyondMethod;
        });
        if (held)
            notes.push_back(std::string(itur::methodNames(method).label) +
                            " with fading: beyond 0.001 and 99.999 % of the year, where the method ends, its loss is "
                            "held at the value there, and that part of the year counts in the availability");
    }
    return notes;
}

}  // namespace tropolink
