#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <new>

// Every big buffer of the engines and the instrument layer comes from here, so running
// out of memory is a status the caller reports, never an exception, and tests can make
// any one allocation fail.

// Decides whether the allocation of `bytes` may go ahead; returning false makes it fail.
// An empty function (the default) lets every allocation go ahead.
using lib_alloc_gate_t = std::function<bool(std::size_t bytes)>;
void lib_alloc_set_gate(lib_alloc_gate_t gate);

// Raw storage of `bytes`, or null when the gate refuses or the system has no memory.
bool lib_alloc_allowed(std::size_t bytes);

// Asks for huge pages behind a big buffer: it is filled once and dropped, and touching
// tens of MB page by page costs more than the work done on them.
void lib_alloc_advise(void *p, std::size_t bytes);

// An uninitialised array of `count` elements, or null.
template <typename T>
std::unique_ptr<T[]> lib_alloc_array(std::size_t count)
{
    if (count > static_cast<std::size_t>(-1) / sizeof(T) || !lib_alloc_allowed(count * sizeof(T)))
        return nullptr;
    std::unique_ptr<T[]> p(new (std::nothrow) T[count]);
    if (p)
        lib_alloc_advise(p.get(), count * sizeof(T));
    return p;
}

// Test helper: refuses the allocations whose 1-based sequence number is `nth` (0: none)
// or whose size is at least `min_bytes` (0: no size rule) while it lives.
class lib_alloc_fail_scope_t
{
public:
    explicit lib_alloc_fail_scope_t(std::size_t nth, std::size_t min_bytes = 0);
    ~lib_alloc_fail_scope_t();
    lib_alloc_fail_scope_t(const lib_alloc_fail_scope_t &) = delete;
    lib_alloc_fail_scope_t &operator=(const lib_alloc_fail_scope_t &) = delete;

private:
    std::shared_ptr<std::size_t> m_seen;
};
