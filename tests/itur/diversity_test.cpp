#include "itur/diversity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace tropolink::itur {
namespace {

std::string refusal(const Diversity& d) {
    try {
        validateDiversity(d);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "";
}

TEST(Diversity, RefusesWhatNoReceiverHasInOneLine) {
    struct Case {
        Diversity diversity;
        const char* refusal;  // empty: accepted
    };
    const double justAbove = std::nextafter(kMaxBranchCorrelation, 1.0);
    const Case cases[] = {
        {{1, Combiner::Selection, 0}, ""},
        {{2, Combiner::MaximalRatio, 0.99}, ""},
        {{2, Combiner::Selection, 0}, ""},
        {{4, Combiner::MaximalRatio, 0}, ""},
        {{2, Combiner::Selection, std::numeric_limits<double>::denorm_min()}, ""},
        {{0, Combiner::Selection, 0}, "diversity order 0: not a diversity order (allowed: 1, 2 or 4)"},
        {{3, Combiner::MaximalRatio, 0}, "diversity order 3: not a diversity order (allowed: 1, 2 or 4)"},
        {{8, Combiner::Selection, 0}, "diversity order 8: not a diversity order (allowed: 1, 2 or 4)"},
        {{2, Combiner::Selection, justAbove}, "branch correlation 0.9900000000000001: out of range (allowed: 0 to 0.99)"},
        {{2, Combiner::Selection, 1}, "branch correlation 1: out of range (allowed: 0 to 0.99)"},
        {{2, Combiner::Selection, -0.1}, "branch correlation -0.1: out of range (allowed: 0 to 0.99)"},
        {{2, Combiner::Selection, std::nan("")}, "branch correlation nan: out of range (allowed: 0 to 0.99)"},
        {{4, Combiner::MaximalRatio, 0.5},
         "branch correlation 0.5 with diversity order 4: only dual diversity has a branch correlation (allowed: 0 "
         "with diversity order 1 or 4)"},
        {{1, Combiner::Selection, 0.2},
         "branch correlation 0.2 with diversity order 1: only dual diversity has a branch correlation (allowed: 0 "
         "with diversity order 1 or 4)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(refusal(c.diversity), c.refusal)
            << c.diversity.order << " " << static_cast<int>(c.diversity.combiner) << " " << c.diversity.branchCorrelation;
}

TEST(Diversity, CombinerNamesReadBack) {
    for (const Combiner c : {Combiner::Selection, Combiner::MaximalRatio}) EXPECT_EQ(combinerNamed(combinerName(c)), c);
    struct Case {
        const char* name;
        const char* refusal;
    };
    const Case cases[] = {
        {"", "combiner : unknown (allowed: selection or maximal-ratio)"},
        {"Selection", "combiner Selection: unknown (allowed: selection or maximal-ratio)"},
        {"maximal ratio", "combiner maximal ratio: unknown (allowed: selection or maximal-ratio)"},
        {"mrc\n", "combiner mrc?: unknown (allowed: selection or maximal-ratio)"},
    };
    for (const Case& c : cases) {
        try {
            combinerNamed(c.name);
            ADD_FAILURE() << c.name;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), c.refusal);
        }
    }
}

}  // namespace
}  // namespace tropolink::itur
