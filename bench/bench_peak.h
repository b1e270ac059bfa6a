#pragma once
#include <cstdio>

// Peak resident memory of this process in KiB, -1 when unknown. VmHWM, not ru_maxrss:
// the latter keeps the parent's peak across exec.
inline long bench_peak_kib()
{
    long hwm_kib = -1;
    if (std::FILE *f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &hwm_kib) == 1)
                break;
        std::fclose(f);
    }
    return hwm_kib;
}
