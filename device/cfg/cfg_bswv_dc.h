#pragma once
// cfg_bswv_dc_t: the limits of the DC wave. Its level is the channel's offset, which
// may reach the full open-circuit range, narrowed by the divider the load forms with
// the output impedance.
#include "cfg_bswv_wave.h"

class cfg_bswv_dc_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch);

    long double get_max_offset(long double ampl, long double freq, int32 load) override;
    long double get_min_offset(long double ampl, long double freq, int32 load) override;

private:
    long double scale_to_load(long double open_circuit, int32 load);

    long double max_offset = 0.0L;
    long double min_offset = 0.0L;
};
