// The element bitmaps of a loaded module, read as the simulator reads them:
// from the DLL's BITMAP resources by number (Windows), or from the Linux
// library's "kadrimos_bitmaps" section (see cmake/resources.cmake), which
// is read from the library's file.
//
// A bitmap is the simulator's kind: 8 bits a pixel through a palette of up
// to 256 colours, pure black (0, 0, 0) drawn transparent. Anything else is
// refused with the reason, never half read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    bool transparent() const { return r == 0 && g == 0 && b == 0; }
};

struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // palette indices, rows top to bottom
    std::vector<Colour> palette;

    const Colour& at(int32_t x, int32_t y) const {
        return palette[pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x)]];
    }
};

// Reads one bitmap as a resource holds it (BITMAPINFOHEADER, palette,
// pixels; no file header). On failure returns false and says why.
bool decode_bitmap(const uint8_t* data, std::size_t size, Bitmap& out, std::string& error);

// Where a section of a Linux library's file lies: its address in the loaded
// image (from the image's base), its place in the file and its size. False
// when the file has no such section (or is no readable library: `error`
// says so); `bytes`, when given, receives the section's contents.
struct ElfSection {
    uint64_t address = 0, offset = 0, size = 0;
};
bool find_elf_section(const std::string& path, const char* name, ElfSection& out, std::vector<uint8_t>* bytes,
                      std::string& error);

// The section of a Linux library's file that holds its bitmaps; empty when
// the file has none. Throws nothing; `error` says what was wrong with a
// file that is not a readable library.
std::vector<uint8_t> read_elf_section(const std::string& path, const char* name, std::string& error);

// The bitmaps of a module, by number, decoded on first use.
class ModuleBitmaps {
public:
    // `module_path` is the library's file; `module_handle` the loaded
    // module's handle (Windows resources are found through it).
    ModuleBitmaps(const std::string& module_path, uintptr_t module_handle);

    // The bitmap of that number, or null (with the reason in `error`).
    const Bitmap* find(uint32_t id, std::string& error);
    // Numbers of every bitmap the module holds (Linux: its directory;
    // Windows: those asked for so far are all this host can know).
    std::vector<uint32_t> numbers() const;
    // The reason the module's bitmaps cannot be read at all, or empty.
    const std::string& unreadable() const { return unreadable_; }

private:
    bool raw(uint32_t id, const uint8_t*& data, std::size_t& size);

    uintptr_t handle_ = 0;
    std::vector<uint8_t> section_;
    std::map<uint32_t, std::pair<uint32_t, uint32_t>> directory_;  // number -> offset, size
    std::map<uint32_t, Bitmap> decoded_;
    std::string unreadable_;
};

}  // namespace kadrimos::host_sim
