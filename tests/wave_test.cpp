// Wave images: the format record and the samples are found in place, and a
// damaged or lying file fails with a defined error, never a read past its end.
// Every image is parsed from a heap buffer of exactly its size, so that
// AddressSanitizer reports any read beyond it.
#include "sound/wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace kadrimos::sound {
namespace {

using Bytes = std::vector<uint8_t>;

// A little-endian number of `bytes` bytes.
void put(Bytes& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

WaveFormat pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    const auto align = static_cast<uint16_t>(channels * bits / 8);
    return {1, channels, rate, rate * align, align, bits};
}

// The format record as a chunk body: the first `size` bytes of the 16-byte
// record, zeros after it (an 18-byte record ends with an empty extra size).
Bytes format_record(const WaveFormat& f, std::size_t size = 16) {
    Bytes b;
    put(b, f.format_tag, 2);
    put(b, f.channels, 2);
    put(b, f.samples_per_second, 4);
    put(b, f.average_bytes_per_second, 4);
    put(b, f.block_align, 2);
    put(b, f.bits_per_sample, 2);
    b.resize(size, 0);
    return b;
}

Bytes samples(std::size_t n) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), uint8_t{1});
    return b;
}

// A wave file built chunk by chunk; sizes are right unless a test says otherwise.
class Riff {
public:
    Riff& chunk(const char* id, const Bytes& body) {
        return declared(id, static_cast<uint32_t>(body.size()), body, body.size() % 2 != 0);
    }
    // A chunk whose size field says `size`, followed by `body` and no pad byte.
    Riff& declared(const char* id, uint32_t size, const Bytes& body, bool pad = false) {
        chunks_.insert(chunks_.end(), id, id + 4);
        put(chunks_, size, 4);
        chunks_.insert(chunks_.end(), body.begin(), body.end());
        if (pad) chunks_.push_back(0);
        return *this;
    }
    Riff& riff_size(uint32_t size) { riff_size_ = size; return *this; }
    Riff& form(const char* id) { form_ = id; return *this; }
    Bytes bytes() const {
        Bytes b{'R', 'I', 'F', 'F'};
        put(b, riff_size_.value_or(static_cast<uint32_t>(4 + chunks_.size())), 4);
        b.insert(b.end(), form_.begin(), form_.end());
        b.insert(b.end(), chunks_.begin(), chunks_.end());
        return b;
    }
private:
    Bytes chunks_;
    std::optional<uint32_t> riff_size_;
    std::string form_ = "WAVE";
};

Riff mono16(std::size_t sample_bytes = 8) {
    return Riff().chunk("fmt ", format_record(pcm(1, 22050, 16))).chunk("data", samples(sample_bytes));
}

// One parse of an exactly-sized copy, kept alive so pointers can be checked.
struct Parsed {
    std::unique_ptr<uint8_t[]> image;
    WaveImage wave;
    WaveError error = WaveError::None;
    std::ptrdiff_t offset(const uint8_t* p) const { return p - image.get(); }
};

Parsed parse(const Bytes& bytes, const WaveImage& before = {}) {
    Parsed p;
    p.image = std::make_unique<uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), p.image.get());
    p.wave = before;
    p.error = parse_wave(p.image.get(), bytes.size(), p.wave);
    return p;
}

WaveError error_of(const Bytes& bytes) { return parse(bytes).error; }

TEST(WaveParser, FindsTheFormatAndSamplesOfAMono16BitFileInPlace) {
    const Parsed p = parse(mono16(8).bytes());
    ASSERT_EQ(p.error, WaveError::None);
    EXPECT_EQ(p.offset(p.wave.format), 20);
    EXPECT_EQ(p.wave.format_size, 16u);
    EXPECT_EQ(p.wave.fields.format_tag, 1);
    EXPECT_EQ(p.wave.fields.channels, 1);
    EXPECT_EQ(p.wave.fields.samples_per_second, 22050u);
    EXPECT_EQ(p.wave.fields.average_bytes_per_second, 44100u);
    EXPECT_EQ(p.wave.fields.block_align, 2);
    EXPECT_EQ(p.wave.fields.bits_per_sample, 16);
    EXPECT_EQ(p.offset(p.wave.data), 44);
    EXPECT_EQ(p.wave.data_size, 8u);
    EXPECT_EQ(p.wave.data[1], 2);
}

