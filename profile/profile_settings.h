#pragma once

#include <optional>
#include <span>

#include "engine/slider.h"
#include "profile/horizon.h"

namespace tropolink::profile {

// What a profile gives one station: exact figures and the slider positions
// they round to.
struct StationSettings {
    double antennaHeightM = 0;  // above sea level: the ground at the station plus the mast
    Horizon horizon;
    long horizonRow = 0;                // the horizon point's line in the file
    int antennaHeightOnGrid = 0;        // m asl
    int obstructionHeightOnGrid = 0;    // m asl
    int obstructionDistanceOnGrid = 0;  // km
    double angleOnGridMrad = 0;         // the elevation the rounded settings give, as the pass sees them
};

// The sliders that take a station's figures.
struct StationSliders {
    Slider antennaHeight;
    Slider obstructionHeight;
    Slider obstructionDistance;
};
inline constexpr StationSliders kStation1Sliders{Slider::HScroll1, Slider::HScroll2, Slider::HScroll3};
inline constexpr StationSliders kStation2Sliders{Slider::HScroll11, Slider::HScroll12, Slider::HScroll13};
inline constexpr Slider kPathDistanceSlider = Slider::HScroll22;

// A taller mast would lift even an antenna on the sea beyond its slider.
inline constexpr double kMaxMastM = sliderSpec(kStation1Sliders.antennaHeight).maximum;

struct ProfileSettings {
    StationSettings station1;
    StationSettings station2;
    double distanceKm = 0;   // the last point's distance
    int distanceOnGrid = 0;  // km
};

// The position that `p` gives `slider`; none for a slider a profile does not set.
std::optional<int> sliderPosition(const ProfileSettings& p, Slider slider);

// Half away from zero to a whole number, after taking `value` to 1e-9: the
// file's decimals are exact, but sums and differences of their binary values
// are not, and 100.3 − 99.8 must round as 0.5 does.
double roundToGrid(double value);

// Horizons and slider settings for masts `mast1M` and `mast2M` above the
// ground at each end. Throws ProfileError naming the row whose value rounds
// outside its slider's range, or the station's row when no point lies within
// 100 km of it.
ProfileSettings deriveSettings(std::span<const ProfilePoint> points, double mast1M, double mast2M);

}  // namespace tropolink::profile
