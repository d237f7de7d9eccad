// The module's own files: named resources inside the library, and files
// beside the simulator mapped read-only when a resource is missing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos::platform {

struct Bytes {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
};

// The RT_RCDATA resource `name` of the module whose handle is `module` (the
// module's own when `module` is 0), in place; empty if there is none.
Bytes find_resource(uintptr_t module, const char* name);

// A file mapped read-only. The view stays valid until unmap_file.
struct MappedFile {
    Bytes bytes;
    void* view = nullptr;
};
bool map_file(const char* name, MappedFile& out);
void unmap_file(MappedFile& file);

}  // namespace kadrimos::platform
