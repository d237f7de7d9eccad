// Reading a module's element bitmaps; see module_bitmaps.h. Every size and
// offset comes from the file, so each is checked against what is really
// there before it is used.
#include "module_bitmaps.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kadrimos::host_sim {
namespace {

// Little-endian reads from a buffer whose bounds the caller has checked.
uint32_t u16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint64_t u64(const uint8_t* p) {
    return static_cast<uint64_t>(u32(p)) | static_cast<uint64_t>(u32(p + 4)) << 32;
}
int32_t s32(const uint8_t* p) {
    const uint32_t v = u32(p);
    int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

// Whether [offset, offset + length) lies within `size`, without overflow.
bool within(uint64_t offset, uint64_t length, uint64_t size) {
    return offset <= size && length <= size - offset;
}

constexpr std::size_t kInfoHeaderSize = 40;
constexpr int32_t kLargestSide = 8192;
constexpr char kMagic[] = "KDRMBMP1";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
constexpr std::size_t kEntrySize = 12;

}  // namespace

bool decode_bitmap(const uint8_t* data, std::size_t size, Bitmap& out, std::string& error) {
    out = {};
    if (data == nullptr || size < kInfoHeaderSize) {
        error = "shorter than a bitmap header";
        return false;
    }
    const uint32_t header_size = u32(data);
    const int32_t width = s32(data + 4);
    const int32_t signed_height = s32(data + 8);
    const uint32_t planes = u16(data + 12);
    const uint32_t bits = u16(data + 14);
    const uint32_t compression = u32(data + 16);
    const uint32_t colours_used = u32(data + 32);
    if (header_size < kInfoHeaderSize || header_size > size) {
        error = "header size " + std::to_string(header_size) + " is not a bitmap info header";
        return false;
    }
    if (planes != 1 || bits != 8 || compression != 0) {
        error = std::to_string(bits) + " bits a pixel, compression " + std::to_string(compression) +
                ": not an uncompressed 8-bit palette bitmap";
        return false;
    }
    if (width <= 0 || width > kLargestSide || signed_height == 0 || signed_height < -kLargestSide ||
        signed_height > kLargestSide) {
        error = "size " + std::to_string(width) + " x " + std::to_string(signed_height) + " out of range";
        return false;
    }
    const uint32_t palette_size = colours_used == 0 ? 256 : colours_used;
    if (palette_size > 256) {
        error = "a palette of " + std::to_string(palette_size) + " colours";
        return false;
    }
    const uint64_t palette_bytes = uint64_t{palette_size} * 4;
    const int32_t height = signed_height < 0 ? -signed_height : signed_height;
    const uint64_t stride = (static_cast<uint64_t>(width) + 3) / 4 * 4;
    if (!within(header_size, palette_bytes, size) ||
        !within(header_size + palette_bytes, stride * static_cast<uint64_t>(height), size)) {
        error = "palette or pixels run past the end of the bitmap";
        return false;
    }
    out.width = width;
    out.height = height;
    out.palette.resize(palette_size);
    for (uint32_t i = 0; i < palette_size; ++i) {
        const uint8_t* q = data + header_size + std::size_t{i} * 4;
        out.palette[i] = {q[2], q[1], q[0]};
    }
    const uint8_t* rows = data + header_size + palette_bytes;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        // Rows are stored bottom-up unless the height is negative.
        const int32_t stored = signed_height > 0 ? height - 1 - y : y;
        const uint8_t* row = rows + static_cast<uint64_t>(stored) * stride;
        for (int32_t x = 0; x < width; ++x) {
            if (row[x] >= palette_size) {
                error = "pixel " + std::to_string(x) + ", " + std::to_string(y) + " is colour " +
                        std::to_string(row[x]) + " of a palette of " + std::to_string(palette_size);
                out = {};
                return false;
            }
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)] = row[x];
        }
    }
    return true;
}