TEST(WaveParser, AcceptsEightAndSixteenBitMonoAndStereo) {
    for (const uint16_t channels : {uint16_t{1}, uint16_t{2}}) {
        for (const uint16_t bits : {uint16_t{8}, uint16_t{16}}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, " << bits << " bits");
            const Parsed p = parse(Riff().chunk("fmt ", format_record(pcm(channels, 11025, bits)))
                                       .chunk("data", samples(12)).bytes());
            EXPECT_EQ(p.error, WaveError::None);
            EXPECT_EQ(p.wave.data_size, 12u);
        }
    }
}

TEST(WaveParser, FindsTheChunksInAnyOrderAndSkipsOthersWithTheirPadByte) {
    const Bytes list{'I', 'N', 'F'};  // odd size: a pad byte follows
    const Parsed p = parse(Riff().chunk("LIST", list).chunk("data", samples(6))
                               .chunk("fmt ", format_record(pcm(1, 8000, 8), 18)).bytes());
    ASSERT_EQ(p.error, WaveError::None);
    EXPECT_EQ(p.offset(p.wave.data), 12 + 8 + 4 + 8);
    EXPECT_EQ(p.offset(p.wave.format), 12 + 8 + 4 + 8 + 6 + 8);
    EXPECT_EQ(p.wave.format_size, 18u);
}

TEST(WaveParser, AcceptsAnOddDataChunkThatEndsTheFileWithoutItsPadByte) {
    Bytes b = Riff().chunk("fmt ", format_record(pcm(1, 8000, 8))).chunk("data", samples(5)).bytes();
    b.pop_back();  // the pad byte
    const Parsed p = parse(b);
    EXPECT_EQ(p.error, WaveError::None);
    EXPECT_EQ(p.wave.data_size, 5u);
}

TEST(WaveParser, NeedsAFormatChunkOfAtLeast14Bytes) {
    const WaveFormat f = pcm(1, 22050, 16);
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format_record(f, 12)).chunk("data", samples(8)).bytes()),
              WaveError::FormatTooShort);
    // 14 bytes is a whole chunk, but without bits per sample no sample size
    // is named, so the format cannot be played. Last in the file, so that a
    // read of the missing field would run off the end.
    EXPECT_EQ(error_of(Riff().chunk("data", samples(8)).chunk("fmt ", format_record(f, 14)).bytes()),
              WaveError::BadFormat);
}

TEST(WaveParser, TakesTheFirstFormatAndDataChunks) {
    const Bytes first = format_record(pcm(1, 8000, 8));
    const Bytes second = format_record(pcm(2, 44100, 16));
    const Parsed p = parse(Riff().chunk("fmt ", first).chunk("fmt ", second).chunk("data", samples(4)).bytes());
    EXPECT_EQ(p.error, WaveError::None);
    EXPECT_EQ(p.wave.fields.samples_per_second, 8000u);
    const Parsed q = parse(Riff().chunk("data", samples(4)).chunk("data", {}).chunk("fmt ", first).bytes());
    EXPECT_EQ(q.error, WaveError::None);
    EXPECT_EQ(q.wave.data_size, 4u);
}

TEST(WaveParser, FailsWithoutEitherChunk) {
    EXPECT_EQ(error_of(Riff().chunk("data", samples(8)).bytes()), WaveError::NoFormat);
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format_record(pcm(1, 8000, 8))).bytes()), WaveError::NoData);
}

TEST(WaveParser, ShortImagesAndWrongMagicFail) {
    EXPECT_EQ(error_of({}), WaveError::TooShort);
    EXPECT_EQ(error_of({'R'}), WaveError::TooShort);
    Bytes header = Riff().riff_size(4).bytes();
    EXPECT_EQ(error_of(Bytes(header.begin(), header.begin() + 11)), WaveError::TooShort);
    EXPECT_EQ(error_of(header), WaveError::NoFormat);  // exactly 12 bytes, no chunks

    Bytes rifx = mono16().bytes();
    rifx[3] = 'X';
    EXPECT_EQ(error_of(rifx), WaveError::NotRiff);
    EXPECT_EQ(error_of(mono16().form("AVI ").bytes()), WaveError::NotWave);

    WaveImage out;
    EXPECT_EQ(parse_wave(nullptr, 100, out), WaveError::TooShort);
}

TEST(WaveParser, BelievesTheRiffSizeOnlyAsFarAsTheImageGoes) {
    EXPECT_EQ(error_of(mono16().riff_size(1000).bytes()), WaveError::None);
    EXPECT_EQ(error_of(mono16().riff_size(0xFFFFFFFF).bytes()), WaveError::None);
    // A RIFF size that ends before the data chunk hides it.
    EXPECT_EQ(error_of(mono16().riff_size(4 + 24).bytes()), WaveError::NoData);
    EXPECT_EQ(error_of(mono16().riff_size(0).bytes()), WaveError::NoFormat);
    // Ending inside the data chunk cuts the samples short.
    EXPECT_EQ(error_of(mono16(8).riff_size(4 + 24 + 8 + 6).bytes()), WaveError::NoData);
}

