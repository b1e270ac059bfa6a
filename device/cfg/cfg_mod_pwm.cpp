#include "cfg_mod_pwm.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "drv_interface.h"
#include "lib_trunc.h"

#include <cmath>

namespace
{
constexpr int32 PRODUCT_WITH_EDGE_LIMIT = 2;
constexpr long double EDGE_RAMP_FACTOR = 1.6L;

long double smaller(long double a, long double b)
{
    return b < a ? b : a;
}

// The part of an edge above the intrinsic edge; an edge shorter than the intrinsic
// one has none (rather than the root of a negative number).
double edge_excess(long double edge, long double intrinsic)
{
    const double e = static_cast<double>(edge);
    const double i = static_cast<double>(intrinsic);
    const double radicand = e * e - i * i;
    return radicand > 0.0 ? std::sqrt(radicand) : 0.0;
}
} // namespace

cfg_mod_pwm_t::cfg_mod_pwm_t()
{
    reset_deviation();
}

void cfg_mod_pwm_t::reset_deviation()
{
    deviation.data = DEFAULT_DEVIATION;
    deviation.unit = LIB_UNIT_BASE;
    deviation.changed = false;
}

long double cfg_mod_pwm_t::get_max_mod_freq()
{
    return get_max_freq_limit();
}

long double cfg_mod_pwm_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_pwm_t::get_max_deviation()
{
    const long double margin = drv_interface_t::get_instance()->get_pwm_width_margin();
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    lib_unit_data_t period{};
    lib_unit_data_t width{};
    bswv->get_period(&period);
    bswv->get_pulse_width(&width);
    const long double room = smaller(width.data - margin, period.data - width.data - margin);
    const long double d = room > 0.0L ? room : 0.0L;
    if (cfg_drv_get_product_id() == PRODUCT_WITH_EDGE_LIMIT)
        return limit_by_edges(d, width.data);
    return d;
}

long double cfg_mod_pwm_t::limit_by_edges(long double d, long double width)
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    const long double intrinsic = drv->get_pulse_min_edge();
    lib_unit_data_t rise{};
    lib_unit_data_t fall{};
    bswv->get_rise_edge(&rise);
    bswv->get_fall_edge(&fall);
    const double s1 = edge_excess(rise.data, intrinsic);
    const double s2 = edge_excess(fall.data, intrinsic);
    const long double d2 = smaller(d, width - static_cast<long double>(s1 + s2) / EDGE_RAMP_FACTOR);
    const long double steps = drv->set_pwm_param(width, fall.data, rise.data);
    const long double step_width = drv->get_pwm_min_width();
    const long double r = smaller(d2, static_cast<long double>(lib_trunc_i64(steps) - 1) * step_width);
    return static_cast<long double>(lib_trunc_i64(r / step_width)) * step_width;
}
