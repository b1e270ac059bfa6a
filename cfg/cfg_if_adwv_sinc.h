#pragma once
#include "cfg_if_wv.h"

// sin(t)/t over a number of zero crossings on each side of the period's centre.
class cfg_if_adwv_sinc_t : public cfg_if_wv_t
{
public:
    cfg_if_adwv_sinc_t();
    ~cfg_if_adwv_sinc_t() override;
    int create_wv_data() override;
    virtual int set_zero_crossing(const int32 &value);
    virtual int32 *get_zero_crossing();

    void reset_sinc_params() { zero_crossing = 10; }
    void set_zero_crossing_param(int32 value) { zero_crossing = value; }
    int32 get_zero_crossing_param() const { return zero_crossing; }

protected:
    int32 zero_crossing;
};
