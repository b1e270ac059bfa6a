#pragma once
#include "cfg_if_wv.h"

// Sine: one period of the template "sine.bin" resampled to the points of a cycle.
class cfg_if_bswv_sine_t : public cfg_if_wv_t
{
public:
    ~cfg_if_bswv_sine_t() override;
    int create_wv_data() override;
};
