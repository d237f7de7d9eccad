// The state directory of the shared cockpit record (see state_directory.h),
// made from the record's own declaration.
#include "module/state_directory.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

#include "module/aircraft_state.h"

namespace kadrimos {
namespace {

template <typename T>
constexpr uint32_t kind_of() {
    using E = std::remove_all_extents_t<T>;
    if constexpr (std::is_same_v<E, uint8_t>)
        return STATE_U8;
    else if constexpr (std::is_same_v<E, int8_t>)
        return STATE_I8;
    else if constexpr (std::is_same_v<E, uint16_t>)
        return STATE_U16;
    else if constexpr (std::is_same_v<E, int16_t>)
        return STATE_I16;
    else if constexpr (std::is_same_v<E, uint32_t>)
        return STATE_U32;
    else if constexpr (std::is_same_v<E, int32_t>)
        return STATE_I32;
    else if constexpr (std::is_same_v<E, float>)
        return STATE_F32;
    else if constexpr (std::is_same_v<E, double>)
        return STATE_F64;
    else
        static_assert(sizeof(E) == 0, "an item of a kind the state directory does not know");
}

#define KADRIMOS_STATE_ITEM(name)                                                                            \
    STATE_ITEM{#name, static_cast<uint32_t>(offsetof(AircraftState, name)),                                  \
               static_cast<uint32_t>(sizeof(AircraftState::name)), kind_of<decltype(AircraftState::name)>(), \
               static_cast<uint32_t>(sizeof(AircraftState::name) /                                           \
                                     sizeof(std::remove_all_extents_t<decltype(AircraftState::name)>))},

constexpr STATE_ITEM kItems[] = {
#include "generated/state_items.inc"
};
#undef KADRIMOS_STATE_ITEM

}  // namespace

// Kept though nothing in the module reads it: a host looks it up in its
// section (tests reach it by name).
extern const STATE_DIRECTORY kStateDirectory;
[[gnu::used, gnu::section(KADRIMOS_STATE_SECTION)]] constinit const STATE_DIRECTORY kStateDirectory = {
    {'K', 'D', 'R', 'M', 'S', 'T', '0', '1'},
    static_cast<uint32_t>(std::size(kItems)),
    static_cast<uint32_t>(sizeof(AircraftState)),
    &aircraft,
    kItems};

}  // namespace kadrimos
