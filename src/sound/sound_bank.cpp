#include "sound/sound_bank.h"

#include "module/module_state.h"

namespace kadrimos::sound {
namespace {

SoundBank& bank = private_state.sound_bank;

std::size_t index(SoundName name) { return static_cast<std::size_t>(name); }
Sound* loaded(SoundName name) { return bank.sounds[index(name)]; }

void set_all_volumes() {
    for (std::size_t i = 0; i < kSoundCount; ++i) set_volume(bank.sounds[i], bank.volumes[i]);
}

void move_master(int step) {
    for (int16_t& v : bank.volumes) v = static_cast<int16_t>(v + step * kMasterStep);
    bank.master_step = static_cast<int8_t>(bank.master_step + step);
    set_all_volumes();
}

}  // namespace

void load_all(uintptr_t module) {
    open_device(module);
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        // Loading twice without a release in between would lose buffers.
        if (bank.sounds[i] == nullptr) bank.sounds[i] = load_sound(kCatalogue[i].name);
    }
    set_all_volumes();
}

void release_all() {
    for (std::size_t i = kSoundCount; i-- > 0;) {
        release_sound(bank.sounds[i]);
        bank.sounds[i] = nullptr;
        bank.looping[i] = 0;
    }
    close_device();
}

void master_volume_up() {
    if (bank.master_step > kMasterStepLimit - 1) return;
    move_master(+1);
}

void master_volume_down() {
    if (bank.master_step < -(kMasterStepLimit - 1)) return;
    move_master(-1);
}

void play_once(SoundName name) { play(loaded(name), false); }
void start_loop(SoundName name) {
    play(loaded(name), true);
    bank.looping[index(name)] = loaded(name) != nullptr ? 1 : 0;
}
void stop_loop(SoundName name) {
    stop(loaded(name));
    bank.looping[index(name)] = 0;
}
bool is_looping(SoundName name) { return bank.looping[index(name)] == 1; }

}  // namespace kadrimos::sound
