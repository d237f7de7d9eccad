#include "module/placeholder_gauges.h"

#include <utility>

namespace kadrimos {
namespace {

void FSAPI gauge_not_built_yet(GAUGEHDR*, int32_t, uintptr_t) {}

constexpr BackgroundGauge<0> make(BackgroundGauge<0>& self, const PlaceholderSpec& spec,
                                  const ElementSpec& background) {
    return background_gauge(self, spec.name, spec.width_mm, background, mouse_table(spec.help_id),
                            spec.has_callback ? gauge_not_built_yet : nullptr);
}

template <std::size_t... I>
constexpr PlaceholderTable make_all(std::index_sequence<I...>) {
    return {{make(placeholder_table.gauges[I], kPlaceholders[I], kPlaceholderBackgrounds[I])...}};
}

}  // namespace

// Each placeholder's header is followed by its element list, its background
// and its mouse table.
constinit PlaceholderTable placeholder_table = make_all(std::make_index_sequence<kPlaceholderCount>{});

}  // namespace kadrimos
