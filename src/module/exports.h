// The module's two exported records, as the module itself sees them.
#pragma once

#include <cstddef>

#include "panel/host_api.h"

#if defined(_WIN32)
#define KADRIMOS_EXPORT __declspec(dllexport)
#else
#define KADRIMOS_EXPORT __attribute__((visibility("default")))
#endif

namespace kadrimos {

// Gauges in the catalogue; the gauge list of Linkage holds them and a null.
inline constexpr std::size_t kGaugeCount = 142;

// Linkage as the module lays it out: MODULE_LINKAGE with its gauge list
// given a size, packed as the interface packs it. Hosts see it as
// MODULE_LINKAGE.
KADRIMOS_PACK_RECORDS
struct LinkageRecord {
    uint32_t module_id;
    MODULE_INIT_ROUTINE module_init;
    MODULE_DEINIT_ROUTINE module_deinit;
    uint32_t flags;
    uint32_t module_status;
    uint32_t module_version;
    GAUGEHDR* gauge_table[kGaugeCount + 1];
};
KADRIMOS_END_PACKING

static_assert(offsetof(LinkageRecord, module_version) == offsetof(MODULE_LINKAGE, module_version));
static_assert(offsetof(LinkageRecord, gauge_table) == offsetof(MODULE_LINKAGE, gauge_table));

}  // namespace kadrimos

extern "C" {
KADRIMOS_EXPORT extern IMPORT_TABLE ImportTable;
KADRIMOS_EXPORT extern kadrimos::LinkageRecord Linkage;
}
