#pragma once

// A pseudo-random generator with the C runtime's contract on the target platform:
// RAND_MAX 32767, one process-wide state. glibc's rand() has RAND_MAX 2^31 - 1,
// which the noise generator's arithmetic does not expect.
constexpr int PLAT_RAND_MAX = 32767;

int plat_rand();
void plat_srand(unsigned int seed);
