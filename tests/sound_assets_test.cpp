// The cockpit's wave sounds as shipped in src/resources/sounds/: one plain
// PCM WAV per sound of the bank, in the format and length the bank expects,
// audible, and ready to loop where the sound is played in a loop.
//
// The files are made by scripts/generate_sounds.sh; this test reads them from
// KADRIMOS_SOUNDS_DIR and needs nothing else of the project.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#ifndef KADRIMOS_SOUNDS_DIR
#error "KADRIMOS_SOUNDS_DIR must name the folder of the wave sounds"
#endif

namespace kadrimos {
namespace {

struct Row {
    const char* name;
    uint32_t rate;     // samples per second
    uint16_t bits;     // 8 (unsigned) or 16 (signed)
    double seconds;    // length
    bool loops;        // played in a loop: must join without a click
};

// The sound bank's load order.
const Row kSounds[] = {
    {"CLICK", 22050, 16, 0.09, false},
    {"HI", 22050, 16, 0.91, false},
    {"LO", 22050, 16, 0.87, false},
    {"INNER", 22050, 8, 1.00, true},
    {"MIDDLE", 22050, 8, 1.26, true},
    {"OUTER", 22050, 8, 1.00, true},
    {"DONTSNK", 11025, 8, 1.48, false},
    {"GLIDESLOPE", 11025, 8, 1.37, false},
    {"WPULLUP", 11025, 8, 1.57, false},
    {"SNKRATE", 11025, 8, 1.29, false},
    {"TERRAIN", 11025, 8, 1.71, false},
    {"TOOLOWFLAPS", 11025, 8, 1.62, false},
    {"TOOLOWGEAR", 11025, 8, 1.57, false},
    {"TOOLOWTERRAIN", 11025, 8, 1.50, false},
    {"CLICLICLIC", 11025, 8, 0.73, false},
    {"CLACKER", 22050, 16, 0.88, true},
    {"GONGMONO", 22050, 16, 1.00, false},
    {"GONGCONT", 22050, 16, 0.97, true},
    {"KLAXONCONT", 22050, 16, 1.00, true},
    {"KLAXONINT", 22050, 16, 2.05, true},
    {"RE", 11025, 8, 0.26, false},
    {"REREP", 11025, 8, 1.06, true},
    {"SONNERIE", 22050, 16, 1.12, true},
    {"WROOF", 22050, 16, 0.77, false},
    {"BRAKESSND", 22050, 8, 3.11, true},
};

constexpr double kLengthTolerance = 0.010;  // seconds
constexpr double kAudiblePeak = 0.25;       // of full scale
constexpr double kNearZero = 0.05;          // of full scale

std::filesystem::path path_of(const char* name) {
    return std::filesystem::path(KADRIMOS_SOUNDS_DIR) / (std::string(name) + ".wav");
}

uint32_t u32(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t u16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

std::string id(const std::vector<uint8_t>& b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

struct Chunk {
    std::string id;
    std::size_t offset;  // of the chunk's contents
    uint32_t size;
};

struct Wave {
    std::vector<uint8_t> bytes;
    std::vector<Chunk> chunks;  // in file order
    uint16_t format = 0, channels = 0, block_align = 0, bits = 0;
    uint32_t rate = 0, byte_rate = 0;
    std::vector<double> samples;  // -1 to 1
};

std::vector<uint8_t> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads `name`; fails the current test (and returns) on any malformed part.
void load(const char* name, Wave& wave) {
    const auto path = path_of(name);
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path << " is missing";
    wave.bytes = read_file(path);
    const auto& b = wave.bytes;
    ASSERT_GE(b.size(), 12u);
    ASSERT_EQ(id(b, 0), "RIFF");
    ASSERT_EQ(id(b, 8), "WAVE");
    ASSERT_EQ(u32(b, 4), b.size() - 8) << "the RIFF size is not the file's";

    for (std::size_t at = 12; at < b.size();) {
        ASSERT_LE(at + 8, b.size()) << "a chunk header is cut short";
        const Chunk chunk{id(b, at), at + 8, u32(b, at + 4)};
        ASSERT_LE(chunk.offset + chunk.size, b.size()) << "chunk '" << chunk.id << "' is cut short";
        wave.chunks.push_back(chunk);
        at = chunk.offset + chunk.size + (chunk.size & 1u);  // chunks are word aligned
    }

    const auto find = [&](const char* wanted) {
        return std::find_if(wave.chunks.begin(), wave.chunks.end(),
                            [&](const Chunk& c) { return c.id == wanted; });
    };
    const auto fmt = find("fmt ");
    const auto data = find("data");
    ASSERT_NE(fmt, wave.chunks.end()) << "no 'fmt ' chunk";
    ASSERT_NE(data, wave.chunks.end()) << "no 'data' chunk";
    ASSERT_EQ(fmt->size, 16u) << "the 'fmt ' chunk is not plain PCM's";
    wave.format = u16(b, fmt->offset);
    wave.channels = u16(b, fmt->offset + 2);
    wave.rate = u32(b, fmt->offset + 4);
    wave.byte_rate = u32(b, fmt->offset + 8);
    wave.block_align = u16(b, fmt->offset + 12);
    wave.bits = u16(b, fmt->offset + 14);
    ASSERT_TRUE(wave.bits == 8 || wave.bits == 16) << wave.bits << " bits";
    ASSERT_EQ(data->size % (wave.bits / 8u), 0u) << "the data ends inside a sample";

    if (wave.bits == 8) {
        for (uint32_t i = 0; i < data->size; ++i)
            wave.samples.push_back((b[data->offset + i] - 128) / 128.0);
    } else {
        for (uint32_t i = 0; i < data->size; i += 2)
            wave.samples.push_back(static_cast<int16_t>(u16(b, data->offset + i)) / 32768.0);
    }
}

double peak(const std::vector<double>& x) {
    double p = 0.0;
    for (double v : x) p = std::max(p, std::abs(v));
    return p;
}

void check_row(const Row& row) {
    Wave wave;
    ASSERT_NO_FATAL_FAILURE(load(row.name, wave));

    // Exactly the two chunks, "fmt " first: no LIST/INFO or other metadata.
    ASSERT_EQ(wave.chunks.size(), 2u);
    EXPECT_EQ(wave.chunks[0].id, "fmt ");
    EXPECT_EQ(wave.chunks[1].id, "data");

    EXPECT_EQ(wave.format, 1) << "not PCM";
    EXPECT_EQ(wave.channels, 1) << "not mono";
    EXPECT_EQ(wave.rate, row.rate);
    EXPECT_EQ(wave.bits, row.bits);
    EXPECT_EQ(wave.block_align, wave.channels * wave.bits / 8);
    EXPECT_EQ(wave.byte_rate, wave.rate * wave.block_align);

    const double seconds = static_cast<double>(wave.samples.size()) / row.rate;
    EXPECT_NEAR(seconds, row.seconds, kLengthTolerance);

    ASSERT_FALSE(wave.samples.empty());
    EXPECT_GT(peak(wave.samples), kAudiblePeak) << "too quiet to hear";
    EXPECT_LT(peak(wave.samples), 1.0) << "clipped at full scale";

    // Starts from silence, so that the first play does not click; a sound
    // played once dies away to silence, a loop joins its end to its start
    // with no larger step than the sound itself makes.
    const double first = wave.samples.front();
    const double last = wave.samples.back();
    EXPECT_LE(std::abs(first), kNearZero) << "starts with a step";
    EXPECT_LE(std::abs(last), kNearZero) << "ends with a step";
    if (row.loops) {
        double largest_step = 0.0;
        for (std::size_t i = 1; i < wave.samples.size(); ++i)
            largest_step = std::max(largest_step, std::abs(wave.samples[i] - wave.samples[i - 1]));
        EXPECT_LE(std::abs(first - last), std::max(largest_step, kNearZero)) << "clicks at the loop point";
    }
}

TEST(SoundAssets, EverySoundOfTheBankIsAPlainPcmWaveOfItsFormatAndLength) {
    for (const Row& row : kSounds) {
        SCOPED_TRACE(row.name);
        check_row(row);
    }
}

TEST(SoundAssets, TheCatalogueHasTwentyFiveDistinctSounds) {
    std::set<std::string> names;
    for (const Row& row : kSounds) names.insert(row.name);
    EXPECT_EQ(std::size(kSounds), 25u);
    EXPECT_EQ(names.size(), std::size(kSounds));
}

TEST(SoundAssets, TheFolderHoldsNoOtherWaveFile) {
    std::set<std::string> expected;
    for (const Row& row : kSounds) expected.insert(std::string(row.name) + ".wav");
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(KADRIMOS_SOUNDS_DIR)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".wav") found.insert(entry.path().filename().string());
    }
    EXPECT_EQ(found, expected);
}

// A voice callout is mostly speech: it is not one short blip in silence.
TEST(SoundAssets, VoiceCalloutsSpeakForMostOfTheirLength) {
    for (const char* name : {"DONTSNK", "GLIDESLOPE", "WPULLUP", "SNKRATE", "TERRAIN", "TOOLOWFLAPS",
                             "TOOLOWGEAR", "TOOLOWTERRAIN"}) {
        SCOPED_TRACE(name);
        Wave wave;
        ASSERT_NO_FATAL_FAILURE(load(name, wave));
        const std::size_t window = wave.rate / 100;  // 10 ms
        std::size_t loud = 0, windows = 0;
        for (std::size_t at = 0; at + window <= wave.samples.size(); at += window, ++windows) {
            double energy = 0.0;
            for (std::size_t i = at; i < at + window; ++i) energy += wave.samples[i] * wave.samples[i];
            if (std::sqrt(energy / static_cast<double>(window)) > 0.03) ++loud;
        }
        EXPECT_GT(static_cast<double>(loud) / static_cast<double>(windows), 0.30);
    }
}

}  // namespace
}  // namespace kadrimos
