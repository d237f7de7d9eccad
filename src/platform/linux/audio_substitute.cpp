#include "platform/linux/audio_substitute.h"

#include <cstdlib>
#include <cstring>
#include <new>

struct KadrimosAudioBuffer {
    char name[32];
    KadrimosAudioFormat format;
    uint8_t* samples;
    uint32_t size;
};

namespace {

bool device_open = false;
bool device_fails = false;
int live_buffers = 0;
KadrimosAudioObserver observer = nullptr;
void* observer_context = nullptr;

void tell(KadrimosAudioEventKind kind, const KadrimosAudioBuffer* buffer, int32_t value) {
    if (observer == nullptr) return;
    KadrimosAudioEvent event{kind, buffer, value};
    observer(&event, observer_context);
}

}  // namespace

extern "C" {

int kadrimos_audio_open(void) {
    if (device_fails) return 0;
    device_open = true;
    tell(KADRIMOS_AUDIO_OPEN, nullptr, 0);
    return 1;
}

void kadrimos_audio_close(void) {
    if (!device_open) return;
    device_open = false;
    tell(KADRIMOS_AUDIO_CLOSE, nullptr, 0);
}

int kadrimos_audio_is_open(void) { return device_open ? 1 : 0; }

KadrimosAudioBuffer* kadrimos_audio_create(const char* name, const KadrimosAudioFormat* format,
                                           const uint8_t* samples, uint32_t size) {
    if (!device_open || format == nullptr || samples == nullptr || size == 0) return nullptr;
    auto* buffer = static_cast<KadrimosAudioBuffer*>(std::calloc(1, sizeof(KadrimosAudioBuffer)));
    if (buffer == nullptr) return nullptr;
    buffer->samples = static_cast<uint8_t*>(std::malloc(size));
    if (buffer->samples == nullptr) {
        std::free(buffer);
        return nullptr;
    }
    std::strncpy(buffer->name, name != nullptr ? name : "", sizeof buffer->name - 1);
    buffer->format = *format;
    std::memcpy(buffer->samples, samples, size);
    buffer->size = size;
    ++live_buffers;
    tell(KADRIMOS_AUDIO_CREATE, buffer, 0);
    return buffer;
}

void kadrimos_audio_play(KadrimosAudioBuffer* buffer, int loop) {
    if (buffer != nullptr) tell(KADRIMOS_AUDIO_PLAY, buffer, loop ? 1 : 0);
}

void kadrimos_audio_stop(KadrimosAudioBuffer* buffer) {
    if (buffer != nullptr) tell(KADRIMOS_AUDIO_STOP, buffer, 0);
}

void kadrimos_audio_set_volume(KadrimosAudioBuffer* buffer, int32_t hundredths_db) {
    if (buffer != nullptr) tell(KADRIMOS_AUDIO_VOLUME, buffer, hundredths_db);
}

void kadrimos_audio_release(KadrimosAudioBuffer* buffer) {
    if (buffer == nullptr) return;
    tell(KADRIMOS_AUDIO_RELEASE, buffer, 0);
    --live_buffers;
    std::free(buffer->samples);
    std::free(buffer);
}

const char* kadrimos_audio_name(const KadrimosAudioBuffer* buffer) { return buffer ? buffer->name : ""; }

const KadrimosAudioFormat* kadrimos_audio_format(const KadrimosAudioBuffer* buffer) {
    return buffer ? &buffer->format : nullptr;
}

const uint8_t* kadrimos_audio_samples(const KadrimosAudioBuffer* buffer, uint32_t* size) {
    if (size != nullptr) *size = buffer ? buffer->size : 0;
    return buffer ? buffer->samples : nullptr;
}

void kadrimos_audio_observe(KadrimosAudioObserver new_observer, void* context) {
    observer = new_observer;
    observer_context = context;
}

void kadrimos_audio_fail_device(int fail) { device_fails = fail != 0; }

int kadrimos_audio_live_buffers(void) { return live_buffers; }

}  // extern "C"
