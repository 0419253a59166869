// Every slider over its whole range, and random settings of all of them: no
// fault, every box well formed, and the verdicts agreeing with the geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "box_format.h"
#include "engine/numeric_fault.h"
#include "engine/recalculate.h"
#include "engine/status_words.h"
#include "pass_helpers.h"

// Sanitizer builds run about ten times slower: there the sweep visits every
// seventh position (and both ends) and a tenth of the random settings, unless
// the build defines TROPOLINK_SPACE_SWEEP_STRIDE or TROPOLINK_SPACE_RANDOM_SETTINGS.
#if defined(__SANITIZE_ADDRESS__)
#define TROPOLINK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TROPOLINK_SANITIZED 1
#endif
#endif
#ifndef TROPOLINK_SPACE_SWEEP_STRIDE
#ifdef TROPOLINK_SANITIZED
#define TROPOLINK_SPACE_SWEEP_STRIDE 7
#else
#define TROPOLINK_SPACE_SWEEP_STRIDE 1
#endif
#endif
#ifndef TROPOLINK_SPACE_RANDOM_SETTINGS
#ifdef TROPOLINK_SANITIZED
#define TROPOLINK_SPACE_RANDOM_SETTINGS 20000
#else
#define TROPOLINK_SPACE_RANDOM_SETTINGS 200000
#endif
#endif

