// Plans made to hurt the reader: keys and values nested tens of thousands
// deep, which would overflow the stack of the TOML parser, and look-alikes
// hidden in strings and comments; a byte order mark before a number.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "plan/plan_check.h"
#include "plan/plan_toml.h"
#include "plan/plan_toml_depth.h"

namespace tropolink {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

constexpr std::string_view kFile = "link.tropolink.toml";

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// `parts` dotted parts: a.a.a
std::string dotted(int parts) { return "a" + repeated(".a", parts - 1); }

std::string refusal(const std::string& text) {
    try {
        checkPlan(parsePlan(text, std::string(kFile)));
    } catch (const PlanError& e) {
        return e.what();
    }
    return "accepted";
}

std::string tooDeep(const std::string& position) {
    return std::string(kFile) + ":" + position +
           ": a key or value nested more than 64 deep (allowed: at most 64 levels: the dotted parts of the table "
           "and the key, and each array and inline table)";
}

struct DeepPlan {
    const char* what;
    std::string text;
    const char* position;  // of the level beyond the 64th
};

TEST(PlanHostileTest, KeysAndValuesNestedTooDeepAreRefusedBeforeParsing) {
    const DeepPlan cases[] = {
        {"table header of 40 000 parts", "[" + dotted(40000) + "]\n", "1:130"},
        {"dotted key of 40 000 parts", dotted(40000) + " = 1\n", "1:129"},
        {"quoted parts", repeated("\"a\".", 40000) + "a = 1\n", "1:257"},
        {"array of tables", "[[" + dotted(40000) + "]]\n", "1:131"},
        {"header and key together", "[" + dotted(40) + "]\n\n" + dotted(40) + " = 1\n", "3:49"},
        {"header of 64 parts and a key", "[" + dotted(64) + "]\nb = 1\n", "2:1"},
        {"arrays", "x = " + repeated("[", 40000) + repeated("]", 40000) + "\n", "1:68"},
        {"inline tables", "x = " + repeated("{a=", 40000) + "1" + repeated("}", 40000) + "\n", "1:195"},
        {"dotted key in an inline table", "x = {" + dotted(40000) + " = 1}\n", "1:132"},
        {"arrays over lines", "x = [\n" + repeated("[\n", 40000) + "]\n", "64:1"},
        {"after a byte order mark", "\xEF\xBB\xBF" + dotted(65) + " = 1\n", "1:129"},
    };
    for (const DeepPlan& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(refusal(c.text), tooDeep(c.position));
    }
}

TEST(PlanHostileTest, SixtyFourLevelsAreLeftToTheReader) {
    // Not a plan's keys, but not too deep: the reader names the unknown key.
    const std::string cases[] = {
        "[" + dotted(64) + "]\n",
        dotted(64) + " = 1\n",
        "[" + dotted(32) + "]\n" + dotted(32) + " = 1\n",
        "x = " + repeated("[", 63) + repeated("]", 63) + "\n",
    };
    for (const std::string& text : cases) {
        const std::string message = refusal(text);
        EXPECT_THAT(message, StartsWith(std::string(kFile) + ":1:"));
        EXPECT_THAT(message, HasSubstr(": unknown key"));
    }
}

TEST(PlanHostileTest, DotsAndBracketsInStringsAndCommentsAreNotKeys) {
    const std::string deep = "[" + dotted(1000) + "]";
    const std::string plans[] = {
        "title = \"" + deep + "\"\n",
        "title = '" + deep + "'\n",
        "notes = \"\"\"\n" + deep + "\n" + repeated("[", 1000) + "\n\"\"\"\n",
        "notes = '''\n" + deep + "\n'''\n",
        "notes = \"\"\"a \\\"\"\" " + deep + " \"\"\"\n",
        "notes = \"\"\"ends in quotes\"\"\"\"\"\ntitle = \"x\"\n",
        "# " + deep + "\ntitle = \"x\" # " + deep + "\n",
        "[path]\n" + std::string("dem = [\"") + deep +
            "\", \"a.tif\"]\n[station1]\nsite = [44.5, -71.5]\n"
            "[station2]\nsite = [44.6, -71.0]\n",
    };
    for (const std::string& text : plans) {
        SCOPED_TRACE(text.substr(0, 60));
        try {
            parsePlan(text, std::string(kFile));
        } catch (const PlanError& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST(PlanHostileTest, AFileOf40000PartsIsRefusedByEveryReader) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("deep-" + std::to_string(::getpid()) + ".tropolink.toml");
    std::ofstream(file) << "[" << dotted(40000) << "]\n";
    try {
        readPlan(file);
        ADD_FAILURE() << "read";
    } catch (const PlanError& e) {
        EXPECT_THAT(e.what(), StartsWith(file.string() + ":1:130: a key or value nested more than 64 deep"));
    }
    std::filesystem::remove(file);
}

TEST(PlanHostileTest, AByteOrderMarkBeforeANumberOnTheFirstLine) {
    const std::string body = "path.frequency-mhz = 505\nstation1 = {tx-power = 250.5}\n";
    const Plan plain = parsePlan(body, std::string(kFile));
    const Plan marked = parsePlan("\xEF\xBB\xBF" + body, std::string(kFile));
    EXPECT_EQ(marked.path.frequencyMhz->text, "505");
    EXPECT_EQ(marked.station1.settings.at("tx-power").text, "250.5");
    EXPECT_EQ(planToml(marked), planToml(plain));
    EXPECT_NO_THROW(checkPlan(marked));
    // Refusals give the column as without the mark.
    EXPECT_EQ(refusal("\xEF\xBB\xBFpath.frequency-mhz = 5000000\n"),
              std::string(kFile) +
                  ":1:22: path.frequency-mhz = 5000000: out of range (allowed: 50 to 25000 MHz in steps of 1)");
}

std::string list(std::string_view key, std::string_view entry, int entries) {
    return std::string(key) + " = [" + repeated(std::string(entry) + ", ", entries) + "]\n";
}

TEST(PlanHostileTest, ListsLongerThanAllowedAreRefusedAtTheEntryBeyond) {
    const struct {
        std::string text;
        std::string start;  // of the refusal, or "accepted"
    } cases[] = {
        {list("requirement.percent", "50", 64), "accepted"},
        {list("requirement.percent", "50", 65),
         ":1:280: requirement.percent: more than 64 entries (allowed: at most 64 entries; a list, each "},
        // Refused as soon as toml++ has read it: no time spent per entry.
        {list("requirement.percent", "50", 1000000), ":1:280: requirement.percent: more than 64 entries"},
        {list("path.dem", "\"a\"", 1025), ":1:5133: path.dem: more than 1024 entries (allowed: at most 1024 entries; "},
        {list("station1.site", "1", 65), ":1:210: station1.site: more than 64 entries"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const std::string message = refusal(c.text);
        if (c.start == "accepted")
            EXPECT_EQ(message, "accepted");
        else
            EXPECT_THAT(message, StartsWith(std::string(kFile) + c.start));
    }
}

TEST(PlanHostileTest, AnEmptyPathOrOneHoldingANulIsNotThePlansFolder) {
    const std::string sites = "station1.site = [44.5, -71.5]\nstation2.site = [44.6, -71.0]\n";
    const std::string dems = " (allowed: DEM files or folders of SRTM tiles, relative to the plan's folder)";
    const struct {
        std::string line;
        std::string message;
    } cases[] = {
        {"path.dem = [\"\"]", ":1:13: path.dem: an empty path" + dems},
        {"path.dem = \"\"", ":1:12: path.dem: an empty path" + dems},
        {"path.dem = [\"a\\u0000b\"]", ":1:13: path.dem: a path holding a NUL byte" + dems},
        {"path.profile = \"\"",
         ":1:16: path.profile: an empty path (allowed: a profile CSV, relative to the plan's folder)"},
    };
    for (const auto& c : cases) EXPECT_EQ(refusal(c.line + "\n" + sites), std::string(kFile) + c.message) << c.line;
}

}  // namespace
}  // namespace tropolink
