#pragma once
#include "cfg_if_wv.h"

#include <vector>

// One pulse of a burst: its width and the delay after it, in seconds.
struct multi_pulse_item_t
{
    double width;
    double delay;
};

// A burst of 2 to 32 pulses with their own widths and delays and shared edges, at its
// own sample rate. Every time is a whole number of sample periods.
class cfg_if_adwv_multi_pulse_t : public cfg_if_wv_t
{
public:
    cfg_if_adwv_multi_pulse_t();
    ~cfg_if_adwv_multi_pulse_t() override;
    int create_wv_data() override;

    uint32 get_pulse_num() const { return pulse_num; }
    void set_pulse_num(uint32 n);
    float get_pulse_srate() const { return float(sample_rate); }
    float get_sample_period() const { return float(sample_period); }
    void set_pulse_srate(float rate);
    void requantize_times();
    float get_rise_time() const { return float(rise_time); }
    float get_fall_time() const { return float(fall_time); }
    void set_rise_time(float seconds);
    void set_fall_time(float seconds);
    void set_pulse_width(uint32 index, float seconds);
    void set_pulse_delay(uint32 index, float seconds);
    int get_pulse_width(uint32 index, float &out) const;
    int get_pulse_delay(uint32 index, float &out) const;
    std::vector<multi_pulse_item_t> get_pulse_list() const { return pulse_list; }
    void set_pulse_list(const std::vector<multi_pulse_item_t> &list) { pulse_list = list; }

protected:
    uint32 pulse_num;
    double rise_time;
    double fall_time;
    double sample_rate;
    double sample_period;
    std::vector<multi_pulse_item_t> pulse_list;

private:
    double edge_time(double seconds) const;
    double span_time(double seconds) const;
};
