#pragma once
#include "cfg_if_wv.h"

// Ramp: a rising line for symmetry percent of each period, then a falling one.
class cfg_if_bswv_ramp_t : public cfg_if_wv_t
{
public:
    cfg_if_bswv_ramp_t();
    ~cfg_if_bswv_ramp_t() override;
    int create_wv_data() override;
    virtual int set_symmetry(const float &value);
    virtual float *get_symmetry();

    void reset_symmetry_param() { symmetry = 50.0f; }
    void set_symmetry_param(float value) { symmetry = value; }
    float get_symmetry_param() const { return symmetry; }

protected:
    float symmetry;
};
