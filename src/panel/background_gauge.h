// Gauges made of a background alone: the panel window buttons and the
// catalogue's gauges that are not simulated yet. Such gauges come in tables:
// one row of data per gauge, and one record per gauge in which the header is
// followed by its element list, its background and its mouse table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "module/catalogue_entry.h"
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

// The labels of a table of such gauges: gauge i's background, and its area i
// of `areas` when the gauges have one.
template <std::size_t N>
constexpr std::array<GaugeLabels, N> background_labels(const std::array<ElementSpec, N>& backgrounds) {
    std::array<GaugeLabels, N> labels{};
    for (std::size_t i = 0; i < N; ++i) labels[i] = {{&backgrounds[i], 1}, {}};
    return labels;
}
template <std::size_t N>
constexpr std::array<GaugeLabels, N> background_labels(const std::array<ElementSpec, N>& backgrounds,
                                                       const std::array<AreaSpec, N>& areas) {
    std::array<GaugeLabels, N> labels{};
    for (std::size_t i = 0; i < N; ++i) labels[i] = {{&backgrounds[i], 1}, {&areas[i], 1}};
    return labels;
}

// Their catalogue entries: row i's name, gauge i's header and labels.
template <typename Row, std::size_t N, std::size_t Areas>
constexpr std::array<CatalogueEntry, N> background_entries(const Row (&rows)[N],
                                                           BackgroundGauge<Areas> (&gauges)[N],
                                                           const std::array<GaugeLabels, N>& labels) {
    std::array<CatalogueEntry, N> entries{};
    for (std::size_t i = 0; i < N; ++i) entries[i] = {rows[i].name, &gauges[i].header, &labels[i]};
    return entries;
}

}  // namespace kadrimos
