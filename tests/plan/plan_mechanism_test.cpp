#include "plan/plan_mechanism.h"

#include <gtest/gtest.h>

#include <optional>

namespace tropolink {
namespace {

using p2001::Mechanism;

struct TieCase {
    const char* name;
    p2001::SubModelLosses losses;
    Mechanism first;
    std::optional<Mechanism> second;
};

// The runner-up is named when it lies within 3 dB, 3 dB itself included.
const TieCase kTieCases[] = {
    {"alone", {150, 200, 190, 1e6}, Mechanism::NearSurface, std::nullopt},
    {"just over 3 dB", {150, 153.000001, 190, 1e6}, Mechanism::NearSurface, std::nullopt},
    {"exactly 3 dB", {150, 153, 190, 1e6}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"just under 3 dB", {150, 152.999999, 190, 1e6}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"troposcatter first, ducting 2 dB behind", {220, 212, 210, 1e6}, Mechanism::Troposcatter, Mechanism::Anomalous},
    {"sporadic-E first, troposcatter 3 dB behind", {300, 250, 203, 200}, Mechanism::SporadicE, Mechanism::Troposcatter},
    {"sporadic-E first, troposcatter 3.01 dB behind", {300, 250, 203.01, 200}, Mechanism::SporadicE, std::nullopt},
    {"the nearest of two runners-up", {150, 152.5, 151, 1e6}, Mechanism::NearSurface, Mechanism::Troposcatter},
    {"equal losses: the sub-models' order", {180, 180, 180, 180}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"runner-up tied: the first in order", {190, 180, 182, 182}, Mechanism::Anomalous, Mechanism::Troposcatter},
};

TEST(DecidingMechanismsTest, NamesTheRunnerUpWithinThreeDb) {
    for (const TieCase& c : kTieCases) {
        SCOPED_TRACE(c.name);
        const DecidingMechanisms d = decidingMechanisms(c.losses);
        EXPECT_EQ(d.first, c.first);
        EXPECT_EQ(d.second, c.second);
    }
}

TEST(DecidingMechanismsTest, TextNamesBoth) {
    EXPECT_EQ(decidingMechanismsText({Mechanism::Troposcatter, std::nullopt}), "troposcatter");
    EXPECT_EQ(decidingMechanismsText({Mechanism::Troposcatter, Mechanism::Anomalous}),
              "troposcatter and ducting and layer reflection");
}

}  // namespace
}  // namespace tropolink
