// Wave files: finding the format record and the samples in a RIFF image.
//
// Each cockpit sound is a wave file linked into the module. The sound engine
// hands DirectSound the file's format record and its block of samples, both
// in place, so the parser only finds them and checks that a sound card can
// play them: it copies nothing, allocates nothing, throws nothing and does no
// I/O, because it runs inside the simulator's process.
//
// The layout of a wave file (every number little-endian):
//
//   offset 0   "RIFF"
//   offset 4   RIFF size: the bytes that follow this field
//   offset 8   "WAVE"
//   offset 12  chunks: 4-byte id, 4-byte size, `size` bytes of data, and one
//              pad byte when `size` is odd, so that every chunk starts on an
//              even offset.
//
// The "fmt " chunk holds the format record, the "data" chunk the samples; any
// other chunk ("LIST", "fact", "cue ", ...) is skipped. The two may come in
// either order.
//
// The image is never trusted. The walk stops at the smaller of the end the
// RIFF size declares and the real end of the image; a size that points past
// it stops the walk (or, for the samples, fails the file) and is never
// followed. Bounds are written so that they cannot wrap when size_t is 32
// bits wide, as it is in the Windows build.
//
// What is accepted (anything else fails with the error named):
//   - 8- or 16-bit PCM, mono or stereo, a non-zero rate, block align and
//     average bytes per second as PCM defines them (BadFormat). A format
//     record of 14 bytes (the old record without bits per sample) is a valid
//     chunk but names no sample size, so it ends in BadFormat too.
//   - At least one whole frame of samples (EmptyData). A trailing partial
//     frame (half a 16-bit sample, or a left sample without its right) cannot
//     be played: it is left out of data_size, and the rest of the sound plays.
//   - The first "fmt " and the first "data" chunk count; later ones are
//     ignored, and the walk ends as soon as both are found.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos::sound {

// The wave format record as stored in a "fmt " chunk (little-endian fields).
struct WaveFormat {
    uint16_t format_tag;
    uint16_t channels;
    uint32_t samples_per_second;
    uint32_t average_bytes_per_second;
    uint16_t block_align;
    uint16_t bits_per_sample;
};

struct WaveImage {
    const uint8_t* format = nullptr;  // the fmt chunk's data, in place (what a DirectSound buffer description points at)
    uint32_t format_size = 0;         // its size in bytes (>= 14)
    WaveFormat fields{};              // decoded fields (bits_per_sample 0 if the chunk is only 14 bytes)
    const uint8_t* data = nullptr;    // the samples, in place
    uint32_t data_size = 0;           // whole frames only: a trailing partial frame is left out
};

enum class WaveError {
    None,
    TooShort,        // fewer than 12 bytes: no room for the RIFF header
    NotRiff,         // does not start with "RIFF"
    NotWave,         // a RIFF file, but not of form "WAVE"
    NoFormat,        // no complete "fmt " chunk before the end
    FormatTooShort,  // the "fmt " chunk is under 14 bytes
    NoData,          // no "data" chunk, or one that runs past the end
    BadFormat,       // a format a sound card cannot play
    EmptyData,       // not one whole frame of samples
};

// Parses `length` bytes at `image`. Never reads outside [image, image+length).
// Returns WaveError::None and fills `out` on success; on failure `out` is
// cleared. The pointers in `out` point into `image`.
WaveError parse_wave(const uint8_t* image, std::size_t length, WaveImage& out) noexcept;

// A short English text for an error, for diagnostics.
const char* describe(WaveError error) noexcept;

}  // namespace kadrimos::sound
