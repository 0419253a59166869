#pragma once

#include "itur/availability.h"

namespace tropolink::itur::testing_support {

// The availability as it was first found: bisection on the loss down to a
// bracket of 1e-7 %, returning the bracket's lower end. The closed-form
// inversion must agree with it to 1e-6 %.
StationAvailability bisectedAvailability(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station,
                                         double requiredSnrDb);

}  // namespace tropolink::itur::testing_support
