// cfg_harmonic_sum_t: the peak search and the scaled addition of the harmonic sum.
#include "cfg_harmonic_sum.h"

#include "lib_trunc.h"

#include <cstdlib>

int32 cfg_harmonic_sum_t::find_peak(std::vector<int16> a, long double a_ampl, std::vector<int16> b,
                                    long double b_ampl)
{
    if (a.size() != b.size() || b_ampl <= 0.0L)
        return 32767;
    const long double r = b_ampl / a_ampl;
    int32 peak = 0;
    int64 peak_mag = 0;
    for (size_t i = 0; i < a.size(); ++i)
    {
        const int32 v = lib_trunc_i32(a[i] + b[i] * r);
        const int64 mag = std::llabs(static_cast<int64>(v));
        if (mag > peak_mag)
        {
            peak = v;
            peak_mag = mag;
        }
    }
    return peak;
}

long double cfg_harmonic_sum_t::get_scale(int32 peak)
{
    const long double mag = std::llabs(static_cast<int64>(peak));
    return mag <= 32766.0L ? 1.0L : 32767.0L / mag;
}

int32 cfg_harmonic_sum_t::add_scaled(std::vector<int16> &a, long double &a_ampl, std::vector<int16> b,
                                     long double b_ampl, long double k)
{
    if (a.size() != b.size())
        return 0;
    const long double r = b_ampl / a_ampl;
    a_ampl = a_ampl / k;
    for (size_t i = 0; i < a.size(); ++i)
        a[i] = lib_trunc_i16((a[i] + b[i] * r) * k);
    return 1;
}

long double cfg_harmonic_sum_t::add_wave(std::vector<int16> &a, long double &a_ampl, std::vector<int16> b,
                                         long double b_ampl)
{
    if (a.size() != b.size() || b_ampl <= 0.0L)
        return 1.0L;
    const long double k = get_scale(find_peak(a, a_ampl, b, b_ampl));
    add_scaled(a, a_ampl, std::move(b), b_ampl, k);
    return k;
}
