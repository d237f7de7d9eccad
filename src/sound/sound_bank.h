// The cockpit's sounds, addressed by name.
//
// Gauges play sounds only through these functions. A sound that is not loaded
// is null in the bank and every request for it is skipped: the gauge that
// would have played it works on, silently.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sound/engine.h"

namespace kadrimos::sound {

// The sounds in load order; the names are those of the wave resources.
enum class SoundName : uint8_t {
    CLICK,
    HI,
    LO,
    INNER,
    MIDDLE,
    OUTER,
    DONTSNK,
    GLIDESLOPE,
    WPULLUP,
    SNKRATE,
    TERRAIN,
    TOOLOWFLAPS,
    TOOLOWGEAR,
    TOOLOWTERRAIN,
    CLICLICLIC,
    CLACKER,
    GONGMONO,
    GONGCONT,
    KLAXONCONT,
    KLAXONINT,
    RE,
    REREP,
    SONNERIE,
    WROOF,
    BRAKESSND,
};

inline constexpr std::size_t kSoundCount = 25;
static_assert(static_cast<std::size_t>(SoundName::BRAKESSND) + 1 == kSoundCount);

struct SoundBank {
    Sound* sounds[kSoundCount] = {};  // null: not loaded
};

// Play once, if loaded.
void play_once(SoundName name);
// Start a looping sound, if loaded; stop it.
void start_loop(SoundName name);
void stop_loop(SoundName name);

}  // namespace kadrimos::sound
