#include "com_radios.h"

#include <cmath>

namespace kadrimos::host_sim {
namespace {

constexpr int kLowestMegahertz = 118;
constexpr int kHighestMegahertz = 136;
constexpr int kChannels = 40;  // 25 kHz each
constexpr int kChannelKilohertz = 25;

// Columns: event, the radio's frequency variable, the knob, the timeline's
// words for it (the simulator's name of the command).
struct TuningEvent {
    uint32_t event;
    uint32_t token;
    ComKnob knob;
    const char* name;
};
constexpr TuningEvent kTuningEvents[] = {
    {0x10064, kTokenCom1Frequency, ComKnob::whole_down, "COM 1 radio: COM_RADIO_WHOLE_DEC"},
    {0x10065, kTokenCom1Frequency, ComKnob::whole_up, "COM 1 radio: COM_RADIO_WHOLE_INC"},
    {0x10066, kTokenCom1Frequency, ComKnob::channel_down, "COM 1 radio: COM_RADIO_FRACT_DEC"},
    {0x10067, kTokenCom1Frequency, ComKnob::channel_up, "COM 1 radio: COM_RADIO_FRACT_INC"},
    {0x10384, kTokenCom2Frequency, ComKnob::whole_down, "COM 2 radio: COM2_RADIO_WHOLE_DEC"},
    {0x10385, kTokenCom2Frequency, ComKnob::whole_up, "COM 2 radio: COM2_RADIO_WHOLE_INC"},
    {0x10386, kTokenCom2Frequency, ComKnob::channel_down, "COM 2 radio: COM2_RADIO_FRACT_DEC"},
    {0x10388, kTokenCom2Frequency, ComKnob::channel_up, "COM 2 radio: COM2_RADIO_FRACT_INC"},
};

int wrapped(int value, int low, int high) {
    if (value > high) return low;
    if (value < low) return high;
    return value;
}

}  // namespace

ComFrequency com_frequency_from_bcd(double bcd) {
    if (!(bcd >= 0.0 && bcd <= 0xFFFF) || bcd != std::floor(bcd)) return {};
    const auto digits = static_cast<uint32_t>(bcd);
    const uint32_t tens = digits >> 12 & 0xF, units = digits >> 8 & 0xF, tenths = digits >> 4 & 0xF,
                   hundredths = digits & 0xF;
    if (tens > 9 || units > 9 || tenths > 9 || hundredths > 9) return {};
    int megahertz = 100 + static_cast<int>(tens * 10 + units);
    if (megahertz < kLowestMegahertz) megahertz = kLowestMegahertz;
    if (megahertz > kHighestMegahertz) megahertz = kHighestMegahertz;
    // .x25 and .x75 lost their last 5 in the encoding.
    int kilohertz = static_cast<int>(tenths * 100 + hundredths * 10);
    if (hundredths == 2 || hundredths == 7) kilohertz += 5;
    return {megahertz, kilohertz / kChannelKilohertz};
}

uint32_t com_frequency_to_bcd(ComFrequency f) {
    const auto above_100 = static_cast<uint32_t>(f.megahertz - 100);
    const auto kilohertz = static_cast<uint32_t>(f.channel * kChannelKilohertz);
    return (above_100 / 10) << 12 | (above_100 % 10) << 8 | (kilohertz / 100) << 4 | (kilohertz / 10 % 10);
}

ComFrequency turned(ComFrequency f, ComKnob knob) {
    switch (knob) {
        case ComKnob::whole_down:
            f.megahertz = wrapped(f.megahertz - 1, kLowestMegahertz, kHighestMegahertz);
            break;
        case ComKnob::whole_up:
            f.megahertz = wrapped(f.megahertz + 1, kLowestMegahertz, kHighestMegahertz);
            break;
        case ComKnob::channel_down:
            f.channel = wrapped(f.channel - 1, 0, kChannels - 1);
            break;
        case ComKnob::channel_up:
            f.channel = wrapped(f.channel + 1, 0, kChannels - 1);
            break;
    }
    return f;
}

ComTuning com_radio_tuning(uint32_t event, const std::map<uint32_t, double>& variables) {
    for (const TuningEvent& t : kTuningEvents) {
        if (t.event != event) continue;
        const auto found = variables.find(t.token);
        const ComFrequency now = com_frequency_from_bcd(found == variables.end() ? 0.0 : found->second);
        return {t.token, static_cast<double>(com_frequency_to_bcd(turned(now, t.knob))), t.name};
    }
    return {};
}

}  // namespace kadrimos::host_sim
