// Text of string elements.
//
// The cockpit's read-outs use printf-style numeric formats. printf itself is
// not used on the update path: its text for NaN, infinities and rounding ties
// differs between the C libraries of Linux and Windows, and the same inputs
// must give the same text on both. format_fixed() is a small, deterministic
// replacement for "%<width>.<precision>f".
#pragma once

#include <cstddef>

namespace kadrimos {

// Writes `value` as "%<width>.<precision>f" into `out` (capacity bytes,
// terminator included), cutting the text to capacity - 1 characters.
//   - precision is limited to 0..9;
//   - the fraction is rounded to nearest, ties to even;
//   - NaN prints "nan", infinities "inf" and "-inf";
//   - a negative sign (negative zero included) prints "-", as printf does;
//   - the text is right-aligned in `width` characters.
void format_fixed(char* out, std::size_t capacity, double value, int width, int precision);

}  // namespace kadrimos
