// What the crew hears, on the simulated timeline: the sound card requests
// of the module (create, play once or looped, stop, volume, release), mixed
// into one mono track the way the card would play them, and written as a
// WAV file.
//
// The card's rules followed here: each sound is one buffer with one play
// position; play starts a stopped buffer from where it stands (the start,
// unless it was stopped midway) and leaves a playing one playing, with the
// new loop flag; a sound played once stops at its end and rewinds; stop
// holds the position; the volume (hundredths of a decibel, 0 full, -10000
// silent) applies from the moment it is set.
//
// The track is cut into one window per update: update k is heard from
// sample k x 1225 (its moment on the timeline, k / 18 s) to the next
// update's. A request made during update k takes effect at that update's
// first sample, so the track up to the current update is final: nothing
// the module asks later can change it. The mix is computed on demand, only
// over the stretch asked for; a listening cursor remembers where each
// sound stood, so that a long flight listened to mark after mark is mixed
// once, not again from the start at every question.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

class AudioTrack {
public:
    static constexpr uint32_t kRate = 22050;
    static constexpr uint32_t kSamplesPerUpdate = kRate / 18;
    static_assert(kSamplesPerUpdate * 18 == kRate, "an update is a whole number of samples");
    // The longest track a WAV file can hold, its sizes being 32 bits: some
    // 27 hours of flight.
    static constexpr int64_t kLongestWavUpdates = (int64_t{0xFFFFFFFF} - 36) / (kSamplesPerUpdate * 2);
    static_assert(kLongestWavUpdates * kSamplesPerUpdate * 2 + 36 <= int64_t{0xFFFFFFFF});

    // A new buffer: its samples as mono floats at their own rate.
    void create(const void* buffer, const std::string& name, uint32_t rate, uint16_t channels, uint16_t bits,
                const uint8_t* samples, uint32_t size);
    void play(const void* buffer, int64_t tick, bool loop);
    void stop(const void* buffer, int64_t tick);
    void volume(const void* buffer, int64_t tick, int32_t hundredths_db);
    void release(const void* buffer, int64_t tick);

    // The level of each update's window from `from_tick` up to (not
    // including) `to_tick`, in order: the RMS of the mix as it is written
    // (limited to full scale), in decibels relative to full scale, minus
    // infinity for digital silence.
    void listen(int64_t from_tick, int64_t to_tick,
                const std::function<void(int64_t tick, double dbfs)>& heard) const;

    // Mixes everything up to `end_tick` (at most kLongestWavUpdates) into a
    // 16-bit mono WAV file's bytes.
    std::vector<uint8_t> wav(int64_t end_tick) const;
    // The same, written to `path`. Returns false (with `error`) if the file
    // cannot be written, or the flight is too long for one.
    bool write_wav(const std::string& path, int64_t end_tick, std::string& error) const;

private:
    struct Request {
        enum Kind { Play, PlayLooped, Stop, Volume, Release } kind;
        int64_t tick;
        int32_t value;
    };
    struct Clip {
        std::string name;
        uint32_t rate = 0;
        std::vector<float> samples;
        std::vector<Request> requests;
    };
    // Where one clip stands at the cursor's sample. The play position is
    // counted in 1/kRate of a clip sample, so that it advances by the
    // clip's rate at every output sample exactly, and a stretch can be
    // skipped in one step with the same result as sample by sample.
    struct Voice {
        std::size_t next = 0;  // the clip's first request not yet applied
        bool playing = false;
        bool looped = false;
        bool released = false;
        uint64_t position = 0;
        double gain = 1.0;
    };
    struct Cursor {
        int64_t sample = 0;  // the next output sample
        std::vector<Voice> voices;
    };

    // Moves the cursor to `sample` without mixing: from where it stands if
    // that is not later, else from the start.
    void seek(Cursor& cursor, int64_t sample) const;
    // Mixes the next `count` samples from the cursor into `out` (cleared
    // first) and moves the cursor past them.
    void render(Cursor& cursor, float* out, std::size_t count) const;
    // One clip from the cursor's sample over `count` samples: mixed into
    // `out`, or only followed when `out` is null.
    void advance(const Clip& clip, Voice& voice, int64_t from, int64_t count, float* out) const;

    std::vector<Clip> clips_;
    std::map<const void*, std::size_t> live_;  // buffer -> its clip
    mutable Cursor listening_;                 // where the last listen stopped
};

}  // namespace kadrimos::host_sim
