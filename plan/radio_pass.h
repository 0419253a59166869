#pragma once

#include "engine/recalculate.h"
#include "plan/plan_check.h"

namespace tropolink {

// The pass again with the radio values that are no slider positions, on
// the record of the sliders' pass (the ground and the climate stay its own).
void applyRadio(PassValues& values, const PlanRadio& radio);

// The pass of the plan's sliders and radio alone, without its ground: the
// stations' power, gains, losses and noise, which the ground leaves as they
// are, so that its budget (linkBudget) is the one every run of the plan has.
// Throws NumericFault.
PassValues planRadioPass(const CheckedPlan& plan);

}  // namespace tropolink
