#pragma once
#include "cfg_if_wv.h"

// Staircase of equal steps from the lowest to the highest level (up) or back (down).
class cfg_if_adwv_stair_step_t : public cfg_if_wv_t
{
public:
    explicit cfg_if_adwv_stair_step_t(bool up);
    ~cfg_if_adwv_stair_step_t() override;
    int create_wv_data() override;
    virtual int set_step_count(const int32 &value);
    virtual int32 *get_step_count();

    void reset_stair_params() { step_count = 8; }
    void set_step_count_param(int32 value) { step_count = value; }
    int32 get_step_count_param() const { return step_count; }

protected:
    int32 step_count;
    bool up;
};
