#include "instr_transfer_buffer.h"

#include "lib_alloc.h"

namespace {

constexpr std::size_t k_kept_from_bytes = 1u << 20;

std::unique_ptr<char[]> g_kept;
std::size_t g_kept_bytes = 0;

} // namespace

char *instr_transfer_buffer(std::size_t bytes, std::unique_ptr<char[]> &fresh)
{
    if (bytes < k_kept_from_bytes) {
        fresh = lib_alloc_array<char>(bytes);
        return fresh.get();
    }
    if (g_kept_bytes < bytes) {
        g_kept.reset();
        g_kept_bytes = 0;
        g_kept = lib_alloc_array<char>(bytes);
        if (g_kept)
            g_kept_bytes = bytes;
    }
    return g_kept.get();
}
