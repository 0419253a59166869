#pragma once

namespace tropolink {

// Absorption per 1000 km at a frequency in MHz, dB.
double specificAttenuation(double frequency);
// Absorption over the whole path, dB; shown for information only.
double atmosphericAttenuation(double frequency, double distance);

}  // namespace tropolink
