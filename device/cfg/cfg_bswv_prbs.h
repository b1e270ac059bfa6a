#pragma once
// cfg_bswv_prbs_t: the limits of the PRBS wave. The frequency is the bit rate; the
// amplitude ceiling follows a table of its own, shared by both channels, and the
// longest edge follows the bit period.
#include "cfg_bswv_wave.h"

#include <map>

class cfg_bswv_prbs_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch);

    long double get_max_freq(int32 ch) override;
    long double get_min_freq(int32 ch) override;
    long double get_max_freq_by_ampl(long double ampl) override;
    long double get_max_prbs_edge() override;
    long double get_min_prbs_edge() override;
    long double get_max_ampl_by_freq(long double rate) override;

    // The shared table (bit rate -> open-circuit peak-to-peak volts).
    static const std::map<long double, long double> &rate_table();

private:
    friend void cfg_reset_config_layer();
    static void reset_rate_table();

    void set_limits(int32 ch);

    long double max_rate = 0.0L;
    long double min_rate = 0.0L;
    long double min_edge = 0.0L;
    long double max_edge = 0.0L;
};
