#include "plan/plan_toml.h"

#include <cerrno>
#include <cstring>
#include <toml++/toml.h>

#include "grammar/input_error.h"
#include "io/input_file.h"
#include "plan/plan_keys.h"
#include "plan/plan_slots.h"
#include "plan/plan_toml_depth.h"

namespace tropolink {
namespace {

// The plan's text with its lines found once, so that a value's text can be
// taken from where toml++ found it.
class SourceText {
public:
    explicit SourceText(std::string_view text) : text_(text) {
        // toml++ counts the first line's columns after a byte order mark.
        lineStarts_.push_back(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') lineStarts_.push_back(i + 1);
    }

    // The number as written: from its first character to the next blank,
    // comma, bracket, brace or comment.
    std::string numberAt(PlanPosition at) const {
        std::size_t i = offset(at);
        const std::size_t start = i;
        while (i < text_.size() && std::string_view(" \t\r\n,]}#").find(text_[i]) == std::string_view::npos) ++i;
        return std::string(text_.substr(start, i - start));
    }

private:
    // toml++ counts columns in code points.
    // The values are asked for in the order of the text, so that counting
    // on from the last position keeps a long line of numbers linear.
    std::size_t offset(PlanPosition at) const {
        const auto line = static_cast<std::size_t>(at.line - 1);
        if (line >= lineStarts_.size()) return text_.size();
        Cursor c{at.line, 1, lineStarts_[line]};
        if (last_.line == at.line && last_.column <= at.column) c = last_;
        for (; c.column < at.column && c.offset < text_.size(); ++c.column) {
            ++c.offset;
            while (c.offset < text_.size() && (static_cast<unsigned char>(text_[c.offset]) & 0xC0) == 0x80) ++c.offset;
        }
        last_ = c;
        return c.offset;
    }

    struct Cursor {
        long line = 0;
        long column = 0;
        std::size_t offset = 0;
    };

    std::string_view text_;
    std::vector<std::size_t> lineStarts_;
    mutable Cursor last_;
};

PlanPosition positionOf(const toml::source_region& region) {
    return {static_cast<long>(region.begin.line), static_cast<long>(region.begin.column)};
}

std::string_view typeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string: return "a string";
        case toml::node_type::integer:
        case toml::node_type::floating_point: return "a number";
        case toml::node_type::boolean: return "a boolean";
        case toml::node_type::array: return "an array";
        case toml::node_type::table: return "a table";
        default: return "a date or time";
    }
}

std::string_view kindName(PlanKind kind) {
    switch (kind) {
        case PlanKind::Text: return "a string";
        case PlanKind::Boolean: return "true or false";
        case PlanKind::Number: return "a number";
        case PlanKind::Site: return "[LAT, LON]";
        case PlanKind::NumberList: return "an array of numbers";
        case PlanKind::TextList: return "a string or an array of strings";
    }
    return "";
}

class PlanReader {
public:
    PlanReader(std::string_view text, const std::filesystem::path& file) : source_(text), file_(file) {}

    void readTable(const toml::table& table, std::string_view tableName, Plan& plan) {
        for (auto&& [key, node] : table) {
            const std::string_view name = key.str();
            if (tableName.empty() && isPlanTable(name)) {
                if (!node.is_table()) {
                    const std::string dotted(name);
                    throw planError(file_, positionOf(node.source()), dotted,
                                    refusal(dotted, std::string(typeName(node)) + " where a table belongs",
                                            "[" + dotted + "] with the keys " + keysOf(name)));
                }
                readTable(*node.as_table(), name, plan);
                continue;
            }
            const PlanKeyInfo* info = findPlanKey(tableName, name);
            if (!info) {
                const std::string dotted = dottedKey(tableName, name);
                throw planError(file_, positionOf(key.source()), dotted,
                                refusal(dotted, "unknown key", keysOf(tableName)));
            }
            readValue(*info, node, planSlot(plan, tableName, name));
        }
    }

private:
    static bool isPlanTable(std::string_view name) {
        for (const std::string_view t : kPlanTables)
            if (!t.empty() && t == name) return true;
        return false;
    }

    [[noreturn]] void wrongType(const PlanKeyInfo& info, const toml::node& node, std::string_view expected) const {
        const std::string dotted = dottedKey(info.table, info.name);
        throw planError(file_, positionOf(node.source()), dotted,
                        refusal(dotted, std::string(typeName(node)) + " where " + std::string(expected) + " belongs",
                                info.allowed));
    }

    PlanText number(const PlanKeyInfo& info, const toml::node& node) const {
        if (!node.is_number()) wrongType(info, node, "a number");
        const PlanPosition at = positionOf(node.source());
        return {source_.numberAt(at), at};
    }

