// The hundredths drum of the NAV and COM frequency windows: a strip of four
// positions, .x0, .x2(5), .x5(0), .x7(5), the receivers' channel steps.
#pragma once

#include <cstdint>

namespace kadrimos::radios {

// The drum position of a frequency's BCD hundredths digit: 0, 2, 5 and 7
// stand on positions 0 to 3; any other digit is no channel and stands on 0.
constexpr int hundredths_position(uint32_t digit) {
    switch (digit) {
        case 2:
            return 1;
        case 5:
            return 2;
        case 7:
            return 3;
        default:
            return 0;
    }
}

}  // namespace kadrimos::radios
