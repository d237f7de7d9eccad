#include "audio_track.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

namespace kadrimos::host_sim {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}
void put_text(std::vector<uint8_t>& out, const char* text) {
    for (; *text != '\0'; ++text) out.push_back(static_cast<uint8_t>(*text));
}

double gain_of(int32_t hundredths_db) { return std::pow(10.0, hundredths_db / 2000.0); }

// The card's output cannot go beyond full scale: a mix that would is
// limited there, in the file and in what is heard alike.
float limited(float v) { return v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v); }

// The first output sample of an update.
int64_t first_sample(int64_t tick) { return tick * AudioTrack::kSamplesPerUpdate; }

}  // namespace

void AudioTrack::create(const void* buffer, const std::string& name, uint32_t rate, uint16_t channels,
                        uint16_t bits, const uint8_t* samples, uint32_t size) {
    Clip clip;
    clip.name = name;
    clip.rate = rate;
    uint32_t frame = static_cast<uint32_t>(channels) * (bits / 8u);
    if (rate == 0 || frame == 0 || (bits != 8 && bits != 16)) return;
    for (uint32_t at = 0; at + frame <= size; at += frame) {
        float sum = 0;
        for (uint16_t c = 0; c < channels; ++c) {
            const uint8_t* s = samples + at + c * (bits / 8u);
            sum += bits == 8 ? (static_cast<float>(s[0]) - 128.0f) / 128.0f
                             : static_cast<float>(static_cast<int16_t>(s[0] | (s[1] << 8))) / 32768.0f;
        }
        clip.samples.push_back(sum / channels);
    }
    live_[buffer] = clips_.size();
    clips_.push_back(std::move(clip));
}

void AudioTrack::play(const void* buffer, int64_t tick, bool loop) {
    auto found = live_.find(buffer);
    if (found != live_.end())
        clips_[found->second].requests.push_back({loop ? Request::PlayLooped : Request::Play, tick, 0});
}

void AudioTrack::stop(const void* buffer, int64_t tick) {
    auto found = live_.find(buffer);
    if (found != live_.end()) clips_[found->second].requests.push_back({Request::Stop, tick, 0});
}

void AudioTrack::volume(const void* buffer, int64_t tick, int32_t hundredths_db) {
    auto found = live_.find(buffer);
    if (found != live_.end())
        clips_[found->second].requests.push_back({Request::Volume, tick, hundredths_db});
}

void AudioTrack::release(const void* buffer, int64_t tick) {
    auto found = live_.find(buffer);
    if (found == live_.end()) return;
    clips_[found->second].requests.push_back({Request::Release, tick, 0});
    live_.erase(found);
}

void AudioTrack::advance(const Clip& clip, Voice& v, int64_t from, int64_t count, float* out) const {
    const int64_t end = from + count;
    const uint64_t length = clip.samples.size() * uint64_t{kRate};  // in position units
    int64_t at = from;
    while (at < end && !v.released) {
        // Requests take effect at the first output sample of their tick.
        while (v.next < clip.requests.size() && first_sample(clip.requests[v.next].tick) <= at) {
            const Request& r = clip.requests[v.next++];
            switch (r.kind) {
                case Request::Play:
                case Request::PlayLooped:
                    v.playing = true;
                    v.looped = r.kind == Request::PlayLooped;
                    break;
                case Request::Stop:
                    v.playing = false;
                    break;
                case Request::Volume:
                    v.gain = gain_of(r.value);
                    break;
                case Request::Release:
                    v.released = true;
                    break;
            }
        }
        if (v.released) break;
        const int64_t until =
            v.next < clip.requests.size() ? std::min(end, first_sample(clip.requests[v.next].tick)) : end;
        if (v.playing && length > 0) {
            if (out == nullptr) {
                // Followed without mixing: the whole stretch in one step.
                const uint64_t travel = static_cast<uint64_t>(until - at) * clip.rate;
                if (v.looped) {
                    v.position = (v.position + travel % length) % length;
                } else if (travel >= length - v.position) {
                    v.playing = false;  // played once: stopped and rewound
                    v.position = 0;
                } else {
                    v.position += travel;
                }
            } else {
                for (int64_t s = at; s < until && v.playing; ++s) {
                    const auto index = static_cast<std::size_t>(v.position / kRate);
                    const double frac = static_cast<double>(v.position % kRate) / kRate;
                    const float a = clip.samples[index];
                    const float b = index + 1 < clip.samples.size() ? clip.samples[index + 1]
                                                                    : (v.looped ? clip.samples[0] : 0.0f);
                    out[s - from] += static_cast<float>(v.gain * (a + (b - a) * frac));
                    v.position += clip.rate;
                    if (v.position >= length) {
                        if (v.looped) {
                            v.position %= length;
                        } else {
                            v.playing = false;  // played once: stops and rewinds
                            v.position = 0;
                        }
                    }
                }
            }
        }
        at = until;
    }
}

