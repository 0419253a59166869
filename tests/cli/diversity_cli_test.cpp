#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;
using testing::HasSubstr;
using testing::Not;
using testing_support::CliRun;
using testing_support::runCli;

json availabilityJson(std::vector<std::string> args) {
    args.insert(args.begin(), {"availability", "--json", "--required-snr", "10"});
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    return json::parse(run.out);
}

double withDiversity(const json& a, const char* method) {
    return a["fading"][method]["stations"]["atStation1"]["withDiversity"]["percent"];
}

struct RefusalCase {
    std::vector<std::string> args;
    std::string message;
};

// The boundaries of each option, on both subcommands: one line, status 2, nothing written.
TEST(DiversityCliTest, RefusalsNameTheInputAndWhatIsAllowed) {
    const std::string correlation = "a plain decimal from 0 to 0.99";
    const std::vector<RefusalCase> cases{
        {{"--diversity-order", "3"}, "--diversity-order 3: not a diversity order (allowed: 1, 2 or 4)"},
        {{"--diversity-order", "0"}, "--diversity-order 0: not a diversity order (allowed: 1, 2 or 4)"},
        {{"--diversity-order", "2.0"}, "--diversity-order 2.0: not a diversity order (allowed: 1, 2 or 4)"},
        {{"--diversity-order", "02"}, "--diversity-order 02: not a diversity order (allowed: 1, 2 or 4)"},
        {{"--diversity-order", ""}, "--diversity-order : not a diversity order (allowed: 1, 2 or 4)"},
        {{"--combiner", "Selection"}, "--combiner Selection: unknown combiner (allowed: selection or maximal-ratio)"},
        {{"--combiner", "mrc"}, "--combiner mrc: unknown combiner (allowed: selection or maximal-ratio)"},
        {{"--branch-correlation", "0.991"}, "--branch-correlation 0.991: out of range (allowed: " + correlation + ")"},
        {{"--branch-correlation", "1"}, "--branch-correlation 1: out of range (allowed: " + correlation + ")"},
        {{"--branch-correlation", "-0.001"}, "--branch-correlation -0.001: out of range (allowed: " + correlation + ")"},
        {{"--branch-correlation", "1e-3"},
         "--branch-correlation 1e-3: not a plain decimal number (allowed: " + correlation + ")"},
        {{"--branch-correlation", "0.5"},
         "--branch-correlation 0.5: given without dual diversity (allowed: 0, or " + correlation +
             " with --diversity-order 2)"},
        {{"--diversity-order", "4", "--branch-correlation", "0.01"},
         "--branch-correlation 0.01: given without dual diversity (allowed: 0, or " + correlation +
             " with --diversity-order 2)"},
        {{"--diversity-order", "2", "--diversity-order", "4"},
         "--diversity-order 4: given twice (allowed: --diversity-order once, 1, 2 or 4)"},
        {{"--combiner", "selection", "--combiner", "selection"},
         "--combiner selection: given twice (allowed: --combiner once, selection or maximal-ratio)"},
    };
    for (const RefusalCase& c : cases) {
        std::vector<std::string> availability{"availability"};
        availability.insert(availability.end(), c.args.begin(), c.args.end());
        std::vector<std::string> profile{"profile", "-", "--availability"};
        profile.insert(profile.end(), c.args.begin(), c.args.end());
        for (const std::vector<std::string>& args : {availability, profile}) {
            const CliRun run = runCli(args, "0,0\n100,0\n");
            EXPECT_EQ(run.exitStatus, 2) << c.message;
            EXPECT_EQ(run.err, "tropolink-cli: " + c.message + "\n");
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_EQ(runCli({"profile", "-", "--combiner", "selection"}, "0,0\n100,0\n").exitStatus, 2);
}

TEST(DiversityCliTest, BoundariesAreAccepted) {
    const std::vector<std::vector<std::string>> accepted{
        {"--diversity-order", "1"},
        {"--diversity-order", "4", "--combiner", "maximal-ratio"},
        {"--diversity-order", "4", "--branch-correlation", "0"},
        {"--diversity-order", "2", "--branch-correlation", "0.99"},
        {"--diversity-order", "2", "--branch-correlation", "0"},
        {"--branch-correlation", "0.000"},
    };
    for (const std::vector<std::string>& args : accepted) {
        const json a = availabilityJson(args);
        EXPECT_TRUE(a.contains("fading")) << args.front();
        EXPECT_TRUE(a["fading"]["p617"].is_object());
    }
}

TEST(DiversityCliTest, WithoutTheOptionsNothingOfFadingShows) {
    const CliRun table = runCli({"availability", "--required-snr", "10"});
    EXPECT_THAT(table.out, Not(HasSubstr("hourly median")));
    EXPECT_THAT(table.out, HasSubstr("\nAvailability at S/N >= 10 dB:\n"));
    EXPECT_FALSE(availabilityJson({}).contains("fading"));

    const CliRun faded = runCli({"availability", "--required-snr", "10", "--diversity-order", "2"});
    EXPECT_THAT(faded.out, HasSubstr("\nAvailability at S/N >= 10 dB, hourly median only:\n"));
    EXPECT_THAT(faded.out, HasSubstr("\nFading within the hour (Rayleigh about the hourly median), dual selection:\n"));
    EXPECT_THAT(faded.out, HasSubstr("\nAvailability at S/N >= 10 dB with fading within the hour:\n"));
    // The hourly-median-only part reads as it does without the options.
    const auto rows = [](const std::string& out) { return out.substr(0, out.find("\n\n", out.find("p (%)"))); };
    EXPECT_EQ(rows(faded.out), rows(table.out));
}

// More branches, maximal-ratio rather than selection, less correlation: never less available.
TEST(DiversityCliTest, FiguresOrderAsTheDiversityDoes) {
    const json one = availabilityJson({"--diversity-order", "1"});
    const json dualSelection = availabilityJson({"--diversity-order", "2"});
    const json dualCorrelated = availabilityJson({"--diversity-order", "2", "--branch-correlation", "0.5"});
    const json dualMaximalRatio = availabilityJson({"--diversity-order", "2", "--combiner", "maximal-ratio"});
    const json quad = availabilityJson({"--diversity-order", "4", "--combiner", "maximal-ratio"});
    for (const char* method : {"p617", "p2001"}) {
        const json& station = one["fading"][method]["stations"]["atStation1"];
        EXPECT_EQ(station["oneReceiver"], station["withDiversity"]);
        EXPECT_LT(withDiversity(one, method), withDiversity(dualCorrelated, method));
        EXPECT_LT(withDiversity(dualCorrelated, method), withDiversity(dualSelection, method));
        EXPECT_LT(withDiversity(dualSelection, method), withDiversity(dualMaximalRatio, method));
        EXPECT_LT(withDiversity(dualMaximalRatio, method), withDiversity(quad, method));
        // Fading costs availability against the hourly median alone.
        EXPECT_LT(station["oneReceiver"]["percent"].get<double>(),
                  one["availability"][method]["atStation1"]["percent"].get<double>());
        for (const json& m : dualMaximalRatio["fading"][method]["requiredMargins"]) {
            EXPECT_DOUBLE_EQ(m["improvementDb"].get<double>(),
                             m["oneReceiverDb"].get<double>() - m["withDiversityDb"].get<double>());
            EXPECT_GT(m["oneReceiverDb"].get<double>(), m["hourlyMedianOnlyDb"].get<double>());
            EXPECT_GT(m["improvementDb"].get<double>(), 5);
        }
        // The hourly-median-only figures keep their values.
        EXPECT_EQ(dualMaximalRatio[method], one[method]);
        EXPECT_EQ(dualMaximalRatio["availability"], one["availability"]);
    }
}

TEST(DiversityCliTest, LineOfSightGivesNullsWithTheDiversityStillNamed) {
    const json a = availabilityJson({"--diversity-order", "4", "--set", "s1.antenna-height-m=10000", "--set",
                                     "s2.antenna-height-m=10000"});
    EXPECT_EQ(a["fading"]["diversityOrder"], 4);
    EXPECT_EQ(a["fading"]["combiner"], "selection");
    EXPECT_TRUE(a["fading"]["p617"].is_null());
    EXPECT_TRUE(a["fading"]["p2001"].is_null());
    const CliRun table = runCli({"availability", "--diversity-order", "4", "--set", "s1.antenna-height-m=10000",
                                 "--set", "s2.antenna-height-m=10000"});
    EXPECT_THAT(table.out, HasSubstr("quadruple selection:\n  neither method gives a figure on this path\n"));
}

TEST(DiversityCliTest, BatchAndProfileCarryTheFading) {
    const CliRun single = runCli({"availability", "--json", "--diversity-order", "2", "--set", "distance-km=300"});
    const CliRun batch =
        runCli({"availability", "--batch", "--diversity-order", "2"}, "distance-km=300\ndistance-km=0\n");
    EXPECT_EQ(batch.exitStatus, 2);
    std::istringstream lines(batch.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first + "\n", single.out);
    EXPECT_EQ(json::parse(second)["line"], 2);

    // With a requirement a batch gives the availabilities, and leaves out the margins.
    const CliRun required = runCli({"availability", "--json", "--required-snr", "10", "--diversity-order", "2",
                                    "--set", "distance-km=300"});
    const CliRun requiredBatch =
        runCli({"availability", "--batch", "--required-snr", "10", "--diversity-order", "2"}, "distance-km=300\n");
    ASSERT_EQ(requiredBatch.exitStatus, 0) << requiredBatch.err;
    json alone = json::parse(required.out), inBatch = json::parse(requiredBatch.out);
    for (const char* method : {"p617", "p2001"}) {
        EXPECT_EQ(inBatch["fading"][method]["requiredMargins"], json::array());
        EXPECT_EQ(alone["fading"][method]["requiredMargins"].size(), 2u);
        alone["fading"][method].erase("requiredMargins");
        inBatch["fading"][method].erase("requiredMargins");
    }
    EXPECT_EQ(inBatch, alone);

    std::string profile;
    for (int i = 0; i <= 2500; ++i) profile += std::to_string(i / 10) + "." + std::to_string(i % 10) + ",0\n";
    const CliRun run = runCli({"profile", "-", "--json", "--availability", "--required-snr", "10",
                               "--diversity-order", "2", "--combiner", "maximal-ratio"},
                              profile);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const json j = json::parse(run.out);
    EXPECT_EQ(j["availability"]["fading"]["combiner"], "maximal-ratio");
    EXPECT_TRUE(j["availability"]["fading"]["p617"]["stations"].is_object());
}

}  // namespace
}  // namespace tropolink::cli
