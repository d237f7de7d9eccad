#include "module_loader.h"

#include <cstring>
#include <sstream>

#include "module/state_directory.h"
#include "module_bitmaps.h"
#include "text_input.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kadrimos::host_sim {
namespace {

#if defined(_WIN32)
void* open_library(const std::string& path, std::string& error) {
    HMODULE h = LoadLibraryA(path.c_str());
    if (h == nullptr) error = "cannot load the library (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(h);
}
void* find_symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void close_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
void* open_library(const std::string& path, std::string& error) {
    // A path without a slash would be searched for in the system's library
    // folders; the host means the file it was given.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* h = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
        const char* why = dlerror();
        error = std::string("cannot load the library: ") + (why ? why : "unknown reason");
    }
    return h;
}
void* find_symbol(void* library, const char* name) { return dlsym(library, name); }
void close_library(void* library) { dlclose(library); }
#endif

// Where the loaded module's section `name` lies in memory, or null.
#if defined(_WIN32)
const void* loaded_section(void* library, const std::string&, const void*, const char* name) {
    // The image's own headers are loaded with it: DOS header, PE header,
    // section table.
    const auto* base = static_cast<const uint8_t*>(library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (std::strncmp(reinterpret_cast<const char*>(section->Name), name, IMAGE_SIZEOF_SHORT_NAME) == 0)
            return base + section->VirtualAddress;
    return nullptr;
}
#else
const void* loaded_section(void*, const std::string& path, const void* exported, const char* name) {
    Dl_info info{};
    if (dladdr(exported, &info) == 0 || info.dli_fbase == nullptr) return nullptr;
    ElfSection where{};
    std::string error;
    if (!find_elf_section(path, name, where, nullptr, error)) return nullptr;
    return static_cast<const uint8_t*>(info.dli_fbase) + where.address;
}
#endif

std::string hex(uint32_t v) {
    std::ostringstream s;
    s << "0x" << std::hex << std::uppercase << v;
    return s.str();
}

}  // namespace

std::vector<GAUGEHDR*> check_module_records(const std::string& where, const IMPORT_TABLE* imports,
                                            const MODULE_LINKAGE* linkage) {
    if (imports == nullptr) throw InputError(where, "the module does not export ImportTable");
    if (linkage == nullptr) throw InputError(where, "the module does not export Linkage");
    if (imports->panels_id != IMPORT_TABLE_PANELS_ID)
        throw InputError(where, "ImportTable identifier is " + hex(imports->panels_id) + ", expected " +
                                    hex(IMPORT_TABLE_PANELS_ID));
    if (linkage->module_id != MODULE_LINKAGE_ID)
        throw InputError(where,
                         "Linkage identifier is " + hex(linkage->module_id) + ", expected " + hex(MODULE_LINKAGE_ID));
    if (linkage->module_version != MODULE_LINKAGE_VERSION)
        throw InputError(where, "Linkage version is " + hex(linkage->module_version) + ", expected " +
                                    hex(MODULE_LINKAGE_VERSION));
    std::vector<GAUGEHDR*> gauges;
    for (std::size_t i = 0;; ++i) {
        if (i == kMaxGauges)
            throw InputError(where, "the gauge list of Linkage has no end within " + std::to_string(kMaxGauges) +
                                        " entries");
        GAUGEHDR* g = linkage->gauge_table[i];
        if (g == nullptr) break;
        std::string which = "gauge " + std::to_string(i + 1) + " of Linkage";
        if (g->gauge_header_version != GAUGE_HEADER_VERSION)
            throw InputError(where, which + " has header version " + hex(g->gauge_header_version));
        if (g->gauge_name == nullptr) throw InputError(where, which + " has no name");
        if (g->elements_list == nullptr || g->elements_list[0] == nullptr)
            throw InputError(where, which + " (" + g->gauge_name + ") has no elements");
        if (g->mouse_rect == nullptr) throw InputError(where, which + " (" + g->gauge_name + ") has no mouse table");
        gauges.push_back(g);
    }
    return gauges;
}

LoadedModule::LoadedModule(const std::string& path) {
    std::string error;
    library_ = open_library(path, error);
    if (library_ == nullptr) throw InputError(path, error);
    imports_ = static_cast<IMPORT_TABLE*>(find_symbol(library_, MODULE_IMPORT_TABLE_SYMBOL));
    linkage_ = static_cast<MODULE_LINKAGE*>(find_symbol(library_, MODULE_LINKAGE_SYMBOL));
    try {
        gauges_ = check_module_records(path, imports_, linkage_);
    } catch (...) {
        close_library(library_);
        throw;
    }
    // The state directory is a developer's aid: a module without one, or
    // with one this host does not understand, is served all the same.
    const auto* directory =
        static_cast<const STATE_DIRECTORY*>(loaded_section(library_, path, linkage_, KADRIMOS_STATE_SECTION));
    if (directory != nullptr && std::memcmp(directory->magic, KADRIMOS_STATE_MAGIC, 8) == 0 &&
        directory->record != nullptr && directory->items != nullptr)
        state_ = directory;
}

LoadedModule::~LoadedModule() {
    if (imports_ != nullptr) imports_->services = nullptr;
    close_library(library_);
}

}  // namespace kadrimos::host_sim
