#include <string>

#include "plan/plan_keys.h"
#include "plan/plan_slots.h"
#include "plan/plan_toml.h"

namespace tropolink {
namespace {

// A TOML basic string: quotes, backslashes and control characters escaped.
std::string tomlString(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string valueText(const PlanKeyInfo& info, const std::vector<PlanText>& values) {
    const auto element = [&info](const PlanText& v) {
        return info.kind == PlanKind::Text || info.kind == PlanKind::TextList ? tomlString(v.text) : v.text;
    };
    if (info.kind != PlanKind::Site && info.kind != PlanKind::NumberList && info.kind != PlanKind::TextList)
        return element(values.front());
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + element(values[i]);
    return text + "]";
}

std::string tableHeader(std::string_view table) { return "[" + std::string(table) + "]\n"; }

// What the template shows for a key: its default, else an example.
std::string templateValue(const PlanKeyInfo& info) {
    if (!info.shownDefault.empty()) return info.shownDefault;
    static const std::pair<std::string_view, std::string_view> kExamples[] = {
        {"site", "[44.2706, -71.3033]"}, {"dem", "[\"srtm/\"]"}, {"profile", "\"path.csv\""},
        {"step-m", "30"},                {"n0", "320"},          {"snr-db", "10"},
        {"antenna-diameter-m", "3"},     {"rx-bandwidth-mhz", "2"}};
    for (const auto& [name, example] : kExamples)
        if (info.name == name) return std::string(example);
    return "";
}

// Where a key belongs, or what stands when it is left out, for the template.
std::string_view templateNote(std::string_view name) {
    static const std::pair<std::string_view, std::string_view> kNotes[] = {
        {"site", "with [path].dem, or with [path].profile to place it on the earth"},
        {"mast-m", "with [path].dem or [path].profile: the antenna above its ground"},
        {"antenna-height-m", "without [path].dem and [path].profile"},
        {"obstruction-height-m", "without [path].dem and [path].profile"},
        {"obstruction-distance-km", "without [path].dem and [path].profile"},
        {"distance-km", "without [path].dem and [path].profile"},
        {"ground-height-km", "without [path].dem and [path].profile, which give it"},
        {"step-m", "with [path].dem; none: the DEM's post spacing"},
        {"sea-where-missing", "with [path].dem"},
        {"fill-voids", "with [path].dem"},
        {"polarisation", "with both sites: the complete P.2001 runs where its 14 maps are installed"},
        {"n0", "none: the maps with sites, else the surface refractivity"},
        {"snr-db", "none: no verdict"},
        {"order", "any [diversity] key adds fading within the hour, and the verdict then uses it"},
        {"branch-correlation", "dual diversity only"},
        {"antenna-diameter-m", "the gain at the frequency: 10 log10(efficiency (pi D f / c)^2)"},
    };
    for (const auto& [key, note] : kNotes)
        if (key == name) return note;
    return "";
}

}  // namespace

std::string planToml(const Plan& plan) {
    std::string out = "# Tropolink link plan: tropolink-cli plan FILE runs it\n";
    std::string_view table;
    bool headerWritten = true;
    for (const PlanKeyInfo& info : planKeys()) {
        if (info.table != table) {
            table = info.table;
            headerWritten = false;
        }
        const std::vector<PlanText> values = planValues(plan, info.table, info.name);
        if (values.empty()) continue;
        if (!headerWritten) {
            out += "\n" + tableHeader(table);
            headerWritten = true;
        }
        out += std::string(info.name) + " = " + valueText(info, values);
        if (!info.unit.empty()) out += "  # " + info.unit;
        out += '\n';
    }
    return out;
}

std::string planTemplate() {
    std::string out =
        "# Tropolink link plan: tropolink-cli plan FILE runs it.\n"
        "# Every key is optional: remove the \"# \" before a key to set it. A plan takes one of four forms:\n"
        "#   sites with [path].dem: the terrain from the DEMs;\n"
        "#   a [path].profile CSV with sites, which place it on the earth;\n"
        "#   a [path].profile CSV alone;\n"
        "#   none of these: the calculator's sliders (antenna-height-m, obstruction-*, distance-km).\n"
        "# Numbers are plain decimals (no exponent) on the sliders' steps. Paths are relative to this file.\n"
        "# A station's radio (power, line losses, noise, gain, bandwidth) may leave its sliders' ranges and steps:\n"
        "# the budget and the methods take it as given, and the calculator's 52 boxes are then left out.\n";
    std::string_view table;
    bool first = true;
    for (const PlanKeyInfo& info : planKeys()) {
        if (info.table != table || first) {
            table = info.table;
            out += "\n";
            if (!table.empty()) out += tableHeader(table);
            first = false;
        }
        out += "# " + std::string(info.name) + " = " + templateValue(info) + "\n";
        out += "#     " + info.allowed;
        if (!info.shownDefault.empty()) out += "; default " + info.shownDefault;
        if (const std::string_view note = templateNote(info.name); !note.empty()) out += "; " + std::string(note);
        out += "\n";
    }
    return out;
}

}  // namespace tropolink
