#include "memory.h"

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <unistd.h>

#include <fstream>
#endif

namespace kadrimos::host_sim {

int64_t resident_kib() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<int64_t>(counters.WorkingSetSize / 1024);
#else
    // /proc/self/statm: total and resident size, in pages.
    std::ifstream statm("/proc/self/statm");
    int64_t total = 0, resident = 0;
    if (!(statm >> total >> resident)) return -1;
    const long page = sysconf(_SC_PAGESIZE);
    return page > 0 ? resident * (page / 1024) : -1;
#endif
}

}  // namespace kadrimos::host_sim
