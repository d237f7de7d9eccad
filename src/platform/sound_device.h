// The sound card as the module's sound engine uses it: one device and one
// static buffer per sound. DirectSound 8 on Windows; on Linux the audio
// substitute library. Nothing here knows about the aircraft.
#pragma once

#include <cstdint>

namespace kadrimos::platform {

struct SoundBuffer;  // opaque: a DirectSound buffer, or a substitute buffer

struct PcmFormat {
    const uint8_t* record;  // the wave file's format record, as the file holds it
    uint32_t record_size;
    uint16_t channels;
    uint32_t samples_per_second;
    uint16_t bits_per_sample;
    uint16_t block_align;
};

// Creates the device and sets its cooperative level on the host's active
// window. Failure leaves no device: every later call is then skipped.
void sound_device_open();
bool sound_device_is_open();
void sound_device_close();

// A static buffer filled with `size` bytes of samples, or null.
SoundBuffer* sound_buffer_create(const char* name, const PcmFormat& format, const uint8_t* samples, uint32_t size);
void sound_buffer_play(SoundBuffer* buffer, bool loop);
void sound_buffer_stop(SoundBuffer* buffer);
void sound_buffer_set_volume(SoundBuffer* buffer, int32_t hundredths_db);
void sound_buffer_release(SoundBuffer* buffer);

}  // namespace kadrimos::platform
