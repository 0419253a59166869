// Feeds arbitrary bytes to the plan reader and its check, checking what must
// hold for every input: a refusal is one printable line that starts with the
// file, the line and the column; an accepted plan is written in the canonical
// layout, which reads back to the same plan and writes the same bytes again.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "plan/plan_check.h"
#include "plan/plan_toml.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;

constexpr std::string_view kFile = "fuzz.tropolink.toml";

void requireOneLine(const tropolink::PlanError& e) {
    const std::string message = e.what();
    require(message.starts_with(std::string(kFile) + ":"), "names the file");
    require(e.at().line >= 1 && e.at().column >= 1, "gives the line and column");
    require(message.starts_with(std::string(kFile) + ":" + std::to_string(e.at().line) + ":" +
                                std::to_string(e.at().column) + ": "),
            "the position it holds");
    require(isPlainAscii(message), "one printable line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tropolink::Plan plan;
    try {
        plan = tropolink::parsePlan(text, std::string(kFile));
    } catch (const tropolink::PlanError& e) {
        requireOneLine(e);
        return 0;
    }
    const std::string canonical = tropolink::planToml(plan);
    tropolink::Plan again;
    try {
        again = tropolink::parsePlan(canonical, std::string(kFile));
    } catch (const tropolink::PlanError&) {
        require(false, "the canonical layout reads back");
    }
    require(tropolink::planToml(again) == canonical, "the canonical layout writes the same bytes");
    bool checked = true;
    try {
        tropolink::checkPlan(plan);
    } catch (const tropolink::PlanError& e) {
        requireOneLine(e);
        checked = false;
    }
    // The same values, written again, are checked alike (positions aside).
    try {
        tropolink::checkPlan(again);
        require(checked, "a refused plan stays refused when written out");
    } catch (const tropolink::PlanError&) {
        require(!checked, "an accepted plan stays accepted when written out");
    }
    return 0;
}
