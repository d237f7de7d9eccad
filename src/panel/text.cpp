#include "panel/text.h"

#include <cmath>
#include <cstdint>

namespace kadrimos {
namespace {

// Large enough for the integer part of the largest double (309 digits), a
// sign, a point and nine decimals.
constexpr std::size_t kScratch = 340;

// Appends the decimal digits of the integer-valued double `whole` (>= 0).
std::size_t put_whole(char* scratch, std::size_t pos, double whole) {
    char digits[kScratch];
    std::size_t n = 0;
    if (whole < 18446744073709551616.0) {  // 2^64: exact as an unsigned
        auto w = static_cast<std::uint64_t>(whole);
        do {
            digits[n++] = static_cast<char>('0' + w % 10);
            w /= 10;
        } while (w != 0);
    } else {
        // Beyond 64 bits the digits come from exact remainders; the quotient
        // steps round, identically on every IEEE machine.
        while (whole >= 1.0 && n < sizeof digits) {
            double d = std::fmod(whole, 10.0);
            digits[n++] = static_cast<char>('0' + static_cast<int>(d));
            whole = std::floor((whole - d) / 10.0);
        }
    }
    while (n > 0) scratch[pos++] = digits[--n];
    return pos;
}

std::size_t put_text(char* scratch, std::size_t pos, const char* text) {
    while (*text != '\0') scratch[pos++] = *text++;
    return pos;
}

}  // namespace

void format_fixed(char* out, std::size_t capacity, double value, int width, int precision) {
    if (out == nullptr || capacity == 0) return;
    if (precision < 0) precision = 0;
    if (precision > 9) precision = 9;

    char scratch[kScratch];
    std::size_t len = 0;
    if (std::signbit(value) && !std::isnan(value)) scratch[len++] = '-';
    if (std::isnan(value)) {
        len = put_text(scratch, len, "nan");
    } else if (std::isinf(value)) {
        len = put_text(scratch, len, "inf");
    } else {
        double magnitude = std::fabs(value);
        double whole = std::trunc(magnitude);
        double scale = 1.0;
        for (int i = 0; i < precision; ++i) scale *= 10.0;
        // nearbyint rounds ties to even in the default rounding mode.
        double fraction = std::nearbyint((magnitude - whole) * scale);
        if (fraction >= scale) {
            fraction -= scale;
            whole += 1.0;
        }
        len = put_whole(scratch, len, whole);
        if (precision > 0) {
            scratch[len++] = '.';
            auto f = static_cast<std::uint32_t>(fraction);
            for (int i = precision - 1; i >= 0; --i) {
                scratch[len + static_cast<std::size_t>(i)] = static_cast<char>('0' + f % 10);
                f /= 10;
            }
            len += static_cast<std::size_t>(precision);
        }
    }

    std::size_t pad =
        (width > 0 && static_cast<std::size_t>(width) > len) ? static_cast<std::size_t>(width) - len : 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < pad && n + 1 < capacity; ++i) out[n++] = ' ';
    for (std::size_t i = 0; i < len && n + 1 < capacity; ++i) out[n++] = scratch[i];
    out[n] = '\0';
}

}  // namespace kadrimos
