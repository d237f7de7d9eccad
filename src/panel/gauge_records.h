// The gauges of a family, one line each.
//
// A family of similar gauges (the engine dials, the needle meters, mirrored
// panels) is a table of rows, and each member's element list and area list
// are made from its row at compile time. The records the host reads, the
// chain and the mouse table, are static members of a template on those lists
// and on the member's header, so that every pointer in them points at the
// member's own records. The family says how a row becomes a gauge in a class
// template on the row and the header, usually a ListedGauge:
//
//   template <std::size_t D, GAUGEHDR& Header>
//   using MonitorDial = ListedGauge<kElements<D>, kAreas<D>, 91, update<D>, Header>;
//
// and defines each member, declared at the top of the file with
// KADRIMOS_GAUGE, in one line:
//
//   KADRIMOS_FAMILY_GAUGE(engomn_oil_press_1, MonitorDial, kOilPress1)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "module/catalogue_entry.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/host_api.h"
#include "panel/mouse.h"

namespace kadrimos {

// The area list of a gauge without areas.
inline constexpr std::array<AreaSpec, 0> kNoAreas{};

template <const auto& Elements, const auto& Areas, uint32_t HelpId, GAUGEHDR& Header>
struct GaugeRecords {
    static constinit Chain<std::size(Elements)> chain;
    static constinit MouseTable<std::size(Areas)> mouse;
};

template <const auto& Elements, const auto& Areas, uint32_t HelpId, GAUGEHDR& Header>
constinit Chain<std::size(Elements)> GaugeRecords<Elements, Areas, HelpId, Header>::chain =
    make_chain(GaugeRecords::chain, Header, Elements);

template <const auto& Elements, const auto& Areas, uint32_t HelpId, GAUGEHDR& Header>
constinit MouseTable<std::size(Areas)> GaugeRecords<Elements, Areas, HelpId, Header>::mouse =
    mouse_table(HelpId, Areas);

// The list that `Make` returns, kept as a variable so that a family's
// records can point into it: ListedGauge<kListOf<dial_elements<D>>, ...>.
template <auto Make>
inline constexpr auto kListOf = Make();

// The header of the gauge `Header` whose records these lists describe.
template <const auto& Elements, const auto& Areas, GAUGEHDR& Header, uint32_t HelpId = 0>
constexpr GAUGEHDR gauge_of(const char* name, uint32_t width_mm, GAUGE_CALLBACK callback) {
    using Records = GaugeRecords<Elements, Areas, HelpId, Header>;
    return gauge_header(name, width_mm, Records::chain.list, Records::mouse.rect, callback);
}

// A gauge made from its lists, as a family's class template gives it:
//   template <std::size_t D, GAUGEHDR& Header>
//   using MonitorDial = ListedGauge<kElements<D>, kAreas<D>, 91, update<D>, Header>;
template <const auto& Elements, const auto& Areas, uint32_t WidthMm, GAUGE_CALLBACK Callback,
          GAUGEHDR& Header, uint32_t HelpId = 0>
struct ListedGauge {
    static constexpr GAUGEHDR header(const char* name) {
        return gauge_of<Elements, Areas, Header, HelpId>(name, WidthMm, Callback);
    }
    static constexpr GaugeLabels labels = {Elements, Areas};
};

}  // namespace kadrimos

// Defines gauge `id` (declared with KADRIMOS_GAUGE) as row `row` of the family
// whose class template is `Family`: its header and its labels. Written at
// file scope.
#define KADRIMOS_FAMILY_GAUGE(id, Family, row)                        \
    namespace kadrimos::gauges::id {                                  \
    constinit GAUGEHDR header = Family<row, header>::header(kName);   \
    constinit const GaugeLabels labels = Family<row, header>::labels; \
    }

// Defines, inside the namespace of a gauge declared with KADRIMOS_GAUGE, the
// gauge's header and its labels from one element list and one area list, so
// that the records the host reads and the labels the tests and the simulated
// host name them by can never be made from different lists:
//
//   KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 151, callback);
//
// A help text identifier for the gauge's mouse parent may follow.
#define KADRIMOS_GAUGE_RECORDS(elements, areas, width_mm, callback, ...)                                     \
    constinit GAUGEHDR header =                                                                              \
        ::kadrimos::gauge_of<elements, areas, header __VA_OPT__(, ) __VA_ARGS__>(kName, width_mm, callback); \
    constinit const GaugeLabels labels = {elements, areas}
