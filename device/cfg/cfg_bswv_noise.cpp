// cfg_bswv_noise_t: noise deviation and bandwidth limits.
#include "cfg_bswv_noise.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"

namespace
{
constexpr int32 NOISE_HIGH_Z = 1000000;

long double stdev_factor(int32 ch)
{
    return cfg_drv_get_noise_stdev_factor(cfg_get_bswv_main(ch)->get_open_circuit_offset());
}
} // namespace

long double cfg_noise_ampl_to_stdev(int32 ch, long double ampl)
{
    return ampl * stdev_factor(ch);
}

long double cfg_noise_stdev_to_ampl(int32 ch, long double stdev)
{
    return stdev / stdev_factor(ch);
}

void cfg_bswv_noise_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    set_bandwidth_limits(ch);
}

void cfg_bswv_noise_t::set_bandwidth_limits(int32)
{
    if (!cfg_drv_has_noise_bandwidth())
        return;
    max_bandwidth = 3e7L;
    min_bandwidth = 1e7L;
}

long double cfg_bswv_noise_t::get_min_ampl(int32 load)
{
    // The conversion is asked of channel 0 whichever channel this object serves.
    const long double stdev = load == NOISE_HIGH_Z ? 0.002L : 0.001L;
    return cfg_noise_stdev_to_ampl(0, stdev);
}

long double cfg_bswv_noise_t::get_max_ampl(long double offset, long double, int32 load)
{
    // Noise has no frequency; the limit is the one at 1 Hz.
    const long double m = cfg_bswv_wave_t::get_max_ampl(offset, 1.0L, load);
    const int32 ch = cfg_main_t::get_instance()->get_current_channel();
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    int32 bw_switch = 0;
    bswv->get_noise_bandwidth_switch(&bw_switch);
    if (bw_switch == 0)
        return m;
    lib_unit_data_t bandwidth{};
    bswv->get_noise_bandwidth(&bandwidth);
    return cfg_drv_get_noise_max_stdev(bandwidth.data, m);
}
