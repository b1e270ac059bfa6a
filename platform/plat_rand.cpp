#include "plat_rand.h"

#include <atomic>

namespace {

constexpr std::uint32_t k_mul = 214013u;
constexpr std::uint32_t k_add = 2531011u;

std::atomic<std::uint32_t> g_state{1};

} // namespace

int plat_rand()
{
    std::uint32_t old = g_state.load(std::memory_order_relaxed);
    std::uint32_t next;
    do {
        next = old * k_mul + k_add;
    } while (!g_state.compare_exchange_weak(old, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

void plat_srand(unsigned int seed)
{
    g_state.store(seed, std::memory_order_relaxed);
}

std::uint32_t plat_rand_state() { return g_state.load(std::memory_order_relaxed); }

void plat_rand_set_state(std::uint32_t state) { g_state.store(state, std::memory_order_relaxed); }

std::uint32_t plat_rand_jump(std::uint32_t state, std::uint64_t steps)
{
    // The composition of `steps` steps x -> m x + a is again x -> M x + A; square the
    // step while walking the bits of `steps` (all arithmetic modulo 2^32).
    std::uint32_t mul = 1, add = 0;
    std::uint32_t step_mul = k_mul, step_add = k_add;
    while (steps) {
        if (steps & 1u) {
            mul = mul * step_mul;
            add = add * step_mul + step_add;
        }
        step_add = step_add * step_mul + step_add;
        step_mul = step_mul * step_mul;
        steps >>= 1;
    }
    return state * mul + add;
}
