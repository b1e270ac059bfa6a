#include "lib_alloc.h"

#include <mutex>
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
