// Loads a gauge module as the simulator does: by path, finding its two
// exported records, and checking what a host relies on before it calls
// anything: the ImportTable identifier, the Linkage identifier and version,
// and a gauge list that ends within a sane bound with well-formed headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "module/state_directory.h"
#include "panel/host_api.h"

namespace kadrimos::host_sim {

// Longest gauge list a host walks before it calls the list unterminated.
inline constexpr std::size_t kMaxGauges = 4096;

class LoadedModule {
public:
    // Throws InputError (with the path) if the library cannot be loaded or
    // is not a gauge module.
    explicit LoadedModule(const std::string& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    IMPORT_TABLE& imports() { return *imports_; }
    MODULE_LINKAGE& linkage() { return *linkage_; }
    const std::vector<GAUGEHDR*>& gauges() const { return gauges_; }
    // The module's description of its shared cockpit record, or null.
    const STATE_DIRECTORY* state() const { return state_; }
    // The handle handed to the module's install service.
    uintptr_t handle() const { return reinterpret_cast<uintptr_t>(library_); }

private:
    void* library_ = nullptr;
    IMPORT_TABLE* imports_ = nullptr;
    MODULE_LINKAGE* linkage_ = nullptr;
    std::vector<GAUGEHDR*> gauges_;
    const STATE_DIRECTORY* state_ = nullptr;
};

// Checks the records of a loaded module; throws InputError naming `where`.
// Separate from loading so that tests can hand it records of their own.
std::vector<GAUGEHDR*> check_module_records(const std::string& where, const IMPORT_TABLE* imports,
                                            const MODULE_LINKAGE* linkage);

}  // namespace kadrimos::host_sim