TEST(WaveParser, ChunkSizesPastTheEndAreNeverFollowed) {
    const Bytes format = format_record(pcm(1, 22050, 16));
    // Any other chunk ends the walk.
    EXPECT_EQ(error_of(Riff().declared("LIST", 0xFFFFFFFF, samples(4)).chunk("fmt ", format)
                           .chunk("data", samples(8)).bytes()), WaveError::NoFormat);
    EXPECT_EQ(error_of(Riff().chunk("data", samples(8)).declared("fmt ", 0xFFFFFFFF, format).bytes()),
              WaveError::NoFormat);
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format).declared("LIST", 0xFFFFFFFE, {}).bytes()),
              WaveError::NoData);
    // Samples cut short fail the file.
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format).declared("data", 0xFFFFFFFF, samples(8)).bytes()),
              WaveError::NoData);
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format).declared("data", 100, samples(50)).bytes()),
              WaveError::NoData);
    EXPECT_EQ(error_of(Riff().chunk("fmt ", format).declared("data", 9, samples(8)).riff_size(1000).bytes()),
              WaveError::NoData);
    EXPECT_EQ(error_of(Riff().declared("data", 100, samples(8)).chunk("fmt ", format).bytes()),
              WaveError::NoData);
    // A chunk header cut off by the end of the file.
    Bytes cut = mono16().bytes();
    cut.resize(12 + 24 + 6);
    EXPECT_EQ(error_of(cut), WaveError::NoData);
}

TEST(WaveParser, RejectsFormatsASoundCardCannotPlay) {
    struct Row { const char* reason; void (*damage)(WaveFormat&); };
    const Row rows[] = {
        {"not PCM",                 [](WaveFormat& f) { f.format_tag = 3; }},
        {"no channels",             [](WaveFormat& f) { f = pcm(0, 22050, 16); }},
        {"three channels",          [](WaveFormat& f) { f = pcm(3, 22050, 16); }},
        {"no sample rate",          [](WaveFormat& f) { f = pcm(1, 0, 16); }},
        {"24 bits",                 [](WaveFormat& f) { f = pcm(1, 22050, 24); }},
        {"12 bits",                 [](WaveFormat& f) { f.bits_per_sample = 12; }},
        {"wrong block align",       [](WaveFormat& f) { f.block_align = 4; }},
        {"wrong bytes per second",  [](WaveFormat& f) { f.average_bytes_per_second += 1; }},
        {"bytes per second wraps",  [](WaveFormat& f) { f = pcm(2, 0x40000001, 16); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        WaveFormat f = pcm(1, 22050, 16);
        row.damage(f);
        EXPECT_EQ(error_of(Riff().chunk("fmt ", format_record(f)).chunk("data", samples(16)).bytes()),
                  WaveError::BadFormat);
    }
}

TEST(WaveParser, PlaysWholeFramesOnly) {
    const auto stereo16 = [](std::size_t n) {
        return parse(Riff().chunk("fmt ", format_record(pcm(2, 22050, 16))).chunk("data", samples(n)).bytes());
    };
    EXPECT_EQ(stereo16(0).error, WaveError::EmptyData);
    EXPECT_EQ(stereo16(3).error, WaveError::EmptyData);
    const Parsed p = stereo16(10);
    EXPECT_EQ(p.error, WaveError::None);
    EXPECT_EQ(p.wave.data_size, 8u);  // the trailing partial frame is left out
}

TEST(WaveParser, AFailedParseClearsTheResult) {
    const Parsed good = parse(mono16().bytes());
    ASSERT_EQ(good.error, WaveError::None);
    const Parsed bad = parse(mono16().form("AVI ").bytes(), good.wave);
    EXPECT_EQ(bad.error, WaveError::NotWave);
    EXPECT_EQ(bad.wave.format, nullptr);
    EXPECT_EQ(bad.wave.data, nullptr);
    EXPECT_EQ(bad.wave.format_size + bad.wave.data_size + bad.wave.fields.samples_per_second, 0u);
}

TEST(WaveParser, DescribesEveryErrorDifferently) {
    std::vector<std::string> texts;
    for (int e = 0; e <= static_cast<int>(WaveError::EmptyData); ++e) {
        const std::string text = describe(static_cast<WaveError>(e));
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 0) << text;
        texts.push_back(text);
    }
}

}  // namespace
}  // namespace kadrimos::sound
