// Any byte string through the wave parser: no read outside the image (the
// image is an exactly-sized heap copy, so AddressSanitizer sees any), no
// undefined behaviour, and on success a result a sound card can be given.
#include "sound/wave.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using kadrimos::sound::WaveError;
using kadrimos::sound::WaveFormat;
using kadrimos::sound::WaveImage;

void require(bool condition) {
    if (!condition) std::abort();
}

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24; }

// [p, p + size) lies inside [first, first + length).
bool inside(const uint8_t* p, std::size_t size, const uint8_t* first, std::size_t length) {
    if (p < first) return false;
    const auto offset = static_cast<std::size_t>(p - first);
    return offset <= length && size <= length - offset;
}

void check_success(const uint8_t* image, std::size_t length, const WaveImage& w) {
    require(inside(w.format, w.format_size, image, length));
    require(inside(w.data, w.data_size, image, length));
    // Each lies after the RIFF header and its own chunk header.
    require(w.format - image >= 20 && w.data - image >= 20);
    // Two different chunks cannot overlap.
    require(w.format + w.format_size <= w.data || w.data + w.data_size <= w.format);

    // The decoded fields are the bytes in place.
    require(w.format_size >= 16);
    const WaveFormat& f = w.fields;
    require(f.format_tag == u16(w.format) && f.channels == u16(w.format + 2));
    require(f.samples_per_second == u32(w.format + 4) && f.average_bytes_per_second == u32(w.format + 8));
    require(f.block_align == u16(w.format + 12) && f.bits_per_sample == u16(w.format + 14));

    // A format a sound card plays, and whole frames of it.
    require(f.format_tag == 1);
    require(f.channels == 1 || f.channels == 2);
    require(f.bits_per_sample == 8 || f.bits_per_sample == 16);
    require(f.samples_per_second != 0);
    require(f.block_align == f.channels * f.bits_per_sample / 8);
    require(uint64_t{f.average_bytes_per_second} == uint64_t{f.samples_per_second} * f.block_align);
    require(w.data_size != 0 && w.data_size % f.block_align == 0);
    // The chunk's own size field covers at least what is reported.
    require(u32(w.data - 4) >= w.data_size && u32(w.format - 4) == w.format_size);
    require(std::memcmp(w.data - 8, "data", 4) == 0 && std::memcmp(w.format - 8, "fmt ", 4) == 0);
}

void check_failure(const WaveImage& w) {
    require(w.format == nullptr && w.data == nullptr);
    require(w.format_size == 0 && w.data_size == 0);
    const WaveFormat& f = w.fields;
    require(f.format_tag == 0 && f.channels == 0 && f.samples_per_second == 0 &&
            f.average_bytes_per_second == 0 && f.block_align == 0 && f.bits_per_sample == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    const auto image = std::make_unique<uint8_t[]>(size);
    if (size != 0) std::memcpy(image.get(), bytes, size);

    WaveImage wave;
    wave.format_size = 0xDEADu;  // must be cleared on failure
    const WaveError error = kadrimos::sound::parse_wave(image.get(), size, wave);
    if (error == WaveError::None)
        check_success(image.get(), size, wave);
    else
        check_failure(wave);
    require(kadrimos::sound::describe(error) != nullptr);
    return 0;
}
