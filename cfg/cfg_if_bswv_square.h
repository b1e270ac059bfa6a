#pragma once
#include "cfg_if_wv.h"

// Square: high for duty percent of each period, low for the rest.
class cfg_if_bswv_square_t : public cfg_if_wv_t
{
public:
    cfg_if_bswv_square_t();
    ~cfg_if_bswv_square_t() override;
    int create_wv_data() override;
    virtual int set_duty(const float &value);
    virtual float *get_duty();

    void reset_duty_param() { duty = 50.0f; }
    void set_duty_param(float value) { duty = value; }
    float get_duty_param() const { return duty; }

protected:
    float duty;
};
