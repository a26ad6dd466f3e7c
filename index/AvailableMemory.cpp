#include "AvailableMemory.h"

#include <cstdio>

std::optional<qint64> availableMemoryBytes()
{
    std::FILE *meminfo = std::fopen("/proc/meminfo", "re");
    if (!meminfo)
        return std::nullopt;
    std::optional<qint64> available;
    char line[256];
    while (std::fgets(line, sizeof line, meminfo)) {
        long long kilobytes = 0;
        if (std::sscanf(line, "MemAvailable: %lld kB", &kilobytes) == 1) {
            available = qint64(kilobytes) * 1024;
            break;
        }
    }
    std::fclose(meminfo);
    return available;
}
