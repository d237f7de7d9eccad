// What a gauge file offers the catalogue: each of its gauges by name, with
// its header and its role labels.
//
// Every file of gauges declares its gauges at its top, one line each:
//
//   KADRIMOS_GAUGE(elec_batt, "toskelin elec_batt_rulo")
//
// and defines each gauge's header and labels in the namespace of its id,
// from its element and area lists (panel/gauge_records.h):
//
//   namespace kadrimos::gauges::elec_batt {
//   KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 150, callback);
//   }
//
// The build lists the files (CMakeLists.txt) and collects their declarations
// (cmake/gauge_files.cmake); Linkage looks every gauge of the aircraft up by
// name among them at compile time.
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
    // Puts the gauge's own state back to its load values; null for a gauge
    // without state of its own (see KADRIMOS_GAUGE_WITH_STATE).
    void (*reset_state)() = nullptr;
};

}  // namespace kadrimos

// Declares gauge `id` of a gauge file, in namespace kadrimos::gauges::id:
// its name kName, the header and labels the file defines, and its catalogue
// entry kEntry. Written at file scope.
#define KADRIMOS_GAUGE(id, name)                                        \
    namespace kadrimos::gauges::id {                                    \
    inline constexpr char kName[] = name;                               \
    extern GAUGEHDR header;                                             \
    extern const GaugeLabels labels;                                    \
    inline constexpr CatalogueEntry kEntry = {kName, &header, &labels}; \
    }

// The same for a gauge that keeps state of its own: the file also defines
// reset_state() in the gauge's namespace, which puts that state back to its
// load values. The module's reset calls it, so that a gauge's state needs no
// entry anywhere else:
//
//   constinit ChronoState chrono_state{};
//   void reset_state() { reset_to_load_values(chrono_state); }
#define KADRIMOS_GAUGE_WITH_STATE(id, name)                                          \
    namespace kadrimos::gauges::id {                                                 \
    inline constexpr char kName[] = name;                                            \
    extern GAUGEHDR header;                                                          \
    extern const GaugeLabels labels;                                                 \
    void reset_state();                                                              \
    inline constexpr CatalogueEntry kEntry = {kName, &header, &labels, reset_state}; \
    }
