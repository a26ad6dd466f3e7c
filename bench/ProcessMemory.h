#pragma once

// What this process holds in memory, in decimal megabytes.
namespace ProcessMemory {

// The largest resident set size so far.
double peakResidentMegabytes();
// The resident set size now, which, unlike the peak, shows what is still held.
double residentMegabytes();
// The bytes the heap has given out and not taken back, whatever the pages it holds.
double heapInUseMegabytes();

} // namespace ProcessMemory
