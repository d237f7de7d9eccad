// The sound engine: the small layer between the cockpit's sounds and the
// sound card. One device for the module; one buffer per sound, loaded from a
// wave file stored as a named resource of the module or, failing that, from a
// file of that name beside the simulator.
//
// Every operation on a null sound, and every operation without a device, is
// skipped: a cockpit without sound works on, silently.
#pragma once

#include <cstdint>

#include "platform/sound_device.h"

namespace kadrimos::sound {

using Sound = platform::SoundBuffer;

// Volumes are hundredths of a decibel: 0 is full volume, -10000 silence.
inline constexpr int32_t kLoudest = 0;
inline constexpr int32_t kQuietest = -10000;

// Opens the device; `module` is the handle of the module whose resources
// hold the sounds (the host hands it over at install).
void open_device(uintptr_t module);
void close_device();

// The named sound, or null if it cannot be found, parsed or played.
Sound* load_sound(const char* name);
void play(Sound* sound, bool loop);
void stop(Sound* sound);
// Limits the volume to -10000..0 before setting it.
void set_volume(Sound* sound, int32_t hundredths_db);
void release_sound(Sound* sound);

}  // namespace kadrimos::sound
