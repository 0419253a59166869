#pragma once

#include "report/json_writer.h"
#include "engine/recalculate.h"

namespace tropolink {

// The full-precision figures of a pass as one JSON object. The member names
// are an interface that scripts rely on: --help documents them.
void writeValues(JsonWriter& json, const PassValues& values);

}  // namespace tropolink
