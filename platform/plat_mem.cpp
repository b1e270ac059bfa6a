#include "plat_mem.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {
std::atomic<bool> g_override_set{false};
std::atomic<std::uint64_t> g_override{0};
}

std::uint64_t plat_avail_phys_mem()
{
    if (g_override_set.load())
        return g_override.load();
    FILE *f = std::fopen("/proc/meminfo", "r");
    if (!f)
        return 0;
    char line[256];
    std::uint64_t kib = 0;
    bool found = false;
    while (std::fgets(line, sizeof line, f)) {
        unsigned long long v = 0;
        if (std::sscanf(line, "MemAvailable: %llu kB", &v) == 1) {
            kib = v;
            found = true;
            break;
        }
    }
    std::fclose(f);
    return found ? kib * 1024u : 0;
}

void plat_set_avail_phys_mem_override(std::uint64_t bytes)
{
    g_override.store(bytes);
    g_override_set.store(true);
}

void plat_clear_avail_phys_mem_override()
{
    g_override_set.store(false);
}