namespace tropolink {
namespace {

using namespace test;
using enum ResultBox;

constexpr int kSweepStride = TROPOLINK_SPACE_SWEEP_STRIDE;
constexpr int kRandomSettings = TROPOLINK_SPACE_RANDOM_SETTINGS;
constexpr int kRandomShards = 4;
constexpr std::uint64_t kSeed = 20240611;
constexpr int kReportedFailures = 10;

constexpr ResultBox kSignalToNoiseAtStation1[]{Text30, Text31, Text32, Text33, Text47};
constexpr ResultBox kSignalToNoiseAtStation2[]{Text34, Text35, Text36, Text37, Text48};

bool identicalStations(const HeadlessWindow& w) {
    for (int row = 1; row <= 10; ++row)
        if (w.sliderPosition(sliderFromNumber(row)) != w.sliderPosition(sliderFromNumber(row + 10))) return false;
    return true;
}

// What holds by construction, given the pass's own geometry.
void addInvariantProblems(const HeadlessWindow& w, const PassValues& v, std::vector<std::string>& problems) {
    const auto text = [&](ResultBox box) -> const std::string& { return w.boxText(box); };
    const auto check = [&](bool holds, const char* what) {
        if (!holds) problems.emplace_back(what);
    };
    const bool los = v.geometry.lineOfSight;
    const double theta = v.geometry.scatteringAngle;
    for (ResultBox box : {Text26, Text27, Text28, Text29})
        check((text(box) == kLineOfSight) == los, "\"Line of Sight\" in a path-loss box exactly on a LOS path");
    check((text(Text43) == kNotLineOfSight) == !los, "\"Not LOS\" exactly beyond the horizon");
    check(text(Text49).ends_with(kLineOfSightSuffix) == los, "\" - LOS\" exactly on a LOS path");
    // A negative angle may round to "0.", which then shows no sign.
    check(!text(Text38).starts_with('-') || los, "negative scattering angle beyond the horizon");
    check(!los || text(Text38).starts_with('-') || text(Text38) == "0.", "positive scattering angle on a LOS path");
    check((text(Text46) == kLineOfSight) == (theta < 0), "Rider line of sight below 0°");
    check((text(Text46) == kRiderOutOfRange) == (theta >= 0 && theta <= 0.1), "Rider out of range from 0° to 0.1°");
    check((text(Text39) == kHorizonLimited) == v.geometry.station1.horizonLimited, "TOA 1 horizon limited");
    check((text(Text40) == kHorizonLimited) == v.geometry.station2.horizonLimited, "TOA 2 horizon limited");
    // "No Data" exactly where the method gave no loss, in both rows.
    for (auto [loss, atStation1, atStation2, word] : {std::tuple{Text27, Text31, Text35, kOutOfRange},
                                                      {Text29, Text33, Text37, kOutOfRange},
                                                      {Text46, Text47, Text48, kRiderOutOfRange}}) {
        check((text(atStation1) == kNoData) == (text(loss) == word), "\"No Data\" exactly when out of range");
        check((text(atStation2) == kNoData) == (text(loss) == word), "\"No Data\" exactly when out of range");
    }
    check(!text(Text50).starts_with('-'), "attenuation never negative");
    if (theta < 0) {
        for (ResultBox box : kSignalToNoiseAtStation1)
            check(text(box) == text(Text30), "one signal-to-noise figure per row on a LOS path");
        for (ResultBox box : kSignalToNoiseAtStation2)
            check(text(box) == text(Text34), "one signal-to-noise figure per row on a LOS path");
    }
    if (identicalStations(w)) {
        for (int row = 1; row <= 10; ++row)
            check(text(boxFromNumber(row)) == text(boxFromNumber(row + 10)), "identical stations, identical echoes");
        for (const auto& [a, b] : kStationPairs) check(text(a) == text(b), "identical stations, identical rows");
    }
}

struct ShownValue {
    ResultBox box;
    Mask mask;
    double value;
};

// The figures of the pass that the boxes show as numbers.
std::vector<ShownValue> shownValues(const PassValues& v) {
    std::vector<ShownValue> shown{{Text24, kMaskLoss, v.receiver1.rxSensitivity},
                                  {Text25, kMaskLoss, v.receiver2.rxSensitivity},
                                  {Text38, kMaskAngle, v.geometry.scatteringAngle},
                                  {Text41, kMaskTwoDecimals, v.beamwidth1},
                                  {Text42, kMaskTwoDecimals, v.beamwidth2},
                                  {Text44, kMaskTwoDecimals, v.yeh.couplingLoss},
                                  {Text45, kMaskCoupling, v.ccir.couplingLoss},
                                  {Text50, kMaskLoss, v.atmosphericAttenuation},
                                  {Text52, kMaskLoss, v.perfectDuctLoss},
                                  {Text49, kMaskAverage, v.averageLoss.value_or(v.lineOfSightLoss)}};
    if (!v.geometry.station1.horizonLimited) shown.push_back({Text39, kMaskAngle, v.geometry.station1.takeOffAngle});
    if (!v.geometry.station2.horizonLimited) shown.push_back({Text40, kMaskAngle, v.geometry.station2.takeOffAngle});
    if (v.geometry.lineOfSight) {
        shown.push_back({Text43, kMaskLoss, v.lineOfSightLoss});
    } else {
        shown.push_back({Text26, kMaskLoss, v.yeh.loss});
        shown.push_back({Text28, kMaskLoss, v.ccir.loss});
        if (v.itt.inRange) shown.push_back({Text27, kMaskLoss, v.itt.loss});
        if (v.collins.inRange) shown.push_back({Text29, kMaskLoss, v.collins.loss});
    }
    if (v.rider.verdict == RiderVerdict::Valid) shown.push_back({Text46, kMaskLoss, v.rider.loss});
    for (std::size_t m = 0; m < v.signalToNoise.size(); ++m) {
        if (!v.signalToNoise[m].hasData) continue;
        shown.push_back({kSignalToNoiseAtStation1[m], kMaskSignalToNoise, v.signalToNoise[m].atStation1});
        shown.push_back({kSignalToNoiseAtStation2[m], kMaskSignalToNoise, v.signalToNoise[m].atStation2});
    }
    return shown;
}

// Each number shown is its figure rounded to the mask's decimals.
void addValueProblems(const HeadlessWindow& w, const PassValues& v, std::vector<std::string>& problems) {
    for (const ShownValue& s : shownValues(v)) {
        std::string_view text = w.boxText(s.box);
        if (text.ends_with(kLineOfSightSuffix)) text.remove_suffix(kLineOfSightSuffix.size());
        const std::optional<double> shownValue = parseNumber(text);
        const double halfUnit = 0.5 * std::pow(10.0, -s.mask.decimals) * (1 + 1e-9) + 1e-12 * std::fabs(s.value);
        if (!shownValue || std::fabs(*shownValue - s.value) > halfUnit)
            problems.push_back(std::string(boxName(s.box)) + " \"" + std::string(text) + "\" does not show " +
                               std::to_string(s.value));
    }
}

std::string describeInputs(const HeadlessWindow& w) {
    std::string inputs;
    for (const SliderSpec& info : kSliders) {
        const int position = w.sliderPosition(info.slider);
        if (position != info.start) inputs += std::string(info.name) + "=" + std::to_string(position) + " ";
    }
    return inputs + (w.powerDividedBy1000() ? "ticked" : "unticked");
}

// Runs passes and reports the first few that break a rule.
class SpaceChecker {
public:
    void pass(HeadlessWindow& window) {
        ++passes_;
        std::vector<std::string> problems;
        try {
            const PassValues values = RecalculateWithValues(window);
            problems = boxFormatProblems(window);
            addInvariantProblems(window, values, problems);
            addValueProblems(window, values, problems);
        } catch (const NumericFault& fault) {
            problems.push_back("numeric fault: " + fault.quantity());
        }
        if (problems.empty()) return;
        if (++failures_ <= kReportedFailures) {
            std::string report = describeInputs(window) + ":";
            for (const std::string& p : problems) report += "\n  " + p;
            ADD_FAILURE() << report;
        }
    }
    ~SpaceChecker() { EXPECT_EQ(failures_, 0) << "of " << passes_ << " passes"; }

private:
    int passes_ = 0;
    int failures_ = 0;
};

class EverySliderPositionTest : public testing::TestWithParam<SliderSpec> {};

TEST_P(EverySliderPositionTest, OthersAtTheirStart) {
    const SliderSpec& info = GetParam();
    SpaceChecker checker;
    HeadlessWindow window;
    for (bool ticked : {false, true}) {
        window.setPowerDividedBy1000(ticked);
        for (int position = info.minimum; position < info.maximum; position += kSweepStride) {
            window.setSliderPosition(info.slider, position);
            checker.pass(window);
        }
        window.setSliderPosition(info.slider, info.maximum);
        checker.pass(window);
    }
}

INSTANTIATE_TEST_SUITE_P(Sliders, EverySliderPositionTest, testing::ValuesIn(kSliders),
                         [](const testing::TestParamInfo<SliderSpec>& row) { return std::string(row.param.name); });

// All sliders at one end of their ranges, with any one of them at the other end.
TEST(ExtremeSettingsTest, CornersOfTheRanges) {
    SpaceChecker checker;
    HeadlessWindow window;
    for (bool ticked : {false, true}) {
        window.setPowerDividedBy1000(ticked);
        for (bool maximum : {false, true}) {
            for (int flipped = 0; flipped <= kSliderCount; ++flipped) {  // kSliderCount: none flipped
                for (const SliderSpec& info : kSliders) {
                    const bool high = (sliderIndex(info.slider) == flipped) != maximum;
                    window.setSliderPosition(info.slider, high ? info.maximum : info.minimum);
                }
                checker.pass(window);
            }
        }
    }
}

class RandomSettingsTest : public testing::TestWithParam<int> {};

TEST_P(RandomSettingsTest, AllSliders) {
    std::mt19937_64 random(kSeed + static_cast<std::uint64_t>(GetParam()));
    std::bernoulli_distribution coin(0.5);
    std::bernoulli_distribution mirrored(0.25);  // both stations alike
    SpaceChecker checker;
    HeadlessWindow window;
    for (int n = 0; n < kRandomSettings / kRandomShards; ++n) {
        for (const SliderSpec& info : kSliders)
            window.setSliderPosition(info.slider,
                                     std::uniform_int_distribution<int>(info.minimum, info.maximum)(random));
        if (mirrored(random))
            for (int row = 1; row <= 10; ++row)
                window.setSliderPosition(sliderFromNumber(row + 10), window.sliderPosition(sliderFromNumber(row)));
        window.setPowerDividedBy1000(coin(random));
        checker.pass(window);
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomSettingsTest, testing::Range(0, kRandomShards));

// The format checks themselves catch what they are there to catch.
struct FormatCase {
    std::string_view text;
    Mask mask;
    bool wellFormed;
};

class MaskedTextCheckTest : public testing::TestWithParam<FormatCase> {};

TEST_P(MaskedTextCheckTest, AcceptsOnlyTheMaskRules) {
    EXPECT_EQ(isMaskedText(GetParam().text, GetParam().mask), GetParam().wellFormed) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, MaskedTextCheckTest,
                         testing::Values(FormatCase{"198.07", kMaskLoss, true}, FormatCase{".", kMaskLoss, true},
                                         FormatCase{"0.", kMaskAngle, true}, FormatCase{"-0.074", kMaskAngle, true},
                                         FormatCase{"-.06", kMaskLoss, true}, FormatCase{"0.", kMaskLoss, false},
                                         FormatCase{".", kMaskAngle, false}, FormatCase{"-.", kMaskLoss, false},
                                         FormatCase{"-0.", kMaskAngle, false},
                                         FormatCase{"198.070", kMaskSignalToNoise, false},
                                         FormatCase{"198.071", kMaskLoss, false}, FormatCase{"198", kMaskLoss, false},
                                         FormatCase{"012.", kMaskLoss, false}, FormatCase{"1e+05.", kMaskLoss, false},
                                         FormatCase{"nan.", kMaskLoss, false}, FormatCase{" 12.", kMaskLoss, false}));

TEST(EchoTextCheckTest, AcceptsOnlyTheEchoRule) {
    for (std::string_view good : {" 0", " 10", " .5", " 1.5", "-2.5", " .001", " 123456789012345"})
        EXPECT_TRUE(isEchoText(good)) << good;
    for (std::string_view bad : {"0", " 0.5", " 1.50", " 1.", " 010", "-0", " ", " 1234567890123456", " 1e5"})
        EXPECT_FALSE(isEchoText(bad)) << bad;
}

}  // namespace
}  // namespace tropolink
