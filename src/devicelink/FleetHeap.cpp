#include "FleetHeap.h"

#include <QByteArray>
#include <QtGlobal>

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
    // By its own path, not /proc/self/exe: the process keeps its name.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        self[length] = '\0';
        std::fflush(nullptr);
        execv(self, argv);
    }
    // Not restarted: on as before, untuned.
    unsetenv(TUNABLES);
    unsetenv(RESTARTED);
}

void StartAsFleetProgram(char** argv)
{
    StartWithFleetHeap(argv);
    if (qEnvironmentVariableIsEmpty("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
}
