#include "drv_filter.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "lib_trunc.h"

#include <cmath>

namespace {

constexpr int32 DRV_FILTER_TAPS = 20;
constexpr int32 DRV_FILTER_COEFS = DRV_FILTER_TAPS / 2;
constexpr long double DRV_FILTER_CENTRE = 9.5L;
constexpr long double DRV_FILTER_CUTOFF_MARGIN = 0.042L;
// The DAC's sample clock, the amplitude driver's on every product.
constexpr long double DRV_SAMPLE_CLOCK = 150000000.0L;
constexpr long double DRV_PI = 3.141592653589793238462643383279502884L;

long double s_filter_freq[2] = {0, 0};
int32 s_filter_on[2] = {0, 0};

bool drv_is_channel(int32 ch)
{
    return ch == 0 || ch == 1;
}

} // namespace

void drv_filter_set_default(int32 ch)
{
    if (!drv_is_channel(ch))
        return;
    s_filter_on[ch] = 0;
    drv_instance_manage_t::get_instance()->get_fpga()->set_default_filter_coefs(ch);
}

void drv_filter_set(int32 ch, long double hz)
{
    if (!drv_is_channel(ch))
        return;
    int16 coefs[DRV_FILTER_COEFS] = {};
    bool symmetric = true;
    for (int32 k = 0; k < DRV_FILTER_COEFS; ++k) {
        const int16 c = lib_trunc_i16(drv_filter_windowed_tap(hz, k) * 32768);
        const int16 m = lib_trunc_i16(drv_filter_windowed_tap(hz, DRV_FILTER_TAPS - 1 - k) * 32768);
        if (c == m)
            coefs[k] = c;
        else
            symmetric = false;
    }
    if (symmetric)
        drv_instance_manage_t::get_instance()->get_fpga()->set_filter_coefs(ch, coefs, DRV_FILTER_COEFS);
    s_filter_on[ch] = 1;
    s_filter_freq[ch] = hz;
}

void drv_filter_set_u64(int32 ch, uint64 hz)
{
    drv_filter_set(ch, static_cast<long double>(hz));
}

long double drv_filter_tap(long double hz, int32 n)
{
    const long double fc = hz / DRV_SAMPLE_CLOCK + DRV_FILTER_CUTOFF_MARGIN;
    const long double x = n - DRV_FILTER_CENTRE;
    return std::sin(DRV_PI * fc * x) / (DRV_PI * x);
}

long double drv_filter_window(int32 n)
{
    return 0.54L - 0.46L * std::cos(2 * DRV_PI * n / (DRV_FILTER_TAPS - 1));
}

long double drv_filter_windowed_tap(long double hz, int32 n)
{
    return drv_filter_tap(hz, n) * drv_filter_window(n);
}

void drv_filter_set_freq(int32 ch, long double hz)
{
    if (drv_is_channel(ch))
        s_filter_freq[ch] = hz;
}

long double drv_filter_get_freq(int32 ch)
{
    return drv_is_channel(ch) ? s_filter_freq[ch] : 0.0L;
}

void drv_filter_set_flag(int32 ch, int32 on)
{
    if (drv_is_channel(ch))
        s_filter_on[ch] = on;
}

int32 drv_filter_get_flag(int32 ch)
{
    return drv_is_channel(ch) ? s_filter_on[ch] : 0;
}
