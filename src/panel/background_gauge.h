// Gauges made of a background alone: the panel window buttons and the
// catalogue's gauges that are not simulated yet. Such gauges come in tables:
// one row of data per gauge, and one record per gauge in which the header is
// followed by its element list, its background and its mouse table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/host_api.h"
#include "panel/mouse.h"

namespace kadrimos {

template <std::size_t Areas>
struct BackgroundGauge {
    GAUGEHDR header;
    Chain<1> chain;
    MouseTable<Areas> mouse;
};

// The record for `self`, an entry of a constinit table that is being
// initialised: every pointer points into `self`.
template <std::size_t Areas>
constexpr BackgroundGauge<Areas> background_gauge(BackgroundGauge<Areas>& self, const char* name,
                                                  uint32_t width_mm, const ElementSpec& background,
                                                  const MouseTable<Areas>& mouse, GAUGE_CALLBACK callback) {
    BackgroundGauge<Areas> g{};
    g.header = gauge_header(name, width_mm, self.chain.list, self.mouse.rect, callback);
    const ElementSpec elements[] = {background};
    g.chain = make_chain(self.chain, self.header, elements);
    g.mouse = mouse;
    return g;
}

}  // namespace kadrimos
