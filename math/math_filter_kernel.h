#pragma once
#include "lib_types.h"

// A recursive filter that runs over a signal in consecutive pieces: each call carries
// the state of the previous one, so running a signal in pieces gives the same outputs
// as running it whole. The arithmetic is double; outputs are rounded to float.
class math_filter_kernel_t
{
public:
    virtual ~math_filter_kernel_t() = default;
    virtual void run(const float *in, float *out, uint32 count) = 0;
    // Back to rest: the next run starts as the first did.
    virtual void reset() = 0;
};
