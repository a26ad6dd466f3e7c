#include "HugePages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

void adviseHugePages([[maybe_unused]] const void *data, [[maybe_unused]] std::size_t bytes)
{
#ifdef __linux__
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (address + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (address + bytes) & ~(hugePage - 1);
    // Where the kernel gives none (they are turned off), this changes nothing.
    if (begin < end)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
}
