#pragma once

#include <optional>

#include "itur/availability.h"
#include "itur/fading_figures.h"
#include "itur/yearly_outage.h"

// The fading figures of the two troposcatter methods on one link.
namespace tropolink::itur {

// L(p) of one method on one link, for the fading integral; none unless the
// method gives a figure there.
std::optional<FadeNodes> methodFadeNodes(ItuMethod method, const ItuLink& link);

// The median margin at each station, the availability it reaches with one
// receiver and with the diversity asked for, and the margins needed at the
// improvement percentages and at the required availability. None unless
// the method gives a figure. Throws std::invalid_argument for an invalid
// diversity and std::domain_error unless 0 < required availability < 100.
std::optional<MethodFading> methodFading(ItuMethod method, const ItuLink& link, const LinkBudget& budget,
                                         std::optional<double> requiredSnrDb, const FadingRequest& request);

}  // namespace tropolink::itur
