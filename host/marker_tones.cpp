#include "marker_tones.h"

#include <cmath>
#include <iterator>
#include <string>

namespace kadrimos::host_sim {

namespace {

// A tone's pitch and its keying, in milliseconds of tone and of silence,
// repeated: one cycle of each beacon's code.
struct Keying {
    const char* name;
    double hz;
    struct Element {
        int on_ms, off_ms;
    } elements[2];
};
constexpr Keying kKeyings[] = {
    {"outer marker", 400, {{375, 125}, {375, 125}}},    // dashes, two a second
    {"middle marker", 1300, {{125, 125}, {375, 125}}},  // dot, dash
    {"inner marker", 3000, {{83, 83}, {83, 84}}},       // dots, six a second
};
constexpr double kAmplitude = 0.25 * 32767;  // some 12 dB below full scale
constexpr double kPi = 3.14159265358979323846;

// The buffers' keys on the track: the host's own, one a beacon.
const char kKeys[3] = {};

// The beacon a reading names: 1, 2 or 3 exactly; anything else is none.
int beacon_number(double v) {
    if (v == 1.0) return 1;
    if (v == 2.0) return 2;
    if (v == 3.0) return 3;
    return 0;
}

}  // namespace

std::vector<int16_t> MarkerTones::cycle(int beacon) {
    std::vector<int16_t> samples;
    if (beacon < 1 || beacon > 3) return samples;
    const Keying& k = kKeyings[beacon - 1];
    const double rate = AudioTrack::kRate;
    std::size_t n = 0;
    for (const Keying::Element& e : k.elements) {
        const auto on = static_cast<std::size_t>(e.on_ms * rate / 1000);
        const auto off = static_cast<std::size_t>(e.off_ms * rate / 1000);
        for (std::size_t i = 0; i < on; ++i, ++n)
            samples.push_back(static_cast<int16_t>(
                std::lround(kAmplitude * std::sin(2 * kPi * k.hz * static_cast<double>(n) / rate))));
        for (std::size_t i = 0; i < off; ++i, ++n) samples.push_back(0);
    }
    return samples;
}

MarkerTones::MarkerTones(AudioTrack& track) : track_(track) {
    for (int b = 1; b <= 3; ++b) {
        const std::vector<int16_t> s = cycle(b);
        track_.create(&kKeys[b - 1], kKeyings[b - 1].name, AudioTrack::kRate, 1, 16,
                      reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size() * 2));
    }
}

void MarkerTones::update(int64_t tick, double beacon, bool channel_on) {
    const int wanted = channel_on ? beacon_number(beacon) : 0;
    if (wanted == playing_) return;
    if (playing_ != 0) track_.stop(&kKeys[playing_ - 1], tick);
    if (wanted != 0) track_.play(&kKeys[wanted - 1], tick, true);
    playing_ = wanted;
}

}  // namespace kadrimos::host_sim
