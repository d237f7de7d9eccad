// The catalogue: every gauge the module offers, found by name.
//
// The gauges come from the files the build lists (each declares its gauges,
// see catalogue_entry.h), the placeholders of the gauges not
// simulated yet and the panel window buttons. Linkage names its 142 gauges
// and gauge_named finds each at compile time: a name that no table has, or
// that two tables have, does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "generated/gauge_files.h"
#include "module/catalogue_entry.h"
#include "module/placeholder_gauges.h"
#include "panel/panel_windows.h"

namespace kadrimos {

inline constexpr auto kCatalogueTables = [] {
    return std::array<std::span<const CatalogueEntry>, 3>{gauges::kGaugeFileEntries, placeholder_gauges,
                                                          window_button_gauges};
}();

consteval GAUGEHDR* gauge_named(std::string_view name) {
    // Counted rather than compared with null: under the sanitizers the
    // compiler does not take an object's address for non-null at compile time.
    GAUGEHDR* found = nullptr;
    int matches = 0;
    for (const auto& table : kCatalogueTables)
        for (const CatalogueEntry& entry : table)
            if (name == entry.name) {
                found = entry.header;
                ++matches;
            }
    if (matches > 1) throw "two gauge tables have a gauge of that name";
    if (matches == 0) throw "no gauge table has a gauge of that name";
    return found;
}

// The catalogue entry of `gauge` (a header the module exports), or nullptr:
// for the tests and tools that address elements and areas by label.
const CatalogueEntry* catalogue_entry_of(const GAUGEHDR* gauge);

}  // namespace kadrimos
