#pragma once
#include "cfg_if_wv.h"

// Sine: one period of the template "sine.bin" resampled to the points of a cycle.
class cfg_if_bswv_sine_t : public cfg_if_wv_t
{
public:
    ~cfg_if_bswv_sine_t() override;
    int create_wv_data() override;
};

// The sine's template position after `steps` steps of x += s (wrapped at the template
// length) from x, exactly as the serial walk gives it. 0 <= x < length, 0 < s <= length.
double cfg_sine_advance(double x, double s, uint64 steps);
