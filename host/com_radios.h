// The simulator's two VHF communication radios, as the host plays them.
//
// Each radio's frequency is a host variable in the simulator's own encoding:
// four binary-coded decimal digits without the leading 1, tens of megahertz
// down to hundredths (COM_FREQUENCY, token 23, and COM2_FREQUENCY, token
// 870; 118.975 MHz is 0x1897). The band runs from 118.000 to 136.975 MHz in
// 25 kHz channels, whose third decimal the encoding drops: .x25 and .x75 are
// held as the hundredths 2 and 7.
//
// Tuning commands turn the knobs of a real radio head: the outer knob steps
// the megahertz, from 136 round to 118 and back, leaving the channel alone;
// the inner knob steps the channel by 25 kHz, from .975 round to .000 and
// back, leaving the megahertz alone.
//
// A frequency that is no frequency of the band (a number that is not a
// whole number of 16 bits, digits above 9) is tuned from 118.000; megahertz
// outside the band are taken to the band's nearer edge first; hundredths
// between channels are read as the channel below.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace kadrimos::host_sim {

inline constexpr uint32_t kTokenCom1Frequency = 23;
inline constexpr uint32_t kTokenCom2Frequency = 870;

// A frequency as the knobs see it: whole megahertz (118 to 136) and the
// channel within it (0 to 39, 25 kHz each).
struct ComFrequency {
    int megahertz = 118;
    int channel = 0;
    bool operator==(const ComFrequency&) const = default;
};

// The simulator's digits read as a frequency of the band (see above).
ComFrequency com_frequency_from_bcd(double bcd);
// The simulator's digits of a frequency of the band.
uint32_t com_frequency_to_bcd(ComFrequency f);

enum class ComKnob : uint8_t { whole_down, whole_up, channel_down, channel_up };
ComFrequency turned(ComFrequency f, ComKnob knob);

// What a tuning command does to the host's variables: the variable it sets
// (0: the event is no COM tuning command), the value, and the line for the
// timeline.
struct ComTuning {
    uint32_t token = 0;
    double value = 0.0;
    std::string source;
};
ComTuning com_radio_tuning(uint32_t event, const std::map<uint32_t, double>& variables);

}  // namespace kadrimos::host_sim
