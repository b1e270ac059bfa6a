#pragma once
#include "cfg_if_wv.h"

// Gaussian white noise whose extremes fill the full scale.
class cfg_if_bswv_noise_t : public cfg_if_wv_t
{
public:
    ~cfg_if_bswv_noise_t() override;
    int create_wv_data() override;

    // Each call seeds the random generator with the calendar time; a fixed seed makes
    // the samples reproducible (tests).
    void use_fixed_seed(unsigned int seed);
    void use_time_seed();

private:
    bool fixed_seed = false;
    unsigned int seed = 0;
};
