#include "sound/engine.h"

#include "module/module_state.h"
#include "platform/resources.h"
#include "sound/wave.h"

namespace kadrimos::sound {
namespace {

SoundEngineState& self = private_state.sound_engine;

Sound* create(const char* name, const platform::Bytes& image) {
    WaveImage wave;
    if (parse_wave(image.data, image.size, wave) != WaveError::None) return nullptr;
    platform::PcmFormat format{wave.format,
                               wave.format_size,
                               wave.fields.channels,
                               wave.fields.samples_per_second,
                               wave.fields.bits_per_sample,
                               wave.fields.block_align};
    return platform::sound_buffer_create(name, format, wave.data, wave.data_size);
}

}  // namespace

void open_device(uintptr_t module) {
    self.module = module;
    platform::sound_device_open();
}

void close_device() { platform::sound_device_close(); }

Sound* load_sound(const char* name) {
    if (!platform::sound_device_is_open()) return nullptr;
    // A resource of the module first, used in place...
    platform::Bytes resource = platform::find_resource(self.module, name);
    if (resource.data != nullptr) {
        if (Sound* s = create(name, resource)) return s;
    }
    // ...else a file of that name, mapped only while the buffer is filled.
    platform::MappedFile file;
    if (!platform::map_file(name, file)) return nullptr;
    Sound* s = create(name, file.bytes);
    platform::unmap_file(file);
    return s;
}

void play(Sound* sound, bool loop) {
    if (sound != nullptr) platform::sound_buffer_play(sound, loop);
}

void stop(Sound* sound) {
    if (sound != nullptr) platform::sound_buffer_stop(sound);
}

void set_volume(Sound* sound, int32_t hundredths_db) {
    if (sound == nullptr) return;
    if (hundredths_db > kLoudest) hundredths_db = kLoudest;
    if (hundredths_db < kQuietest) hundredths_db = kQuietest;
    platform::sound_buffer_set_volume(sound, hundredths_db);
}

void release_sound(Sound* sound) {
    if (sound != nullptr) platform::sound_buffer_release(sound);
}

}  // namespace kadrimos::sound
