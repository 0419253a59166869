#pragma once

#include <filesystem>

#include "plan/plan.h"

namespace tropolink {

// The plan as it must be written to `newFile`: its relative DEM and profile
// paths rewritten to name the same files from the new file's folder, since a
// plan's paths are relative to its own folder. Nothing changes when the
// folder stays the same; absolute paths stay as written.
Plan planMovedTo(Plan plan, const std::filesystem::path& newFile);

}  // namespace tropolink
