#include "FleetHeap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
const char* const TUNABLES = "GLIBC_TUNABLES";
// Set only between the two starts.
const char* const RESTARTED = "LUMIVOX_FLEET_HEAP";
// Huge pages where the system allows them on request, and a heap that grows
// 32 MiB at a time.
const char* const SETTING = "glibc.malloc.hugetlb=1:glibc.malloc.top_pad=33554432";
} // namespace

void StartWithFleetHeap(char** argv)
{
    if (std::getenv(RESTARTED) != nullptr) {
        unsetenv(TUNABLES);
        unsetenv(RESTARTED);
        return;
    }
    if (argv == nullptr || argv[0] == nullptr || std::getenv(TUNABLES) != nullptr)
        return;
    if (setenv(TUNABLES, SETTING, 1) != 0 || setenv(RESTARTED, "1", 1) != 0) {
        unsetenv(TUNABLES);
        unsetenv(RESTARTED);
        return;
    }
    std::fflush(nullptr);
    execv("/proc/self/exe", argv);
    // Not restarted: on as before, untuned.
    unsetenv(TUNABLES);
    unsetenv(RESTARTED);
}
