#pragma once

#include <nlohmann/json.hpp>

#include "itur/p2001_method.h"
#include "itur/p617_method.h"

namespace tropolink::itur::testing_support {

// tests/itur/reference_vectors.json, which pytest reads too.
const nlohmann::json& referenceVectors();

P617Path p617PathOf(const nlohmann::json& path);
P2001Path p2001PathOf(const nlohmann::json& path, double fMhz);

}  // namespace tropolink::itur::testing_support
