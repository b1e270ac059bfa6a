#pragma once
#include "cfg_if_wv.h"

// Exponential rise 1 - exp(-K f) or fall exp(-K f) over each period.
class cfg_if_adwv_exp_t : public cfg_if_wv_t
{
public:
    explicit cfg_if_adwv_exp_t(bool rise);
    ~cfg_if_adwv_exp_t() override;
    int create_wv_data() override;
    virtual int set_damp_factor(const float &value);
    virtual float *get_damp_factor();

    void reset_exp_params() { damp_factor = 5.0f; }
    void set_damp_factor_param(float value) { damp_factor = value; }
    float get_damp_factor_param() const { return damp_factor; }

protected:
    bool rise;
    float damp_factor;
};
