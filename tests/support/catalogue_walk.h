// Walking a gauge's records as a host does: its element tree and the areas
// of its mouse table. Shared by the test hosts (FakeHost, BareHost); free of
// any test framework so that the fuzzer can link it.
#pragma once

#include <vector>

#include "panel/host_api.h"

namespace kadrimos::testing {

// Every element of a gauge's tree, depth first (the test gauge's side-by-side
// children included).
std::vector<ELEMENT_HEADER*> elements_of(const GAUGEHDR& gauge);

// The areas (child records) of a gauge's mouse table.
std::vector<const MOUSERECT*> areas_of(const GAUGEHDR& gauge);

}  // namespace kadrimos::testing
