#pragma once
// Counts the program's allocations through operator new (replaced in
// bench_alloc_count.cpp), so a benchmark can report allocations per call.
unsigned long long bench_allocation_count();
