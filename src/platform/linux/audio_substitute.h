/*
 * audio_substitute.h - the Linux stand-in for the sound card.
 *
 * On Windows the module plays its sounds through DirectSound. On Linux its
 * sound calls land here instead: a small shared library that keeps each
 * sound's samples and tells an observer (the simulated host, a test) about
 * every buffer created, played, stopped, changed in volume and released, so
 * that a host can write them into its timeline and mix the crew's audio.
 *
 * The module and the observer share the one copy of this library loaded in
 * the process.
 */
#ifndef KADRIMOS_AUDIO_SUBSTITUTE_H
#define KADRIMOS_AUDIO_SUBSTITUTE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KADRIMOS_AUDIO_API __attribute__((visibility("default")))

typedef struct KadrimosAudioBuffer KadrimosAudioBuffer;

typedef struct KadrimosAudioFormat {
    uint16_t channels;
    uint32_t samples_per_second;
    uint16_t bits_per_sample;
    uint16_t block_align;
} KadrimosAudioFormat;

/* The device. Opening fails (returns 0) while the device is made to fail. */
KADRIMOS_AUDIO_API int kadrimos_audio_open(void);
KADRIMOS_AUDIO_API void kadrimos_audio_close(void);
KADRIMOS_AUDIO_API int kadrimos_audio_is_open(void);

/* A static buffer holding a copy of the samples; null without an open
 * device or for an empty sound. */
KADRIMOS_AUDIO_API KadrimosAudioBuffer* kadrimos_audio_create(const char* name, const KadrimosAudioFormat* format,
                                                              const uint8_t* samples, uint32_t size);
KADRIMOS_AUDIO_API void kadrimos_audio_play(KadrimosAudioBuffer* buffer, int loop);
KADRIMOS_AUDIO_API void kadrimos_audio_stop(KadrimosAudioBuffer* buffer);
KADRIMOS_AUDIO_API void kadrimos_audio_set_volume(KadrimosAudioBuffer* buffer, int32_t hundredths_db);
KADRIMOS_AUDIO_API void kadrimos_audio_release(KadrimosAudioBuffer* buffer);

/* Looking at a buffer (for mixing). */
KADRIMOS_AUDIO_API const char* kadrimos_audio_name(const KadrimosAudioBuffer* buffer);
KADRIMOS_AUDIO_API const KadrimosAudioFormat* kadrimos_audio_format(const KadrimosAudioBuffer* buffer);
KADRIMOS_AUDIO_API const uint8_t* kadrimos_audio_samples(const KadrimosAudioBuffer* buffer, uint32_t* size);

/* What happened, as the observer is told. */
typedef enum KadrimosAudioEventKind {
    KADRIMOS_AUDIO_OPEN = 1,
    KADRIMOS_AUDIO_CLOSE,
    KADRIMOS_AUDIO_CREATE,
    KADRIMOS_AUDIO_PLAY,      /* value: 1 looped, 0 once */
    KADRIMOS_AUDIO_STOP,
    KADRIMOS_AUDIO_VOLUME,    /* value: hundredths of a decibel */
    KADRIMOS_AUDIO_RELEASE
} KadrimosAudioEventKind;

typedef struct KadrimosAudioEvent {
    KadrimosAudioEventKind kind;
    const KadrimosAudioBuffer* buffer; /* null for OPEN and CLOSE */
    int32_t value;
} KadrimosAudioEvent;

typedef void (*KadrimosAudioObserver)(const KadrimosAudioEvent* event, void* context);

/* One observer at a time; null stops observing. */
KADRIMOS_AUDIO_API void kadrimos_audio_observe(KadrimosAudioObserver observer, void* context);
/* Makes opening the device fail (a machine without a sound card). */
KADRIMOS_AUDIO_API void kadrimos_audio_fail_device(int fail);
/* Buffers not yet released. */
KADRIMOS_AUDIO_API int kadrimos_audio_live_buffers(void);

#ifdef __cplusplus
}
#endif

#endif
