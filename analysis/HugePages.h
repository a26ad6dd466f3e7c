#pragma once

#include <cstddef>
#include <vector>

// Asks the system to back the whole huge pages within [data, data + bytes) with huge
// pages: an array read or written at random on small pages misses the address cache at
// nearly every access. A hint, which holds only for pages not yet touched.
void adviseHugePages(const void *data, std::size_t bytes);

// size value-initialised elements, on huge pages where the system gives them.
template<typename T> std::vector<T> vectorOnHugePages(std::size_t size)
{
    std::vector<T> values;
    values.reserve(size);
    adviseHugePages(values.data(), size * sizeof(T));
    values.resize(size);
    return values;
}
