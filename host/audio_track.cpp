#include "audio_track.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace kadrimos::host_sim {
namespace {

constexpr int kTicksPerSecond = 18;

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

std::vector<uint8_t> AudioTrack::wav(int64_t end_tick) const {
    const std::size_t length =
        static_cast<std::size_t>(end_tick < 0 ? 0 : end_tick) * kRate / kTicksPerSecond;
    std::vector<float> mix(length, 0.0f);
    for (const Clip& clip : clips_) {
        if (clip.samples.empty()) continue;
        const double step = static_cast<double>(clip.rate) / kRate;  // clip samples per output sample
        const double clip_length = static_cast<double>(clip.samples.size());
        bool playing = false, looped = false, released = false;
        double position = 0.0;
        double gain = 1.0;
        std::size_t next = 0;
        for (std::size_t out = 0; out < length && !released; ++out) {
            // Requests take effect at the first output sample of their tick.
            while (next < clip.requests.size() &&
                   static_cast<std::size_t>(clip.requests[next].tick) * kRate / kTicksPerSecond <= out) {
                const Request& r = clip.requests[next++];
                switch (r.kind) {
                    case Request::Play:
                    case Request::PlayLooped:
                        playing = true;
                        looped = r.kind == Request::PlayLooped;
                        break;
                    case Request::Stop:
                        playing = false;
                        break;
                    case Request::Volume:
                        gain = gain_of(r.value);
                        break;
                    case Request::Release:
                        released = true;
                        break;
                }
            }
            if (!playing || released) continue;
            auto index = static_cast<std::size_t>(position);
            double frac = position - static_cast<double>(index);
            float a = clip.samples[index];
            float b =
                index + 1 < clip.samples.size() ? clip.samples[index + 1] : (looped ? clip.samples[0] : 0.0f);
            mix[out] += static_cast<float>(gain * (a + (b - a) * frac));
            position += step;
            if (position >= clip_length) {
                if (looped) {
                    position -= clip_length;
                } else {
                    playing = false;  // played once: stops and rewinds
                    position = 0.0;
                }
            }
        }
    }

    const auto data_size = static_cast<uint32_t>(length * 2);
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
    for (float v : mix) {
        float clipped = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767.0f))));
    }
    return out;
}

bool AudioTrack::write_wav(const std::string& path, int64_t end_tick, std::string& error) const {
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
