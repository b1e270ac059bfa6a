#include "lib_quantity.h"

#include "lib_trunc.h"

#include <cmath>

long double lib_freq_to_period(long double x) { return 1.0L / x; }

long double lib_period_to_freq(long double x) { return 1.0L / x; }

long double lib_duty_to_width(long double duty, long double freq) { return (duty / 100.0L) * (1.0L / freq); }

long double lib_divide_by_count(long double x, uint32 n) { return x / n; }

long double lib_phase_mod_360(long double x)
{
    if (x == -360.0L || x == 360.0L || !std::isfinite(x))
        return x;
    // Beyond the int64 range every long double is a whole number, and fmodl gives the
    // same remainder the integer path would.
    if (!lib_trunc_fits<int64>(x))
        return std::fmod(x, 360.0L);
    const int64 i = lib_trunc_i64(x);
    const long double fraction = x - static_cast<long double>(i);
    return static_cast<long double>(i % 360) + fraction;
}

long double lib_phase_positive(long double x) { return x < 0.0L ? x + 360.0L : x; }

int32 lib_other_ch(int32 ch) { return ch == 0 ? 1 : 0; }