    PlanText scalar(const PlanKeyInfo& info, const toml::node& node) const {
        const PlanPosition at = positionOf(node.source());
        switch (info.kind) {
            case PlanKind::Text:
            case PlanKind::TextList:
                if (!node.is_string()) wrongType(info, node, "a string");
                return {std::string(node.as_string()->get()), at};
            case PlanKind::Boolean:
                if (!node.is_boolean()) wrongType(info, node, "true or false");
                return {node.as_boolean()->get() ? "true" : "false", at};
            default:
                return number(info, node);
        }
    }

    std::vector<PlanText> elements(const PlanKeyInfo& info, const toml::node& node) const {
        if (!node.is_array()) wrongType(info, node, kindName(info.kind));
        const toml::array& array = *node.as_array();
        const std::size_t most = info.kind == PlanKind::TextList ? kMaxPlanFiles : kMaxPlanPercents;
        if (array.size() > most) {
            const std::string dotted = dottedKey(info.table, info.name);
            throw planError(file_, positionOf(array[most].source()), dotted,
                            refusal(dotted, "more than " + std::to_string(most) + " entries",
                                    "at most " + std::to_string(most) + " entries; " + info.allowed));
        }
        std::vector<PlanText> texts;
        texts.reserve(array.size());
        for (const toml::node& element : array)
            texts.push_back(info.kind == PlanKind::TextList ? scalar(info, element) : number(info, element));
        return texts;
    }

    void readValue(const PlanKeyInfo& info, const toml::node& node, const PlanSlot& slot) const {
        switch (info.kind) {
            case PlanKind::Site: {
                std::vector<PlanText> pair = elements(info, node);
                if (pair.size() != 2) {
                    const std::string dotted = dottedKey(info.table, info.name);
                    throw planError(file_, positionOf(node.source()), dotted,
                                    refusal(dotted, std::to_string(pair.size()) + " numbers", info.allowed));
                }
                *slot.site = std::array<PlanText, 2>{pair[0], pair[1]};
                return;
            }
            case PlanKind::NumberList:
                *slot.list = elements(info, node);
                return;
            case PlanKind::TextList:
                *slot.list = node.is_array() ? elements(info, node) : std::vector<PlanText>{scalar(info, node)};
                return;
            default:
                if (slot.settings)
                    (*slot.settings)[std::string(info.name)] = scalar(info, node);
                else
                    *slot.one = scalar(info, node);
        }
    }

    SourceText source_;
    const std::filesystem::path& file_;
};

// A parser's description as one line of printable ASCII, whole.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            line += ' ';
        } else {
            const std::string shown = quoteInput(std::string_view(&c, 1));
            line += shown;
        }
    }
    return line;
}

}  // namespace

Plan parsePlan(std::string_view text, const std::filesystem::path& file) {
    Plan plan;
    plan.file = file;
    plan.source = std::string(text);
    if (const auto at = tooDeepAt(text))
        throw planError(file, *at, "",
                        "a key or value nested more than " + std::to_string(kMaxTomlDepth) +
                            " deep (allowed: at most " + std::to_string(kMaxTomlDepth) +
                            " levels: the dotted parts of the table and the key, and each array and inline table)");
    toml::table root;
    try {
        root = toml::parse(text, file.string());
    } catch (const toml::parse_error& e) {
        throw planError(file, positionOf(e.source()), "",
                        "not TOML: " + oneLine(e.description()) + " (allowed: TOML 1.0 with the keys of plan --new)");
    }
    PlanReader(plan.source, file).readTable(root, "", plan);
    return plan;
}

Plan readPlan(const std::filesystem::path& file) {
    switch (fileKind(file.string())) {
        case FileKind::Folder:
            throw planError(file, {}, "", "a folder, not a plan (allowed: a " + std::string(kPlanSuffix) + " file)");
        case FileKind::Missing:
            throw planError(file, {}, "",
                            "cannot read the plan: " + std::string(std::strerror(ENOENT)) + " (allowed: a readable " +
                                std::string(kPlanSuffix) + " file)");
        default: break;
    }
    std::string text;
    try {
        text = readWholeFile(file.string(), kMaxPlanBytes);
    } catch (const InputFileError& e) {
        throw planError(file, {}, "",
                        "cannot read the plan: " + std::string(e.what()) + " (allowed: a regular " +
                            std::string(kPlanSuffix) + " file of at most " + byteSizeText(kMaxPlanBytes) + ")");
    }
    return parsePlan(text, file);
}

}  // namespace tropolink
