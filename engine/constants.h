#pragma once

// Constants shared by several models, with exactly the digits the calculation uses.
//
// Squares in the models are written as one product (x * x), higher powers with
// std::pow: a compiler may or may not turn pow(x, 2) into x * x, and the last
// bit must not depend on the build.
namespace tropolink {

inline constexpr double kDegreesPerRadian = 180 / 3.1415927;  // obstruction angles, angular distance
inline constexpr double kDbPerNeper10 = 4.3429448;            // 10·log10(x) = 4.3429448 × ln x
inline constexpr double kDbPerNeper20 = 8.6858896;            // 20·log10(x)
inline constexpr double kDbPerNeper30 = 13.0288344;           // 30·log10(x)
inline constexpr double kDbPerNeper44 = 19.10895712;          // 44·log10(x)
inline constexpr double kDbPerNeper50 = 21.714724;            // 50·log10(x)
inline constexpr double kLog10OfE = 0.43429448;

// The pass's four-thirds earth, 6371 km × 1.33333 = 8494.64543 km.
inline constexpr double kEffectiveEarthRadiusKm = 6371 * 1.33333;
// What a height or obstruction distance of exactly 0 becomes before anything divides by it.
inline constexpr double kZeroReplacementKm = 0.001;

}  // namespace tropolink
