#pragma once
#include <cstdint>

// Physical memory available to new allocations, in bytes (what Windows reports as
// ullAvailPhys): MemAvailable of /proc/meminfo. 0 when it cannot be read.
std::uint64_t plat_avail_phys_mem();

// Tests replace the reading with a fixed figure; plat_clear_avail_phys_mem_override
// goes back to the real one.
void plat_set_avail_phys_mem_override(std::uint64_t bytes);
void plat_clear_avail_phys_mem_override();
