#include "lib_parallel.h"

#include <algorithm>
#include <cstdlib>
#include <omp.h>

namespace {

constexpr int k_max_team = 32;

// The thread runtime reads its waiting policy once, in its own initialiser. It is
// linked statically (see the top CMakeLists.txt), so its initialiser is one of the
// executable's, and this one, with a priority, runs before it: the policy is chosen
// here, in one place for the program, the tests and the benchmarks. A policy the
// environment names is left alone.
__attribute__((constructor(101))) void choose_wait_policy()
{
    if (!std::getenv("OMP_WAIT_POLICY") && !std::getenv("GOMP_SPINCOUNT"))
        ::setenv("OMP_WAIT_POLICY", "passive", 0);
}

} // namespace

// Every executable that links the library asks the linker for this symbol, which brings
// this file, and with it the initialiser above, into the executable.
extern "C" const char lib_parallel_anchor = 0;

int lib_team_size(uint64 items, uint64 grain)
{
    const uint64 wanted = items / std::max<uint64>(grain, 1);
    const int offered = std::max(1, std::min(k_max_team, omp_get_max_threads()));
    return static_cast<int>(std::max<uint64>(1, std::min<uint64>(wanted, uint64(offered))));
}
