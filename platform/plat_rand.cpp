#include "plat_rand.h"

#include <atomic>
#include <cstdint>

namespace {
std::atomic<std::uint32_t> g_state{1};
}

int plat_rand()
{
    std::uint32_t old = g_state.load(std::memory_order_relaxed);
    std::uint32_t next;
    do {
        next = old * 214013u + 2531011u;
    } while (!g_state.compare_exchange_weak(old, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

void plat_srand(unsigned int seed)
{
    g_state.store(seed, std::memory_order_relaxed);
}
