// What a gauge file offers the catalogue: each of its gauges by name, with
// its header and its role labels.
//
// Every file of gauges has a header of the same name beside it that lists its
// gauges in a table named after the file:
//
//   namespace kadrimos::gauges {
//   namespace elec_batt {
//   inline constexpr char kName[] = "toskelin elec_batt_rulo";
//   extern GAUGEHDR header;
//   extern const GaugeLabels labels;
//   }
//   inline constexpr CatalogueEntry elec_bus_panels_gauges[] = {
//       {elec_batt::kName, &elec_batt::header, &elec_batt::labels},
//   };
//   }
//
// The build lists the files (CMakeLists.txt), and Linkage looks every gauge
// of the aircraft up by name in their tables at compile time.
#pragma once

#include <span>

#include "panel/chain.h"
#include "panel/host_api.h"
#include "panel/mouse.h"

namespace kadrimos {

// A gauge's role labels: its elements by depth, its mouse areas in table
// order. For the tests, the simulated host's data and the gauge's own
// look-ups; never on the update path.
struct GaugeLabels {
    std::span<const ElementSpec> elements;
    std::span<const AreaSpec> areas;
};

struct CatalogueEntry {
    const char* name;
    GAUGEHDR* header;
    const GaugeLabels* labels;
};

}  // namespace kadrimos
