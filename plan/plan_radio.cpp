#include "plan/plan_radio.h"

#include <cmath>
#include <numbers>

namespace tropolink {
namespace {

constexpr double kSpeedOfLightMPerS = 299792458;

NumberOption option(std::string_view name, std::string_view meaning, std::string_view unit, std::string_view maximum,
                    std::string_view minimum = "0") {
    return {.name = name, .valueName = "V", .meaning = meaning, .unit = unit, .minimum = minimum, .maximum = maximum};
}

std::vector<RadioKey> makeKeys() {
    using R = StationRadio;
    return {
        {"tx-power", option("tx-power", "transmitter power", "W", "100000", "0.0001"), &R::txPowerW},
        {"tx-line-loss-db", option("tx-line-loss-db", "transmit line loss", "dB", "30"), &R::txLineLossDb},
        {"rx-noise-figure-db", option("rx-noise-figure-db", "receiver noise figure", "dB", "30"), &R::rxNoiseFigureDb},
        {"rx-line-loss-db", option("rx-line-loss-db", "receive line loss", "dB", "30"), &R::rxLineLossDb},
        {"antenna-gain-dbi", option("antenna-gain-dbi", "antenna gain", "dBi", "80"), &R::antennaGainDbi},
        {"antenna-noise-temp-k", option("antenna-noise-temp-k", "antenna noise temperature", "K", "5000"),
         &R::antennaNoiseTempK},
        {"rx-bandwidth-hz", option("rx-bandwidth-hz", "receiver bandwidth", "Hz", "500000000"), &R::rxBandwidthHz},
        {"rx-bandwidth-mhz", option("rx-bandwidth-mhz", "receiver bandwidth", "MHz", "500"), &R::rxBandwidthHz, 1e6},
    };
}

}  // namespace

const std::vector<RadioKey>& radioKeys() {
    static const std::vector<RadioKey> keys = makeKeys();
    return keys;
}

const RadioKey* findRadioKey(std::string_view name) {
    for (const RadioKey& key : radioKeys())
        if (key.name == name) return &key;
    return nullptr;
}

const NumberOption& txPowerMilliwattOption() {
    static const NumberOption milliwatts =
        option("tx-power", "transmitter power", "mW (power-div-1000)", "100000000", "0.1");
    return milliwatts;
}

double dishGainDbi(double diameterM, double efficiency, double frequencyMhz) {
    const double aperture = std::numbers::pi * diameterM * frequencyMhz * 1e6 / kSpeedOfLightMPerS;
    return 10 * std::log10(efficiency * aperture * aperture);
}

void applyRadio(LinkParameters& params, const PlanRadio& radio) {
    const std::pair<StationParameters*, const StationRadio*> stations[] = {{&params.station1, &radio.stations[0]},
                                                                          {&params.station2, &radio.stations[1]}};
    for (const auto& [s, r] : stations) {
        s->txPower = r->txPowerW.value_or(s->txPower);
        s->txLineLoss = r->txLineLossDb.value_or(s->txLineLoss);
        s->rxNoiseFigure = r->rxNoiseFigureDb.value_or(s->rxNoiseFigure);
        s->rxLineLoss = r->rxLineLossDb.value_or(s->rxLineLoss);
        s->antennaGain = r->antennaGainDbi.value_or(s->antennaGain);
        s->antennaNoiseTemp = r->antennaNoiseTempK.value_or(s->antennaNoiseTemp);
        s->rxBandwidth = r->rxBandwidthHz.value_or(s->rxBandwidth);
    }
}

std::string boxesLeftOutNote(const PlanRadio& radio) {
    if (radio.offSliders.empty()) return {};
    std::string note = "The calculator's 52 boxes are left out: ";
    for (std::size_t i = 0; i < radio.offSliders.size(); ++i) note += (i ? ", " : "") + radio.offSliders[i];
    note += radio.offSliders.size() == 1 ? " is no position of its slider" : " are no positions of its sliders";
    return note + "; the budget and the methods use the values as given";
}

}  // namespace tropolink
