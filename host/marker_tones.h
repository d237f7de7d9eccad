// The marker receiver's tones, as the simulator sounds them over a marker
// beacon while the audio panel's marker channel is on: the outer marker's
// 400 Hz dashes (two a second), the middle marker's 1300 Hz dots and dashes,
// the inner marker's 3000 Hz dots (six a second). The host mixes them into
// the crew's audio track beside the module's own sounds.
#pragma once

#include <cstdint>
#include <vector>

#include "audio_track.h"

namespace kadrimos::host_sim {

inline constexpr uint32_t kTokenMarkerBeacon = 354;   // MARKER_BEACON_STATE
inline constexpr uint32_t kTokenMarkerChannel = 881;  // MARKER_SOUND_TOGGLE: the audio panel's channel

class MarkerTones {
public:
    // Puts the three tones on the track as buffers of the host's own.
    explicit MarkerTones(AudioTrack& track);
    // At each update: the beacon over which the aircraft is (0 none, 1
    // outer, 2 middle, 3 inner; anything else none) and whether the marker
    // channel is on. A tone starts looping as the beacon is reached and stops
    // when it is left or the channel goes off.
    void update(int64_t tick, double beacon, bool channel_on);
    // The tone playing: 0 none, 1 outer, 2 middle, 3 inner.
    int playing() const { return playing_; }

    // One keying cycle of a beacon's tone, 16-bit mono samples at the
    // track's rate.
    static std::vector<int16_t> cycle(int beacon);

private:
    AudioTrack& track_;
    int playing_ = 0;
};

}  // namespace kadrimos::host_sim
