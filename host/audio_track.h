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
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

class AudioTrack {
public:
    static constexpr uint32_t kRate = 22050;

    // A new buffer: its samples as mono floats at their own rate.
    void create(const void* buffer, const std::string& name, uint32_t rate, uint16_t channels, uint16_t bits,
                const uint8_t* samples, uint32_t size);
    void play(const void* buffer, int64_t tick, bool loop);
    void stop(const void* buffer, int64_t tick);
    void volume(const void* buffer, int64_t tick, int32_t hundredths_db);
    void release(const void* buffer, int64_t tick);

    // Mixes everything up to `end_tick` into a 16-bit mono WAV file's bytes.
    std::vector<uint8_t> wav(int64_t end_tick) const;
    // The same, written to `path`.
    // Returns false (with `error`) if the file cannot be written.
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
    std::vector<Clip> clips_;
    std::map<const void*, std::size_t> live_;  // buffer -> its clip
};

}  // namespace kadrimos::host_sim
