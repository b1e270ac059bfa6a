#pragma once
#include "cfg_if_wv.h"

// Trapezoidal pulse: delay, rising edge, flat top, falling edge, low until the period
// ends. Width and edges are in points; the width is measured at half amplitude.
class cfg_if_bswv_pulse_t : public cfg_if_wv_t
{
public:
    cfg_if_bswv_pulse_t();
    ~cfg_if_bswv_pulse_t() override;
    range_data_t get_cycle_range() override;
    int create_wv_data() override;
    virtual int set_pulse_width(const float &value);
    virtual float *get_pulse_width();
    virtual int set_rise_time(const float &value);
    virtual float *get_rise_time();
    virtual int set_fall_time(const float &value);
    virtual float *get_fall_time();

    range_data_t get_width_range();
    range_data_t get_rise_range();
    range_data_t get_fall_range();

    void reset_pulse_params();
    void set_pulse_width_param(float value) { width = value; }
    float get_pulse_width_param() const { return width; }
    void set_rise_time_param(float value) { rise = value; }
    float get_rise_time_param() const { return rise; }
    void set_fall_time_param(float value) { fall = value; }
    float get_fall_time_param() const { return fall; }

protected:
    float width;
    float rise;
    float fall;

private:
    double period_points();
    range_data_t edge_range(double other_edge);
};
