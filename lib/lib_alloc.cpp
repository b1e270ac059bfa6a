#include "lib_alloc.h"

#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <utility>

namespace
{
std::mutex g_gate_mutex;
lib_alloc_gate_t g_gate;
} // namespace

void lib_alloc_set_gate(lib_alloc_gate_t gate)
{
    std::lock_guard<std::mutex> lock(g_gate_mutex);
    g_gate = std::move(gate);
}

bool lib_alloc_allowed(std::size_t bytes)
{
    lib_alloc_gate_t gate;
    {
        std::lock_guard<std::mutex> lock(g_gate_mutex);
        gate = g_gate;
    }
    return !gate || gate(bytes);
}

void lib_alloc_advise(void *p, std::size_t bytes)
{
    constexpr std::uintptr_t k_page = 4096;
    constexpr std::size_t k_big = 8u << 20;
    if (bytes < k_big)
        return;
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(p) + k_page - 1) & ~(k_page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(k_page - 1);
    // Only advice: where huge pages are off the buffer simply keeps small ones.
    ::madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
}

lib_alloc_fail_scope_t::lib_alloc_fail_scope_t(std::size_t nth, std::size_t min_bytes)
    : m_seen(std::make_shared<std::size_t>(0))
{
    auto seen = m_seen;
    lib_alloc_set_gate([seen, nth, min_bytes](std::size_t bytes) {
        ++*seen;
        if (nth != 0 && *seen == nth)
            return false;
        if (min_bytes != 0 && bytes >= min_bytes)
            return false;
        return true;
    });
}

lib_alloc_fail_scope_t::~lib_alloc_fail_scope_t() { lib_alloc_set_gate(nullptr); }
