#include "cfg_if_bswv_pulse.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cmath>

cfg_if_bswv_pulse_t::cfg_if_bswv_pulse_t() : width(1000.0f), rise(200.0f), fall(200.0f) {}

cfg_if_bswv_pulse_t::~cfg_if_bswv_pulse_t() = default;

void cfg_if_bswv_pulse_t::reset_pulse_params()
{
    width = 1000.0f;
    rise = 200.0f;
    fall = 200.0f;
}

int cfg_if_bswv_pulse_t::set_pulse_width(const float &value)
{
    width = value;
    return 0;
}

float *cfg_if_bswv_pulse_t::get_pulse_width() { return &width; }

int cfg_if_bswv_pulse_t::set_rise_time(const float &value)
{
    rise = value;
    return 0;
}

float *cfg_if_bswv_pulse_t::get_rise_time() { return &rise; }

int cfg_if_bswv_pulse_t::set_fall_time(const float &value)
{
    fall = value;
    return 0;
}

float *cfg_if_bswv_pulse_t::get_fall_time() { return &fall; }

range_data_t cfg_if_bswv_pulse_t::get_cycle_range()
{
    const double n = *get_wv_len();
    const double span = double(*get_pulse_width()) + double(*get_rise_time()) / 2.0 + double(*get_fall_time()) / 2.0;
    // A pulse of no length fits any number of times: the plain range applies.
    if (span == 0.0)
        return cfg_if_wv_t::get_cycle_range();
    // At most 65535 pulses: the cycle count is read as 16 bits.
    const int64 u = cfg_gen_trunc_i64(n / span, -1, 65535);
    return range_data_t{1.0, double(std::max<int64>(1, u))};
}

double cfg_if_bswv_pulse_t::period_points()
{
    const uint32 c = cfg_gen_cycle16(*get_cycle());
    // Callers pass at least one cycle; none is read as one rather than dividing by 0.
    return double(*get_wv_len() / (c ? c : 1));
}

range_data_t cfg_if_bswv_pulse_t::get_width_range()
{
    const double p = period_points();
    const double m = (double(*get_rise_time()) + double(*get_fall_time())) / 2.0;
    return range_data_t{m, p - m >= 0.0 ? p - m : m};
}

range_data_t cfg_if_bswv_pulse_t::edge_range(double other)
{
    const double p = period_points();
    const double w = *get_pulse_width();
    double x;
    if (other > 2.0 * w)
        x = 0.0;
    else if (2.0 * w <= p)
        x = 2.0 * w - other;
    else
        x = std::max(0.0, 2.0 * (p - w) - other);
    return range_data_t{0.0, x};
}

range_data_t cfg_if_bswv_pulse_t::get_rise_range() { return edge_range(*get_fall_time()); }

range_data_t cfg_if_bswv_pulse_t::get_fall_range() { return edge_range(*get_rise_time()); }

int cfg_if_bswv_pulse_t::create_wv_data()
{
    const double w = *get_pulse_width();
    const double r = *get_rise_time();
    const double f = *get_fall_time();
    const uint32 c = cfg_gen_cycle16(*get_cycle());
    const float phase = *get_phase();
    const uint32 n = *get_wv_len();
    if (c == 0)
        return 2;
    const uint32 p = n / c;
    if (p <= 1)
        return 2;
    const float top = float(std::max(0.0, w - (r + f) * 0.5));
    const double d = cfg_gen_phase_offset(p, phase);
    const double rise_end = d + r;
    const double top_end = rise_end + double(top);
    const double fall_end = top_end + f;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk, [&](short int *buf, uint64 first, uint32 len) {
        uint64 g = first % p;
        for (uint32 i = 0; i < len; ++i) {
            const double gd = double(g);
            short int v = -32767;
            if (gd < d)
                v = -32767;
            else if (gd < rise_end)
                v = lib_to_int16_sat((gd - d) * 65534.0 / r - 32767.0);
            else if (gd < top_end)
                v = 32767;
            else if (gd < fall_end)
                v = lib_to_int16_sat(32767.0 - (gd - d - r - double(top)) * 65534.0 / f);
            buf[i] = v;
            if (++g == p)
                g = 0;
        }
    }, p);
}
