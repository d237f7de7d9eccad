#include "sound/sound_bank.h"

#include "module/module_state.h"

namespace kadrimos::sound {
namespace {

Sound* loaded(SoundName name) { return private_state.sound_bank.sounds[static_cast<std::size_t>(name)]; }

}  // namespace

void play_once(SoundName name) {
    if (Sound* s = loaded(name)) play(*s, false);
}

void start_loop(SoundName name) {
    if (Sound* s = loaded(name)) play(*s, true);
}

void stop_loop(SoundName name) {
    if (Sound* s = loaded(name)) stop(*s);
}

}  // namespace kadrimos::sound