void AudioTrack::seek(Cursor& cursor, int64_t sample) const {
    // The cursor is good only while no request it has not applied lies
    // behind it: the host's requests come in time order and the track is
    // listened to no further than the current update, so this holds but
    // for a listener going back.
    bool behind = sample < cursor.sample;
    for (std::size_t i = 0; i < clips_.size() && !behind; ++i) {
        const std::size_t next = i < cursor.voices.size() ? cursor.voices[i].next : 0;
        behind =
            next < clips_[i].requests.size() && first_sample(clips_[i].requests[next].tick) < cursor.sample;
    }
    if (behind) cursor = Cursor{};
    cursor.voices.resize(clips_.size());
    // Counted in 64 bits: a month of flight is more samples than a 32-bit
    // host's size holds.
    const int64_t count = sample - cursor.sample;
    for (std::size_t i = 0; i < clips_.size(); ++i)
        advance(clips_[i], cursor.voices[i], cursor.sample, count, nullptr);
    cursor.sample = sample;
}

void AudioTrack::render(Cursor& cursor, float* out, std::size_t count) const {
    std::fill(out, out + count, 0.0f);
    cursor.voices.resize(clips_.size());
    for (std::size_t i = 0; i < clips_.size(); ++i)
        advance(clips_[i], cursor.voices[i], cursor.sample, static_cast<int64_t>(count), out);
    cursor.sample += static_cast<int64_t>(count);
}

void AudioTrack::listen(int64_t from_tick, int64_t to_tick,
                        const std::function<void(int64_t tick, double dbfs)>& heard) const {
    from_tick = std::max<int64_t>(from_tick, 0);
    if (to_tick <= from_tick) return;
    seek(listening_, first_sample(from_tick));
    std::vector<float> window(kSamplesPerUpdate);
    for (int64_t tick = from_tick; tick < to_tick; ++tick) {
        render(listening_, window.data(), window.size());
        double sum = 0.0;
        for (float v : window) {
            const double s = limited(v);
            sum += s * s;
        }
        const double mean_square = sum / static_cast<double>(window.size());
        heard(tick,
              mean_square > 0.0 ? 10.0 * std::log10(mean_square) : -std::numeric_limits<double>::infinity());
    }
}

std::vector<uint8_t> AudioTrack::wav(int64_t end_tick) const {
    const int64_t updates = std::clamp<int64_t>(end_tick, 0, kLongestWavUpdates);
    const auto data_size = static_cast<uint32_t>(updates * kSamplesPerUpdate * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + data_size);
    put_text(out, "RIFF");
    put32(out, 36 + data_size);
    put_text(out, "WAVEfmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    put_text(out, "data");
    put32(out, data_size);

    // Mixed an update at a time from the start, apart from the listener's
    // cursor.
    Cursor cursor;
    seek(cursor, 0);
    std::vector<float> window(kSamplesPerUpdate);
    for (int64_t tick = 0; tick < updates; ++tick) {
        render(cursor, window.data(), window.size());
        for (float v : window)
            put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(limited(v) * 32767.0f))));
    }
    return out;
}

bool AudioTrack::write_wav(const std::string& path, int64_t end_tick, std::string& error) const {
    if (end_tick > kLongestWavUpdates) {
        // Its sizes would wrap round: a file that lies about its length.
        error = "the flight's " + std::to_string(end_tick) + " updates are more than a WAV file holds (" +
                std::to_string(kLongestWavUpdates) + ")";
        return false;
    }
    const std::vector<uint8_t> bytes = wav(end_tick);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = "cannot write the audio track " + path;
        return false;
    }
    return true;
}

}  // namespace kadrimos::host_sim
