// Compile-time lists made of parts: single entries, std::arrays and plain
// arrays of one entry type, joined in order. A gauge's element or area list
// is often a few rows of one shape (the switches) between single entries.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

namespace kadrimos {

namespace detail {
template <typename T, typename Part>
struct PartSize : std::integral_constant<std::size_t, 1> {
    static_assert(std::is_convertible_v<Part, T>, "a part of a list is an entry or an array of entries");
};
template <typename T, std::size_t N>
struct PartSize<T, std::array<T, N>> : std::integral_constant<std::size_t, N> {};
template <typename T, std::size_t N>
struct PartSize<T, T[N]> : std::integral_constant<std::size_t, N> {};

template <typename T, std::size_t Total, typename Part>
constexpr void append(std::array<T, Total>& list, std::size_t& at, const Part& part) {
    if constexpr (PartSize<T, Part>::value == 1 && std::is_convertible_v<Part, T>) {
        list[at++] = part;
    } else {
        for (const T& entry : part) list[at++] = entry;
    }
}
}  // namespace detail

// The entries of `parts` in order, as one array.
template <typename T, typename... Parts>
constexpr auto join(const Parts&... parts) {
    std::array<T, (detail::PartSize<T, Parts>::value + ... + 0)> list{};
    std::size_t at = 0;
    (detail::append(list, at, parts), ...);
    return list;
}

}  // namespace kadrimos
