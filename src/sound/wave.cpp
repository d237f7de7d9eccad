#include "sound/wave.h"

namespace kadrimos::sound {
namespace {

constexpr std::size_t kRiffHeaderSize = 12;   // "RIFF", RIFF size, "WAVE"
constexpr std::size_t kRiffSizeCountsFrom = 8;  // the RIFF size counts the bytes after itself
constexpr std::size_t kChunkHeaderSize = 8;   // id, size
constexpr uint32_t kFormatMinimumSize = 14;   // the record up to block align
constexpr uint32_t kFormatWithBitsSize = 16;  // ... and bits per sample
constexpr uint16_t kFormatPcm = 1;

// RIFF numbers are little-endian whatever the machine; assembling them byte by
// byte needs no alignment and no type punning.
uint16_t read_u16(const uint8_t* p) noexcept {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t read_u32(const uint8_t* p) noexcept {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

bool has_id(const uint8_t* p, const char (&id)[5]) noexcept {
    return p[0] == static_cast<uint8_t>(id[0]) && p[1] == static_cast<uint8_t>(id[1]) &&
           p[2] == static_cast<uint8_t>(id[2]) && p[3] == static_cast<uint8_t>(id[3]);
}

// The caller has checked that `size` bytes at `p` lie inside the image and
// that size >= 14.
WaveFormat decode_format(const uint8_t* p, uint32_t size) noexcept {
    WaveFormat f{};
    f.format_tag = read_u16(p);
    f.channels = read_u16(p + 2);
    f.samples_per_second = read_u32(p + 4);
    f.average_bytes_per_second = read_u32(p + 8);
    f.block_align = read_u16(p + 12);
    f.bits_per_sample = size >= kFormatWithBitsSize ? read_u16(p + 14) : uint16_t{0};
    return f;
}

// What DirectSound takes for a plain secondary buffer: 8- or 16-bit PCM, one
// or two channels, and the derived numbers exactly as PCM defines them (a
// file that disagrees with itself is damaged: there is no telling which of
// its numbers is the true one). Trims a trailing partial frame from the
// samples.
WaveError check_playable(WaveImage& wave) noexcept {
    const WaveFormat& f = wave.fields;
    if (f.format_tag != kFormatPcm) return WaveError::BadFormat;
    if (f.channels < 1 || f.channels > 2) return WaveError::BadFormat;
    if (f.samples_per_second == 0) return WaveError::BadFormat;
    if (f.bits_per_sample != 8 && f.bits_per_sample != 16) return WaveError::BadFormat;
    const uint32_t frame_bytes = uint32_t{f.channels} * (f.bits_per_sample / 8u);
    if (f.block_align != frame_bytes) return WaveError::BadFormat;
    if (uint64_t{f.average_bytes_per_second} != uint64_t{f.samples_per_second} * frame_bytes)
        return WaveError::BadFormat;

    wave.data_size -= wave.data_size % frame_bytes;
    if (wave.data_size == 0) return WaveError::EmptyData;
    return WaveError::None;
}

}  // namespace

WaveError parse_wave(const uint8_t* image, std::size_t length, WaveImage& out) noexcept {
    out = WaveImage{};
    if (image == nullptr || length < kRiffHeaderSize) return WaveError::TooShort;
    if (!has_id(image, "RIFF")) return WaveError::NotRiff;
    if (!has_id(image + 8, "WAVE")) return WaveError::NotWave;

    // The end the file declares, believed only as far as the image goes.
    const uint32_t riff_size = read_u32(image + 4);
    const std::size_t end = riff_size > length - kRiffSizeCountsFrom
                                ? length
                                : kRiffSizeCountsFrom + std::size_t{riff_size};

    WaveImage found;
    bool have_format = false;
    bool have_data = false;
    // Every step moves `pos` forward by at least a chunk header, so the walk
    // ends. Inside the loop pos < end, so `end - pos` cannot wrap.
    std::size_t pos = kRiffHeaderSize;
    while (pos < end && !(have_format && have_data)) {
        if (end - pos < kChunkHeaderSize) break;  // a chunk header cut off by the end
        const uint8_t* chunk = image + pos;
        const uint32_t size = read_u32(chunk + 4);
        const std::size_t body = pos + kChunkHeaderSize;

        if (size > end - body) {
            // Samples cut short are a damaged file, not a shorter sound; any
            // other chunk that runs past the end only ends the walk.
            if (!have_data && has_id(chunk, "data")) return WaveError::NoData;
            break;
        }

        if (!have_format && has_id(chunk, "fmt ")) {
            if (size < kFormatMinimumSize) return WaveError::FormatTooShort;
            found.format = image + body;
            found.format_size = size;
            found.fields = decode_format(found.format, size);
            have_format = true;
        } else if (!have_data && has_id(chunk, "data")) {
            found.data = image + body;
            found.data_size = size;
            have_data = true;
        }

        // The pad byte after an odd-sized chunk; the last chunk of a file may
        // lack it. body + size <= end, so neither step can overflow.
        pos = body + size;
        if (size % 2 != 0 && pos < end) ++pos;
    }

    if (!have_format) return WaveError::NoFormat;
    if (!have_data) return WaveError::NoData;
    const WaveError verdict = check_playable(found);
    if (verdict != WaveError::None) return verdict;
    out = found;
    return WaveError::None;
}

const char* describe(WaveError error) noexcept {
    switch (error) {
        case WaveError::None:           return "a playable wave image";
        case WaveError::TooShort:       return "shorter than a RIFF header (12 bytes)";
        case WaveError::NotRiff:        return "not a RIFF file";
        case WaveError::NotWave:        return "a RIFF file, but not a wave file";
        case WaveError::NoFormat:       return "no complete \"fmt \" chunk";
        case WaveError::FormatTooShort: return "the \"fmt \" chunk is shorter than 14 bytes";
        case WaveError::NoData:         return "no \"data\" chunk, or one cut short by the end of the file";
        case WaveError::BadFormat:      return "not 8- or 16-bit PCM, mono or stereo, with consistent sizes";
        case WaveError::EmptyData:      return "no whole frame of samples";
    }
    return "an unknown wave error";
}

}  // namespace kadrimos::sound
