// Stand-ins of the channel commands and the overload query until the configuration
// layer's own arrive: each stores into or reads from the channel's settings object
// without limits and without reaching the driver.
#include "awg_ch_port.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "lib_unit_data.h"

namespace
{
lib_unit_data_t base(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

int32 copy_out(const lib_unit_data_t &record, long double *value, int *unit)
{
    if (value == nullptr)
        return static_cast<int32>(0x80004003u);
    *value = record.data;
    if (unit != nullptr)
        *unit = record.unit;
    return 1;
}

cfg_bswv_main_t *bswv(int ch)
{
    return cfg_get_bswv_main(ch);
}
} // namespace

int32 lib_ch_set_switch(int ch, int on)
{
    cfg_get_wv_main(ch)->set_output(on);
    return 1;
}

int32 lib_ch_set_wave_type(int ch, int type)
{
    return cfg_get_wv_main(ch)->set_wave_type(type);
}

int32 lib_ch_get_wave_type(int ch, int *out)
{
    *out = cfg_get_wv_main(ch)->get_basic_wave_type();
    return 1;
}

int32 lib_ch_set_load(int ch, int ohms)
{
    const int32 stored = ohms;
    bswv(ch)->store_load_raw(&stored);
    return 1;
}

int32 lib_ch_get_load(int ch)
{
    int32 ohms = 0;
    bswv(ch)->get_load(&ohms);
    return ohms;
}

int32 lib_ch_set_freq(int ch, long double value, int)
{
    bswv(ch)->store_freq_raw(base(value));
    return 1;
}

int32 lib_ch_get_freq(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_freq_raw(), value, unit);
}

int32 lib_ch_set_period(int ch, long double value, int)
{
    bswv(ch)->store_freq_raw(base(1.0L / value));
    return 1;
}

int32 lib_ch_get_period(int ch, long double *value, int *unit)
{
    return copy_out(base(1.0L / bswv(ch)->get_freq_raw().data), value, unit);
}

int32 lib_ch_set_ampl(int ch, long double value, int)
{
    bswv(ch)->store_ampl_raw(base(value));
    return 1;
}

int32 lib_ch_get_ampl(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_ampl_raw(), value, unit);
}

int32 lib_ch_set_offset(int ch, long double value, int)
{
    bswv(ch)->store_offset_raw(base(value));
    return 1;
}

int32 lib_ch_get_offset(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_offset_raw(), value, unit);
}

int32 lib_ch_set_high_level(int ch, long double value, int)
{
    const long double low = bswv(ch)->get_offset_raw().data - bswv(ch)->get_ampl_raw().data / 2.0L;
    bswv(ch)->store_ampl_raw(base(value - low));
    bswv(ch)->store_offset_raw(base((value + low) / 2.0L));
    return 1;
}

int32 lib_ch_get_high_level(int ch, long double *value, int *unit)
{
    return copy_out(base(bswv(ch)->get_offset_raw().data + bswv(ch)->get_ampl_raw().data / 2.0L), value, unit);
}

int32 lib_ch_set_low_level(int ch, long double value, int)
{
    const long double high = bswv(ch)->get_offset_raw().data + bswv(ch)->get_ampl_raw().data / 2.0L;
    bswv(ch)->store_ampl_raw(base(high - value));
    bswv(ch)->store_offset_raw(base((high + value) / 2.0L));
    return 1;
}

int32 lib_ch_get_low_level(int ch, long double *value, int *unit)
{
    return copy_out(base(bswv(ch)->get_offset_raw().data - bswv(ch)->get_ampl_raw().data / 2.0L), value, unit);
}

int32 lib_ch_set_duty(int ch, long double value, int)
{
    bswv(ch)->store_duty_raw(base(value));
    return 1;
}

int32 lib_ch_get_duty(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_duty_raw(), value, unit);
}

int32 lib_ch_set_symmetry(int ch, long double value, int)
{
    bswv(ch)->store_symmetry_raw(base(value));
    return 1;
}

int32 lib_ch_get_symmetry(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_symmetry_raw(), value, unit);
}

int32 lib_ch_set_width(int ch, long double value, int)
{
    bswv(ch)->store_pulse_width_raw(base(value));
    return 1;
}

int32 lib_ch_get_width(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_pulse_width_raw(), value, unit);
}

int32 lib_ch_set_stdev(int ch, long double value, int)
{
    bswv(ch)->store_noise_stdev_raw(base(value));
    return 1;
}

int32 lib_ch_get_stdev(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_noise_stdev_raw(), value, unit);
}

int32 lib_ch_set_mean(int ch, long double value, int)
{
    bswv(ch)->store_offset_raw(base(value));
    return 1;
}

int32 lib_ch_get_mean(int ch, long double *value, int *unit)
{
    return copy_out(bswv(ch)->get_offset_raw(), value, unit);
}

int32 lib_ch_set_arb_wave(int ch, int id)
{
    return bswv(ch)->set_arb_wave(id);
}

int32 lib_ch_get_arb_wave(int ch, int *out)
{
    *out = bswv(ch)->get_arb_wave();
    return 1;
}

int32 lib_ch_load_arb_file(int, const std::string &)
{
    return -13;
}

uint8 cfg_check_overload_status(int)
{
    return 0;
}
