#include "module/module_state.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "module/catalogue.h"
#include "module/exports.h"
#include "panel/host.h"

namespace kadrimos {

static_assert(std::is_trivially_copyable_v<AircraftState>);
static_assert(std::is_trivially_copyable_v<PrivateState>);

constinit AircraftState aircraft{};
constinit PrivateState private_state{};

namespace {

// The image flags of every element at load, in the order of a depth-first
// walk of the catalogue. Taken before any host call: constant-initialised
// records are in place before any dynamically initialised object, and this
// is the only such object in the module.
constexpr std::size_t kMaxElements = 1536;

struct LoadFlags {
    uint32_t flags[kMaxElements];
    std::size_t count;
};

template <typename Visit>
void walk_elements(ELEMENT_HEADER* element, Visit& visit) {
    for (; element != nullptr;) {
        visit(*element);
        ELEMENT_HEADER** children = element->next_element;
        if (children == nullptr) return;
        // Most chains have one child per element: follow it without
        // recursion; recurse only into the rare side-by-side children.
        for (std::size_t i = 1; children[0] != nullptr && children[i] != nullptr; ++i)
            walk_elements(children[i], visit);
        element = children[0];
    }
}

template <typename Visit>
void walk_catalogue(Visit& visit) {
    for (std::size_t g = 0; g < kGaugeCount && Linkage.gauge_table[g] != nullptr; ++g) {
        ELEMENT_HEADER** list = Linkage.gauge_table[g]->elements_list;
        for (std::size_t i = 0; list != nullptr && list[i] != nullptr; ++i) walk_elements(list[i], visit);
    }
}

LoadFlags take_load_flags() {
    LoadFlags load{};
    auto record = [&load](ELEMENT_HEADER& e) {
        if (load.count < kMaxElements) load.flags[load.count] = e.image_flags;
        ++load.count;
    };
    walk_catalogue(record);
    return load;
}

const LoadFlags load_flags = take_load_flags();

}  // namespace

std::size_t element_count_at_load() { return load_flags.count; }
std::size_t element_capacity() { return kMaxElements; }

void reset_module() {
    // Copied byte for byte from records with static storage, so that even
    // the padding between items is as the library image holds it.
    static constexpr AircraftState load_aircraft{};
    static constexpr PrivateState load_private{};
    std::memcpy(&aircraft, &load_aircraft, sizeof aircraft);
    std::memcpy(&private_state, &load_private, sizeof private_state);
    // The text buffers of strings, the angles in needle tables and the other
    // working fields of the records are the host's, and stay as it left them.
    std::size_t index = 0;
    auto restore = [&index](ELEMENT_HEADER& e) {
        if (index < kMaxElements) e.image_flags = load_flags.flags[index];
        ++index;
    };
    walk_catalogue(restore);
    for (const auto& table : kCatalogueTables)
        for (const CatalogueEntry& entry : table)
            if (entry.reset_state != nullptr) entry.reset_state();
    host::forget_initialised_variables();
}

}  // namespace kadrimos
