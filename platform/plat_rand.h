#pragma once
#include <cstdint>

// A pseudo-random generator with the C runtime's contract on the target platform:
// RAND_MAX 32767, one process-wide state. glibc's rand() has RAND_MAX 2^31 - 1,
// which the noise generator's arithmetic does not expect.
constexpr int PLAT_RAND_MAX = 32767;

int plat_rand();
void plat_srand(unsigned int seed);

// The process-wide state, for callers that draw many values in parallel streams: they
// take the state, draw from private copies and store the state the serial draws would
// have left.
std::uint32_t plat_rand_state();
void plat_rand_set_state(std::uint32_t state);

// The state `steps` draws after `state`, in O(log steps).
std::uint32_t plat_rand_jump(std::uint32_t state, std::uint64_t steps);

// One draw from a private state: the value plat_rand() gives from that state.
inline int plat_rand_next(std::uint32_t &state)
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
