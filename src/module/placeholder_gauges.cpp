#include "module/placeholder_gauges.h"

#include <utility>

#include "module/standard_routines.h"

namespace kadrimos {
namespace {

void FSAPI gauge_not_built_yet(GAUGEHDR*, int32_t, uintptr_t) {}

// Fills `self` (an entry of placeholder_table) from its row of the table.
constexpr PlaceholderGauge make(PlaceholderGauge& self, const PlaceholderSpec& spec) {
    PlaceholderGauge g{};
    g.header = gauge_header(spec.name, spec.width_mm, self.elements, self.mouse.rect,
                            spec.has_callback ? gauge_not_built_yet : nullptr);
    g.elements[0] = &self.background.header;
    g.elements[1] = nullptr;
    g.background = background(self.header, spec.background_bitmap, no_children, IMAGE_USE_TRANSPARENCY,
                              spec.failures);
    g.mouse = mouse_table(spec.help_id);
    return g;
}

template <std::size_t... I>
constexpr PlaceholderTable make_all(std::index_sequence<I...>) {
    return {{make(placeholder_table.gauges[I], kPlaceholders[I])...}};
}

}  // namespace

// Each placeholder's header is followed by its element list, its background
// and its mouse table.
constinit PlaceholderTable placeholder_table = make_all(std::make_index_sequence<kPlaceholderCount>{});

}  // namespace kadrimos
