#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "plan/plan_check.h"
#include "plan/plan_toml.h"

namespace tropolink {
namespace {

using testing::HasSubstr;

std::string exampleText(const std::string& name) {
    std::ifstream in(std::string(TROPOLINK_SOURCE_DIR) + "/docs/examples/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const kHandWritten = R"(# comments, odd spacing and tables in another order
[requirement]
percent=[ 99.90 ,50]
snr-db = -3.50

[station2]
  tx-power   =   +1000.0
  name = "Gander \"N\" \\ & <b>"

[itu]
delta-n = 44.5
notes-are-not-here = false
)";

TEST(PlanTomlTest, WritingWhatWasWrittenGivesTheSameBytes) {
    for (const std::string name : {"white-mountains.tropolink.toml", "st-anthony-gander.tropolink.toml"}) {
        const std::string once = planToml(parsePlan(exampleText(name), name));
        EXPECT_EQ(planToml(parsePlan(once, name)), once) << name;
    }
}

TEST(PlanTomlTest, AHandWrittenPlanKeepsItsValuesAsWritten) {
    std::string text = kHandWritten;
    text.erase(text.find("notes-are-not-here"));  // an unknown key is refused; the rest is read
    const Plan read = parsePlan(text, "hand.tropolink.toml");
    const Plan again = parsePlan(planToml(read), "hand.tropolink.toml");
    EXPECT_EQ(again.station2.settings.at("tx-power").text, "+1000.0");
    EXPECT_EQ(again.station2.name->text, "Gander \"N\" \\ & <b>");
    ASSERT_EQ(again.requirement.percent.size(), 2u);
    EXPECT_EQ(again.requirement.percent[0].text, "99.90");
    EXPECT_EQ(again.requirement.snrDb->text, "-3.50");
    EXPECT_EQ(again.itu.deltaN->text, "44.5");
}

TEST(PlanTomlTest, ControlCharactersInTextsSurviveTheWriter) {
    Plan plan;
    plan.title = PlanText{"tab\there\nnew line \x01 end", {}};
    plan.notes = PlanText{"caf\xC3\xA9", {}};
    const Plan again = parsePlan(planToml(plan), "a");
    EXPECT_EQ(again.title->text, plan.title->text);
    EXPECT_EQ(again.notes->text, plan.notes->text);
}

TEST(PlanTomlTest, TheCanonicalLayoutNamesUnits) {
    const std::string text = planToml(parsePlan(exampleText("white-mountains.tropolink.toml"), "w"));
    EXPECT_THAT(text, HasSubstr("\n[station1]\n"));
    EXPECT_THAT(text, HasSubstr("tx-power = 10  # W\n"));
    EXPECT_THAT(text, HasSubstr("dem = [\"white-mountains.tif\"]"));
    EXPECT_LT(text.find("[station1]"), text.find("[path]"));
    EXPECT_LT(text.find("[path]"), text.find("[requirement]"));
}

TEST(PlanTomlTest, TheTemplateIsAnEmptyPlanThatNamesEveryKey) {
    const std::string text = planTemplate();
    const CheckedPlan plan = checkPlan(parsePlan(text, "new.tropolink.toml"));
    EXPECT_EQ(plan.form, PlanForm::Settings);
    for (const char* key : {"# title = ", "# tx-power = ", "# rx-bandwidth-hz = ", "# frequency-mhz = ", "# dem = ",
                            "# profile = ", "# delta-n = 40", "# climate-zone = 6", "# availability-percent = 99.9",
                            "# percent = [50, 90, 99, 99.9, 99.99]"})
        EXPECT_THAT(text, HasSubstr(key));
    EXPECT_THAT(text, HasSubstr("0 to 500000000 Hz"));
    EXPECT_THAT(text, HasSubstr("# rx-bandwidth-mhz = 2\n"));
    EXPECT_THAT(text, HasSubstr("# antenna-diameter-m = 3\n"));
}

TEST(PlanTomlTest, EachTemplateLineSetAloneIsAValidSlidersPlan) {
    // Uncommenting a key of the plain-sliders form gives a plan that checks.
    std::istringstream lines(planTemplate());
    std::string table;
    int tried = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) table = line;
        if (!line.starts_with("# ") || line.find(" = ") == std::string::npos || line.starts_with("#  ")) continue;
        const std::string key = line.substr(2, line.find(" = ") - 2);
        if (key == "site" || key == "mast-m" || key == "dem" || key == "profile" || key == "step-m" ||
            key == "sea-where-missing" || key == "fill-voids" || key == "polarisation")
            continue;
        // The efficiency belongs to a diameter.
        const std::string with = key == "antenna-efficiency" ? "antenna-diameter-m = 3\n" : "";
        const std::string text = table + "\n" + with + line.substr(2) + "\n";
        EXPECT_NO_THROW(checkPlan(parsePlan(text, "a"))) << text;
        ++tried;
    }
    EXPECT_GT(tried, 25);
}

}  // namespace
}  // namespace tropolink
