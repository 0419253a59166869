#pragma once

// Constants shared by several sub-models of the complete P.2001 method.
namespace tropolink::p2001 {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kSpeedOfLightMPerS = 2.998e8;  // the value the method's wavelength uses
inline constexpr double kEarthRadiusKm = 6371;         // average earth radius, great-circle geometry
inline constexpr double kFreeSpaceDb = 92.4;           // 92.4 + 20·log f(GHz) + 20·log d(km)
inline constexpr double kRefractivityBase = 157;       // a = 157·Re/(157 + ΔN), N-units/km

// The method's domain.
inline constexpr double kMinFrequencyGhz = 0.03;
inline constexpr double kMaxFrequencyGhz = 50;
inline constexpr int kMinProfilePoints = 11;  // "more than 10"
inline constexpr double kShortPathKm = 0.1;   // below it the path is flagged short

// The percentages are pulled towards 50 by 0.00001 % so that no logarithm
// meets 0 or 100.
inline constexpr double kPercentNudge = 0.00001;
inline constexpr double kMedianPercent = 50;

}  // namespace tropolink::p2001
