// On Linux the module's named resources are the files embedded in the
// library at build time (embedded_resources.S), found by name; the file
// fallback maps a file read-only as the Windows build does.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/linux/embedded_resources.h"
#include "platform/resources.h"

namespace kadrimos::platform {

Bytes find_resource(uintptr_t, const char* name) {
    if (name == nullptr) return {};
    for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i) {
        const EmbeddedResource& r = kEmbeddedResources[i];
        if (r.name != nullptr && std::strcmp(r.name, name) == 0) return {r.begin, static_cast<std::size_t>(r.end - r.begin)};
    }
    return {};
}

bool map_file(const char* name, MappedFile& out) {
    out = {};
    if (name == nullptr) return false;
    int fd = open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        close(fd);
        return false;
    }
    auto size = static_cast<std::size_t>(st.st_size);
    void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);  // the view keeps the data
    if (view == MAP_FAILED) return false;
    out.view = view;
    out.bytes = {static_cast<const uint8_t*>(view), size};
    return true;
}

void unmap_file(MappedFile& file) {
    if (file.view != nullptr) munmap(file.view, file.bytes.size);
    file = {};
}

}  // namespace kadrimos::platform
