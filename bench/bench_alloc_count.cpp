#include "bench_alloc_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<unsigned long long> s_allocations{0};

} // namespace

unsigned long long bench_allocation_count()
{
    return s_allocations;
}

void *operator new(std::size_t size)
{
    ++s_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}
