#include "lib_file_stamp.h"

#include <sys/stat.h>

namespace {

// A bijective 64-bit mix, so that nearby times and sizes give unrelated stamps and
// a change of either shows in every digit.
uint64 lib_mix64(uint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

int32 lib_get_file_stamp(const char *path, char stamp[16])
{
    if (!path || !stamp)
        return -1;
    struct stat info;
    if (::stat(path, &info) != 0)
        return -1;
    const uint64 nanoseconds = static_cast<uint64>(info.st_mtim.tv_sec) * 1000000000ull +
                               static_cast<uint64>(info.st_mtim.tv_nsec);
    const uint64 value = lib_mix64(nanoseconds ^ lib_mix64(static_cast<uint64>(info.st_size)));
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i)
        stamp[i] = digits[(value >> (60 - 4 * i)) & 0xF];
    return 1;
}
