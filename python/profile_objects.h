#pragma once

#include <pybind11/pybind11.h>

#include "engine/headless_window.h"
#include "link/profile_answer.h"
#include "terrain/path_profile.h"

namespace tropolink::python {

// The points a DEM left to the sea or a fill: {"count": n, "first": {...} or None}.
pybind11::object gapObject(const terrain::GapReport& gap);

// The object `tropolink-cli profile --json` prints, member for member, built
// from the answer: "settings", "horizon", "boxes", with sites "path" and
// "climate", and "availability" when computed.
pybind11::dict profileObject(const ProfileAnswer& answer, const HeadlessWindow& window, const PlacedProfile* placed);

}  // namespace tropolink::python
