// The sound engine: what the cockpit can ask of one loaded wave sound.
//
// Until the wave engine and the sound device are in place, a Sound only
// counts what was asked of it; nothing is heard. The sound bank never holds a
// Sound it did not load, so in the module as shipped today every bank entry
// is null and every play request is skipped, exactly as with a missing sound.
#pragma once

#include <cstdint>

namespace kadrimos::sound {

struct Sound {
    uint32_t plays = 0;  // play requests, looped or not
    uint32_t stops = 0;
    bool looping = false;
};

inline void play(Sound& sound, bool loop) {
    ++sound.plays;
    sound.looping = loop;
}

inline void stop(Sound& sound) {
    ++sound.stops;
    sound.looping = false;
}

}  // namespace kadrimos::sound
