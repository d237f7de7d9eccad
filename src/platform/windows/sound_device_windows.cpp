// The sound card through DirectSound 8: one device for the process, one
// static secondary buffer per sound.
#define INITGUID
#include <windows.h>
#include <dsound.h>

#include <cstring>

#include "platform/sound_device.h"

namespace kadrimos::platform {

namespace {

// A SoundBuffer on Windows is a DirectSound buffer under another name.

IDirectSound8* device = nullptr;

IDirectSoundBuffer* raw(SoundBuffer* b) { return reinterpret_cast<IDirectSoundBuffer*>(b); }

}  // namespace

void sound_device_open() {
    if (device != nullptr) return;
    if (FAILED(DirectSoundCreate8(nullptr, &device, nullptr))) {
        device = nullptr;  // no sound card: the cockpit stays silent
        return;
    }
    device->SetCooperativeLevel(GetActiveWindow(), DSSCL_NORMAL);
}

bool sound_device_is_open() { return device != nullptr; }

void sound_device_close() {
    if (device == nullptr) return;
    device->Release();
    device = nullptr;
}

SoundBuffer* sound_buffer_create(const char*, const PcmFormat& format, const uint8_t* samples, uint32_t size) {
    if (device == nullptr || samples == nullptr || size == 0 || format.record_size < 14) return nullptr;
    // DirectSound reads a full WAVEFORMATEX (18 bytes); a shorter record from
    // the file is copied into one with the missing fields zero.
    WAVEFORMATEX wave{};
    std::memcpy(&wave, format.record, format.record_size < sizeof wave ? format.record_size : sizeof wave);
    wave.cbSize = 0;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                          DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = size;
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(device->CreateSoundBuffer(&description, &buffer, nullptr)) || buffer == nullptr) return nullptr;

    void* first = nullptr;
    void* second = nullptr;
    DWORD first_size = 0, second_size = 0;
    if (FAILED(buffer->Lock(0, size, &first, &first_size, &second, &second_size, 0))) {
        buffer->Release();
        return nullptr;
    }
    DWORD copied = first_size < size ? first_size : size;
    std::memcpy(first, samples, copied);
    if (second != nullptr && copied < size) {
        DWORD rest = size - copied;
        std::memcpy(second, samples + copied, rest < second_size ? rest : second_size);
    }
    buffer->Unlock(first, first_size, second, second_size);
    return reinterpret_cast<SoundBuffer*>(buffer);
}

void sound_buffer_play(SoundBuffer* buffer, bool loop) {
    if (buffer != nullptr) raw(buffer)->Play(0, 0, loop ? DSBPLAY_LOOPING : 0);
}

void sound_buffer_stop(SoundBuffer* buffer) {
    if (buffer != nullptr) raw(buffer)->Stop();
}

void sound_buffer_set_volume(SoundBuffer* buffer, int32_t hundredths_db) {
    if (buffer != nullptr) raw(buffer)->SetVolume(hundredths_db);
}

void sound_buffer_release(SoundBuffer* buffer) {
    if (buffer != nullptr) raw(buffer)->Release();
}

}  // namespace kadrimos::platform
