#include "lib_unit_deal.h"

#include "gos.h"
#include "lib_quantity.h"
#include "lib_trunc.h"
#include "lib_unit_convert.h"

#include <cmath>

int32 lib_unit_deal_t::do_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                                  const long double *table, int32 size) const
{
    if (lib_unit_step_scale(source, destination, target, table, size))
        return 0;
    const int64 d = static_cast<int64>(source.unit) - target;
    gos_printf("lib_unit_deal_t::do_convert::amplify_index = %lld\n", static_cast<long long>(d < 0 ? -d : d));
    gos_printf("lib_unit_deal_t::do_convert::size = %d\n", size);
    return -13;
}

int32 lib_unit_deal_t::convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target) const
{
    do_convert(source, destination, target, LIB_UNIT_LINEAR_STEPS, LIB_UNIT_STEP_COUNT);
    return 1;
}

int32 lib_unit_deal_t::convert_squared(const lib_unit_data_t &source, lib_unit_data_t &destination,
                                       int32 target) const
{
    do_convert(source, destination, target, LIB_UNIT_SQUARED_STEPS, LIB_UNIT_STEP_COUNT);
    return 1;
}

int32 lib_unit_deal_t::convert_value(int32 from, long double &value, int32 to) const
{
    const lib_unit_data_t source{value, from, false};
    lib_unit_data_t destination{value, to, false};
    convert(source, destination, to);
    value = destination.data;
    return 1;
}

lib_unit_data_t lib_unit_deal_t::to_base(const lib_unit_data_t &record) const
{
    lib_unit_data_t result = record;
    convert(record, result, LIB_UNIT_API_BASE);
    return result;
}

long double lib_unit_deal_t::freq_to_period(long double x) const { return lib_freq_to_period(x); }

long double lib_unit_deal_t::period_to_freq(long double x) const { return lib_period_to_freq(x); }

long double lib_unit_deal_t::duty_to_width(long double duty, long double freq) const
{
    return lib_duty_to_width(duty, freq);
}

int32 lib_unit_deal_t::round_decimals(long double &x, int32 n) const
{
    // 10^n must stay a 32-bit integer.
    if (n < 0 || n > 9)
        return 0;
    int32 scale = 1;
    for (int32 i = 0; i < n; ++i)
        scale *= 10;
    const long double shifted = (x + 0.5L * std::pow(0.1L, static_cast<long double>(n))) * scale;
    if (!lib_trunc_fits<int32>(shifted))
        return 0;
    x = static_cast<long double>(lib_trunc_i32(shifted)) / scale;
    return 1;
}

int32 lib_unit_deal_t::ready() const { return 1; }
