// Named resources and read-only file mappings, the Windows way.
#include <windows.h>

#include "platform/resources.h"

namespace kadrimos::platform {
namespace {

// The module's own handle, from the address of one of its functions.
HMODULE own_module() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&own_module), &module);
    return module;
}

}  // namespace

Bytes find_resource(uintptr_t module, const char* name) {
    if (name == nullptr) return {};
    HMODULE m = module != 0 ? reinterpret_cast<HMODULE>(module) : own_module();
    HRSRC info = FindResourceA(m, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (info == nullptr) return {};
    HGLOBAL loaded = LoadResource(m, info);
    if (loaded == nullptr) return {};
    const void* data = LockResource(loaded);
    DWORD size = SizeofResource(m, info);
    if (data == nullptr || size == 0) return {};
    return {static_cast<const uint8_t*>(data), static_cast<std::size_t>(size)};
}

bool map_file(const char* name, MappedFile& out) {
    out = {};
    if (name == nullptr) return false;
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) {
        CloseHandle(file);
        return false;
    }
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    if (mapping == nullptr) return false;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);  // the view keeps the data
    if (view == nullptr) return false;
    out.view = view;
    out.bytes = {static_cast<const uint8_t*>(view), static_cast<std::size_t>(size.QuadPart)};
    return true;
}

void unmap_file(MappedFile& file) {
    if (file.view != nullptr) UnmapViewOfFile(file.view);
    file = {};
}

}  // namespace kadrimos::platform