bool find_elf_section(const std::string& path, const char* name, ElfSection& out, std::vector<uint8_t>* bytes,
                      std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const uint8_t* f = file.data();
    const uint64_t size = file.size();
    if (size < 64 ||
        std::memcmp(f,
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        f[5] != 1 || (f[4] != 1 && f[4] != 2)) {
        error = path + " is not a little-endian ELF file";
        return false;
    }
    const bool wide = f[4] == 2;
    const uint64_t section_headers = wide ? u64(f + 0x28) : u32(f + 0x20);
    const uint32_t entry_size = u16(f + (wide ? 0x3A : 0x2E));
    const uint32_t count = u16(f + (wide ? 0x3C : 0x30));
    const uint32_t names_index = u16(f + (wide ? 0x3E : 0x32));
    const uint32_t needed = wide ? 64 : 40;
    if (entry_size < needed || !within(section_headers, uint64_t{entry_size} * count, size) ||
        names_index >= count) {
        error = path + ": section headers out of the file";
        return false;
    }
    struct Header {
        uint32_t name_at;
        uint32_t type;
        uint64_t address, offset, length;
    };
    auto section = [&](uint32_t i) {
        const uint8_t* h = f + section_headers + uint64_t{i} * entry_size;
        return Header{u32(h), u32(h + 4), wide ? u64(h + 16) : u32(h + 12), wide ? u64(h + 24) : u32(h + 16),
                      wide ? u64(h + 32) : u32(h + 20)};
    };
    const Header names = section(names_index);
    if (!within(names.offset, names.length, size)) {
        error = path + ": section names out of the file";
        return false;
    }
    const std::size_t wanted = std::strlen(name);
    constexpr uint32_t kNoBits = 8;  // SHT_NOBITS: the section takes no room in the file
    for (uint32_t i = 0; i < count; ++i) {
        const Header h = section(i);
        if (h.name_at >= names.length || (h.type != kNoBits && !within(h.offset, h.length, size))) continue;
        const uint64_t room = names.length - h.name_at;
        const char* n = reinterpret_cast<const char*>(f + names.offset + h.name_at);
        if (room > wanted && std::memcmp(n, name, wanted) == 0 && n[wanted] == '\0') {
            out = {h.address, h.offset, h.length};
            if (bytes != nullptr && h.type != kNoBits)
                bytes->assign(file.begin() + static_cast<std::ptrdiff_t>(h.offset),
                              file.begin() + static_cast<std::ptrdiff_t>(h.offset + h.length));
            return true;
        }
    }
    return false;
}

std::vector<uint8_t> read_elf_section(const std::string& path, const char* name, std::string& error) {
    ElfSection where{};
    std::vector<uint8_t> bytes;
    find_elf_section(path, name, where, &bytes, error);
    return bytes;
}

ModuleBitmaps::ModuleBitmaps(const std::string& module_path, uintptr_t module_handle)
    : handle_(module_handle) {
#if defined(_WIN32)
    (void)module_path;
#else
    section_ = read_elf_section(module_path, "kadrimos_bitmaps", unreadable_);
    if (!unreadable_.empty()) return;
    const uint64_t size = section_.size();
    if (size < kMagicSize + 4 || std::memcmp(section_.data(), kMagic, kMagicSize) != 0) {
        unreadable_ = module_path + " holds no element bitmaps";
        return;
    }
    const uint32_t count = u32(section_.data() + kMagicSize);
    if (!within(kMagicSize + 4, uint64_t{count} * kEntrySize, size)) {
        unreadable_ = module_path + ": the bitmap directory runs past its section";
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = section_.data() + kMagicSize + 4 + std::size_t{i} * kEntrySize;
        const uint32_t offset = u32(e + 4), length = u32(e + 8);
        if (!within(offset, length, size)) {
            unreadable_ = module_path + ": bitmap " + std::to_string(u32(e)) + " runs past its section";
            return;
        }
        directory_[u32(e)] = {offset, length};
    }
#endif
}

bool ModuleBitmaps::raw(uint32_t id, const uint8_t*& data, std::size_t& size) {
#if defined(_WIN32)
    const auto module = reinterpret_cast<HMODULE>(handle_);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (info == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr) return false;
    data = static_cast<const uint8_t*>(LockResource(loaded));
    size = SizeofResource(module, info);
    if (data == nullptr) return false;
    directory_[id] = {0, static_cast<uint32_t>(size)};
    return true;
#else
    auto it = directory_.find(id);
    if (it == directory_.end()) return false;
    data = section_.data() + it->second.first;
    size = it->second.second;
    return true;
#endif
}

const Bitmap* ModuleBitmaps::find(uint32_t id, std::string& error) {
    if (auto it = decoded_.find(id); it != decoded_.end()) return &it->second;
    if (!unreadable_.empty()) {
        error = unreadable_;
        return nullptr;
    }
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!raw(id, data, size)) {
        error = "the module has no bitmap " + std::to_string(id);
        return nullptr;
    }
    Bitmap b;
    std::string why;
    if (!decode_bitmap(data, size, b, why)) {
        error = "bitmap " + std::to_string(id) + ": " + why;
        return nullptr;
    }
    return &decoded_.emplace(id, std::move(b)).first->second;
}

std::vector<uint32_t> ModuleBitmaps::numbers() const {
    std::vector<uint32_t> ids;
    for (const auto& [id, where] : directory_) ids.push_back(id);
    return ids;
}

}  // namespace kadrimos::host_sim
