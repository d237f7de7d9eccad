// The host's communication radios: how a tuning command moves the digits of
// the frequency the simulator reports, round the band's edges.
#include "com_radios.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>

namespace kadrimos::host_sim {
namespace {

TEST(ComRadios, KnobsStepTheDigitsAndWrapAtTheBandsEdges) {
    struct Row {
        uint32_t from;
        uint32_t event;
        uint32_t to;
    };
    constexpr uint32_t kWholeDown = 0x10064, kWholeUp = 0x10065, kChannelDown = 0x10066, kChannelUp = 0x10067;
    const Row rows[] = {
        {0x3650, kWholeUp, 0x1850},      // 136.500 up: 118.500, the channel kept
        {0x1850, kWholeDown, 0x3650},    // and back
        {0x1997, kWholeUp, 0x2097},      // 119.975 up: 120.975, no carry into the channel
        {0x2000, kWholeDown, 0x1900},    // 120.000 down: 119.000
        {0x1897, kChannelUp, 0x1800},    // 118.975 up: 118.000, the megahertz kept
        {0x1800, kChannelDown, 0x1897},  // and back
        {0x3697, kChannelUp, 0x3600},    // 136.975 up: 136.000
        {0x1800, kChannelUp, 0x1802},    // .000 .025
        {0x1802, kChannelUp, 0x1805},    // .025 .050
        {0x1805, kChannelUp, 0x1807},    // .050 .075
        {0x1807, kChannelUp, 0x1810},    // .075 .100
        {0x1810, kChannelDown, 0x1807},  // .100 .075
        {0x1891, kChannelUp, 0x1892},    // between channels: from the one below
        {0x0000, kWholeUp, 0x1900},      // below the band: from its lower edge
        {0x9999, kWholeDown, 0x3597},    // above it: from its upper edge
        {0x1A00, kWholeUp, 0x1900},      // a digit above 9: from 118.000
        {0x18000, kChannelUp, 0x1802},   // more than four digits: from 118.000
    };
    for (const Row& r : rows) {
        const std::map<uint32_t, double> vars = {{kTokenCom1Frequency, static_cast<double>(r.from)}};
        const ComTuning t = com_radio_tuning(r.event, vars);
        EXPECT_EQ(t.token, kTokenCom1Frequency);
        EXPECT_EQ(t.value, r.to) << std::hex << r.from << " " << r.event << ": "
                                 << static_cast<uint32_t>(t.value);
    }
}

TEST(ComRadios, EachRadioAnswersItsOwnCommandsOnly) {
    struct Row {
        uint32_t event;
        uint32_t token;
        uint32_t to;
    };
    const Row rows[] = {
        {0x10064, kTokenCom1Frequency, 0x2180},
        {0x10065, kTokenCom1Frequency, 0x2380},
        {0x10066, kTokenCom1Frequency, 0x2277},
        {0x10067, kTokenCom1Frequency, 0x2282},
        {0x10384, kTokenCom2Frequency, 0x2050},
        {0x10385, kTokenCom2Frequency, 0x2250},
        {0x10386, kTokenCom2Frequency, 0x2147},
        {0x10388, kTokenCom2Frequency, 0x2152},
        {0x10387, 0, 0},
        {0x10068, 0, 0},
    };
    const std::map<uint32_t, double> vars = {{kTokenCom1Frequency, 0x2280}, {kTokenCom2Frequency, 0x2150}};
    for (const Row& r : rows) {
        const ComTuning t = com_radio_tuning(r.event, vars);
        EXPECT_EQ(t.token, r.token) << std::hex << r.event;
        if (r.token != 0) {
            EXPECT_EQ(t.value, r.to) << std::hex << r.event;
        }
    }
}

TEST(ComRadios, AFrequencyNobodyCanReadIsTunedFromTheBandsLowerEdge) {
    for (double reading : {std::nan(""), HUGE_VAL, -1.0, 6144.5, 1e12}) {
        EXPECT_EQ(com_frequency_from_bcd(reading), (ComFrequency{118, 0})) << reading;
    }
    const std::map<uint32_t, double> none;
    EXPECT_EQ(com_radio_tuning(0x10067, none).value, 0x1802);
}

TEST(ComRadios, EveryChannelOfTheBandReadsBackAsItself) {
    for (int mhz = 118; mhz <= 136; ++mhz) {
        for (int channel = 0; channel < 40; ++channel) {
            const ComFrequency f{mhz, channel};
            EXPECT_EQ(com_frequency_from_bcd(com_frequency_to_bcd(f)), f) << mhz << " " << channel;
        }
    }
}

}  // namespace
}  // namespace kadrimos::host_sim
