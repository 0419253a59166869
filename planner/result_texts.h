#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "plan/plan_run.h"

namespace tropolink::planner {

// One row of the verdict table, in words.
struct VerdictTexts {
    QString method;        // "ITU-R P.617"
    QString receiving;     // the receiving station's name
    QString availability;  // "99.9876 %", or why there is none
    QString outage;        // "65.2 min/year"
    QString met;           // "met" or "not met"
    // With [diversity] the availability and outage are those with fading,
    // which decide the verdict; this is the hourly median's "99.9987 %, 7.1 min/year".
    QString hourlyMedianOnly;
};

VerdictTexts verdictTexts(const PlanResult& result, const PlanVerdict& verdict);

// Yeh, ITT, CCIR, Collins, Rider: loss, verdict, S/N at each station.
std::vector<QStringList> legacyTexts(const PlanResult& result);

// N0, ΔN, the climate zone and the effective earth radius: figure, source
// (the map file, an option or the default), where.
std::vector<QStringList> climateTexts(const PlanResult& result);

// The profile picture's key values for a screen reader.
QString profileDescription(const PlanResult& result);

}  // namespace tropolink::planner
