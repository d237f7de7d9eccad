// On Linux the sound card is the audio substitute library.
#include "platform/linux/audio_substitute.h"
#include "platform/sound_device.h"

namespace kadrimos::platform {

namespace {
// A SoundBuffer on Linux is a substitute buffer under another name.
KadrimosAudioBuffer* raw(SoundBuffer* b) { return reinterpret_cast<KadrimosAudioBuffer*>(b); }
}  // namespace

void sound_device_open() { kadrimos_audio_open(); }
bool sound_device_is_open() { return kadrimos_audio_is_open() != 0; }
void sound_device_close() { kadrimos_audio_close(); }

SoundBuffer* sound_buffer_create(const char* name, const PcmFormat& format, const uint8_t* samples, uint32_t size) {
    KadrimosAudioFormat f{format.channels, format.samples_per_second, format.bits_per_sample, format.block_align};
    return reinterpret_cast<SoundBuffer*>(kadrimos_audio_create(name, &f, samples, size));
}

void sound_buffer_play(SoundBuffer* buffer, bool loop) { kadrimos_audio_play(raw(buffer), loop ? 1 : 0); }
void sound_buffer_stop(SoundBuffer* buffer) { kadrimos_audio_stop(raw(buffer)); }
void sound_buffer_set_volume(SoundBuffer* buffer, int32_t hundredths_db) {
    kadrimos_audio_set_volume(raw(buffer), hundredths_db);
}
void sound_buffer_release(SoundBuffer* buffer) { kadrimos_audio_release(raw(buffer)); }

}  // namespace kadrimos::platform
