// The crew's audio track as the host mixes it and a scenario hears it: the
// sound card's rules update by update, the listening cursor's shortcuts
// against a plain mix from the start, and the loud and silent thresholds.
#include "audio_track.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "hearing.h"
#include "marker_tones.h"

namespace kadrimos::host_sim {
namespace {

constexpr uint32_t kUpdate = AudioTrack::kSamplesPerUpdate;
constexpr double kSilence = -std::numeric_limits<double>::infinity();

// 16-bit mono samples: `updates` windows' worth of a constant level per
// window (a level of 0.5 is -6.02 dBFS, 0.25 -12.04).
std::vector<uint8_t> steps(const std::vector<double>& levels, uint32_t per_window = kUpdate) {
    std::vector<uint8_t> bytes;
    for (double level : levels)
        for (uint32_t i = 0; i < per_window; ++i) {
            const auto v = static_cast<uint16_t>(static_cast<int16_t>(level * 32768.0));
            bytes.push_back(static_cast<uint8_t>(v & 0xFF));
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        }
    return bytes;
}

std::vector<double> levels(const AudioTrack& track, int64_t from, int64_t to) {
    std::vector<double> out;
    track.listen(from, to, [&](int64_t tick, double dbfs) {
        EXPECT_EQ(tick, from + static_cast<int64_t>(out.size()));
        out.push_back(dbfs);
    });
    return out;
}

double db(double amplitude) { return 20.0 * std::log10(amplitude); }

// Buffers are known to the track by their addresses only.
const int kBufferA = 0, kBufferB = 0;
const void* const buffer_a = &kBufferA;
const void* const buffer_b = &kBufferB;

// A level in dBFS as an RMS amplitude (digital silence: 0).
double amplitude(double dbfs) { return std::pow(10.0, dbfs / 20.0); }

struct CardCase {
    const char* what;
    void (*requests)(AudioTrack&);
    std::vector<double> expected;  // dBFS per update from 0
};

TEST(AudioTrack, EachUpdateIsHeardAsTheSoundCardWouldPlayIt) {
    // Clip a: one update at 0.5 then one at 0.25, at the track's rate.
    const std::vector<uint8_t> halves = steps({0.5, 0.25});
    const std::vector<uint8_t> full = steps({0.75});
    const CardCase cases[] = {
        {"played once: to its end, then silence",
         [](AudioTrack& t) { t.play(buffer_a, 1, false); },
         {kSilence, db(0.5), db(0.25), kSilence, kSilence}},
        {"stop holds the position, play goes on from it, and the end rewinds",
         [](AudioTrack& t) {
             t.play(buffer_a, 0, false);
             t.stop(buffer_a, 1);
             t.play(buffer_a, 3, false);
             t.play(buffer_a, 5, false);
         },
         {db(0.5), kSilence, kSilence, db(0.25), kSilence, db(0.5)}},
        {"play on a playing buffer leaves it playing, and a loop goes round",
         [](AudioTrack& t) {
             t.play(buffer_a, 0, true);
             t.play(buffer_a, 1, true);
             t.stop(buffer_a, 5);
         },
         {db(0.5), db(0.25), db(0.5), db(0.25), db(0.5), kSilence}},
        {"the volume applies from its update on (-20 dB: a tenth)",
         [](AudioTrack& t) {
             t.play(buffer_a, 0, true);
             t.volume(buffer_a, 2, -2000);
         },
         {db(0.5), db(0.25), db(0.05), db(0.025)}},
        {"a released buffer is silent, and requests for it are not heard",
         [](AudioTrack& t) {
             t.play(buffer_a, 0, true);
             t.release(buffer_a, 1);
             t.play(buffer_a, 2, true);
         },
         {db(0.5), kSilence, kSilence}},
        {"two sounds add, and the mix stops at full scale",
         [](AudioTrack& t) {
             t.play(buffer_a, 0, false);
             t.play(buffer_b, 0, true);
         },
         {0.0, 0.0, db(0.75)}},
    };
    for (const CardCase& c : cases) {
        AudioTrack track;
        track.create(buffer_a, "A", AudioTrack::kRate, 1, 16, halves.data(),
                     static_cast<uint32_t>(halves.size()));
        track.create(buffer_b, "B", AudioTrack::kRate, 1, 16, full.data(),
                     static_cast<uint32_t>(full.size()));
        c.requests(track);
        const std::vector<double> heard = levels(track, 0, static_cast<int64_t>(c.expected.size()));
        ASSERT_EQ(heard.size(), c.expected.size()) << c.what;
        for (std::size_t k = 0; k < heard.size(); ++k) {
            if (std::isinf(c.expected[k]))
                EXPECT_TRUE(std::isinf(heard[k]) && heard[k] < 0)
                    << c.what << ", update " << k << ": " << heard[k];
            else
                EXPECT_NEAR(heard[k], c.expected[k], 0.01) << c.what << ", update " << k;
        }
    }
}

// A track with everything the card does, at two rates, over two minutes.
AudioTrack busy_track(std::vector<uint8_t>& keep_a, std::vector<uint8_t>& keep_b) {
    AudioTrack track;
    keep_a = steps({0.5, 0.1, 0.3}, 700);   // 2100 samples: not a whole number of updates
    keep_b = steps({0.2, -0.4, 0.6}, 333);  // at 11025 Hz: stretched twice and interpolated
    track.create(buffer_a, "A", AudioTrack::kRate, 1, 16, keep_a.data(),
                 static_cast<uint32_t>(keep_a.size()));
    track.create(buffer_b, "B", 11025, 1, 16, keep_b.data(), static_cast<uint32_t>(keep_b.size()));
    for (int64_t t = 0; t < 2000; t += 37) {
        track.play(buffer_a, t, t % 3 == 0);
        track.play(buffer_b, t + 5, true);
        track.volume(buffer_b, t + 9, static_cast<int32_t>(-100 * (t % 30)));
        track.stop(buffer_a, t + 20);
        if (t % 5 == 0) track.stop(buffer_b, t + 30);
    }
    return track;
}

TEST(AudioTrack, ListeningInPiecesHearsWhatTheWrittenFileHolds) {
    std::vector<uint8_t> keep_a, keep_b;
    const AudioTrack track = busy_track(keep_a, keep_b);
    const int64_t end = 2100;
    const std::vector<uint8_t> wav = track.wav(end);
    ASSERT_EQ(wav.size(), 44u + static_cast<std::size_t>(end) * kUpdate * 2);

    // The levels of the written samples, update by update.
    std::vector<double> written;
    for (int64_t k = 0; k < end; ++k) {
        double sum = 0;
        for (uint32_t i = 0; i < kUpdate; ++i) {
            int16_t v;
            std::memcpy(&v, wav.data() + 44 + (static_cast<std::size_t>(k) * kUpdate + i) * 2, 2);
            sum += (v / 32767.0) * (v / 32767.0);
        }
        written.push_back(sum > 0 ? 10 * std::log10(sum / kUpdate) : kSilence);
    }
    // Forward from mark to mark (the cursor skips the stretches between),
    // then back to the start, then one piece beyond what was listened to.
    const int64_t pieces[][2] = {{0, 40},      {40, 41}, {300, 333}, {1000, 1500},
                                 {1999, 2100}, {3, 90},  {100, 2100}};
    for (const auto& p : pieces) {
        const std::vector<double> heard = levels(track, p[0], p[1]);
        ASSERT_EQ(heard.size(), static_cast<std::size_t>(p[1] - p[0]));
        for (int64_t k = p[0]; k < p[1]; ++k) {
            // The file rounds each sample to half a step of 16 bits at most,
            // and so moves the RMS no further.
            const double w = amplitude(written[static_cast<std::size_t>(k)]);
            const double h = amplitude(heard[static_cast<std::size_t>(k - p[0])]);
            EXPECT_NEAR(h, w, 0.5 / 32767 + 1e-9) << "update " << k << " of the piece from " << p[0];
        }
    }
    EXPECT_GT(std::count_if(written.begin(), written.end(), [](double d) { return d > -30; }), 500)
        << "a track that is mostly sound";
}

TEST(AudioTrack, AFlightTooLongForAWavFileIsRefusedNotWrittenWithWrappedSizes) {
    AudioTrack track;
    std::string error;
    EXPECT_FALSE(
        track.write_wav(::testing::TempDir() + "too_long.wav", AudioTrack::kLongestWavUpdates + 1, error));
    EXPECT_NE(error.find("more than a WAV file holds"), std::string::npos) << error;
}

// A wave sound of the cockpit as the module hands it to the card: its
// format and samples ("fmt " and "data" chunks).
struct WaveSound {
    uint32_t rate = 0;
    uint16_t channels = 0, bits = 0;
    std::vector<uint8_t> samples;
};

WaveSound read_sound(const std::string& name) {
    std::ifstream in(std::string(KADRIMOS_SOURCE_DIR) + "/src/resources/sounds/" + name + ".wav",
                     std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u32 = [&](std::size_t at) {
        return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                                     static_cast<uint32_t>(b[at + 3]) << 24);
    };
    WaveSound w;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = u32(at + 4);
        if (size > b.size() - at - 8) break;
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
            w.channels = static_cast<uint16_t>(b[at + 10] | b[at + 11] << 8);
            w.rate = u32(at + 12);
            w.bits = static_cast<uint16_t>(b[at + 22] | b[at + 23] << 8);
        } else if (std::memcmp(&b[at], "data", 4) == 0) {
            w.samples.assign(b.begin() + static_cast<std::ptrdiff_t>(at + 8),
                             b.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

// A warning that holds asks for its callout at every update, and the card
// plays it again only once it has ended: the callout is heard back to back.
// Each repetition must be heard as a sound of its own, and the pauses
// between the words of one must not split it, at the load volume and ten
// master volume steps down. (Ten steps up, the faint end of "too low,
// terrain" is no longer silent, and its repetitions run together: its
// pause before the next is then shorter than the one between its words.)
TEST(AudioTrack, ACalloutRepeatedBackToBackIsHeardOnceEachTime) {
    struct Row {
        const char* name;
        int32_t volume;  // at load, hundredths of a decibel
    };
    const Row rows[] = {
        {"DONTSNK", -1000},    {"GLIDESLOPE", -1000},    {"WPULLUP", -1000},
        {"SNKRATE", -1000},    {"TERRAIN", -1000},       {"TOOLOWFLAPS", -1000},
        {"TOOLOWGEAR", -1000}, {"TOOLOWTERRAIN", -1000}, {"CLICLICLIC", -1800},
    };
    for (const Row& row : rows) {
        const WaveSound w = read_sound(row.name);
        ASSERT_GT(w.rate, 0u) << row.name;
        ASSERT_FALSE(w.samples.empty()) << row.name;
        // The update at whose start the first play has ended.
        const uint64_t frames = w.samples.size() / (w.channels * (w.bits / 8u));
        const auto ended =
            static_cast<int64_t>((frames * AudioTrack::kRate / w.rate + kUpdate - 1) / kUpdate);
        for (int32_t step : {-1000, 0}) {
            AudioTrack track;
            track.create(buffer_a, row.name, w.rate, w.channels, w.bits, w.samples.data(),
                         static_cast<uint32_t>(w.samples.size()));
            track.volume(buffer_a, 0, row.volume + step);
            for (int64_t t = 0; t <= ended; ++t)
                track.play(buffer_a, t, false);  // twice: at 0 and at `ended`
            Listener heard;
            track.listen(0, 2 * ended + 18, [&](int64_t tick, double dbfs) { heard.hear(tick, dbfs); });
            heard.finish();
            ASSERT_EQ(heard.bursts().size(), 2u) << row.name << " at " << row.volume + step;
            EXPECT_EQ(heard.bursts()[0].first, 0) << row.name;
            EXPECT_EQ(heard.bursts()[1].first, ended) << row.name;
        }
    }
}

// --- Hearing -------------------------------------------------------------------

struct HearingCase {
    const char* what;
    std::vector<double> levels;  // dBFS per update from tick 0
    bool loud;
    bool silent;
    std::vector<std::pair<int64_t, int64_t>> bursts;  // first and last updates
};

TEST(Listener, LoudSilentAndTheSoundsHeardAtTheThresholds) {
    const double loud = kLoudDbfs, faint = kLoudDbfs - 1e-9, sounding = kSilentDbfs,
                 quiet = kSilentDbfs - 1e-9;
    const double none = kSilence;
    const HearingCase cases[] = {
        {"nothing at all", {none, none, none}, false, true, {}},
        {"just below the silent line", {quiet, quiet}, false, true, {}},
        {"at the silent line: heard, not loud", {none, sounding, none}, false, false, {}},
        {"just below the loud line", {faint}, false, false, {}},
        {"at the loud line", {none, loud, none}, true, false, {{1, 1}}},
        {"a pause of three updates joins", {-20, none, none, none, -20}, true, false, {{0, 4}}},
        {"a pause of four updates parts", {-20, none, none, none, none, -20}, true, false, {{0, 0}, {5, 5}}},
        {"a faint tail belongs to its sound", {-20, -60, -60, none, -60}, true, false, {{0, 4}}},
        {"a faint stretch alone is no sound", {-20, none, none, none, none, -60, -60}, true, false, {{0, 0}}},
        {"a sound cut by the end of the stretch counts",
         {none, none, none, none, none, -30},
         true,
         false,
         {{5, 5}}},
    };
    for (const HearingCase& c : cases) {
        Listener heard;
        for (std::size_t k = 0; k < c.levels.size(); ++k) heard.hear(static_cast<int64_t>(k), c.levels[k]);
        heard.finish();
        EXPECT_EQ(heard.loud(), c.loud) << c.what;
        EXPECT_EQ(heard.silent(), c.silent) << c.what;
        ASSERT_EQ(heard.bursts().size(), c.bursts.size()) << c.what;
        for (std::size_t i = 0; i < c.bursts.size(); ++i) {
            EXPECT_EQ(heard.bursts()[i].first, c.bursts[i].first) << c.what;
            EXPECT_EQ(heard.bursts()[i].last, c.bursts[i].second) << c.what;
        }
    }
}

// The marker receiver's tones: each beacon's keying in one cycle, looped
// while the aircraft is over the beacon with the marker channel on, and
// nothing for a reading that names no beacon.
TEST(MarkerTones, EachBeaconKeysItsToneWhileOverItWithTheChannelOn) {
    struct Keys {
        int beacon;
        std::size_t tones;        // separate bursts of tone in a cycle
        double cycle_seconds;
    };
    for (const Keys& k : {Keys{1, 2, 1.0}, Keys{2, 2, 0.75}, Keys{3, 2, 0.333}}) {
        const std::vector<int16_t> c = MarkerTones::cycle(k.beacon);
        EXPECT_NEAR(static_cast<double>(c.size()) / AudioTrack::kRate, k.cycle_seconds, 0.001) << k.beacon;
        // A burst starts where a sample sounds after more than a period of
        // the slowest tone's silence (or at the start).
        std::size_t bursts = 0;
        std::size_t silent = 8;
        for (int16_t v : c) {
            if (v != 0 && silent >= 8) ++bursts;
            silent = v == 0 ? silent + 1 : 0;
        }
        EXPECT_EQ(bursts, k.tones) << k.beacon;
    }
    EXPECT_TRUE(MarkerTones::cycle(0).empty());

    AudioTrack track;
    MarkerTones tones(track);
    struct Step {
        int64_t tick;
        double beacon;
        bool channel;
        int playing;
    };
    const Step steps[] = {
        {0, 0, true, 0},     {18, 1, true, 1},   {36, 1, false, 0}, {54, 2, true, 2},
        {72, 3, true, 3},    {90, 2.5, true, 0}, {108, std::nan(""), true, 0},
    };
    for (const Step& st : steps) {
        tones.update(st.tick, st.beacon, st.channel);
        EXPECT_EQ(tones.playing(), st.playing) << st.tick;
    }
    // Heard: the outer marker's second, the middle's and the inner's; not
    // the first second, nor the channel off, nor after the last.
    std::vector<double> loudest(8, kSilence);
    track.listen(0, 126, [&](int64_t tick, double dbfs) {
        double& l = loudest[static_cast<std::size_t>(tick / 18)];
        l = std::max(l, dbfs);
    });
    const bool heard[] = {false, true, false, true, true, false, false};
    for (std::size_t second = 0; second < std::size(heard); ++second)
        EXPECT_EQ(loudest[second] > -55, heard[second]) << second;
}

}  // namespace
}  // namespace kadrimos::host_sim
