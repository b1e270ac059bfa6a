// drv_wave_data_t: the standard shapes (constant, square, ramp, sawtooth, logarithmic
// sweep profile) and the changes of a wave's length (decimation, linear
// interpolation). The arithmetic is the extended type's, every result truncated
// toward zero, so a wave is the same sample for sample wherever it is computed.
#include "drv_wave_data.h"

#include "gos.h"
#include "lib_number.h"
#include "lib_trunc.h"

#include <algorithm>
#include <cmath>

namespace {

// 16-bit negation: -32768 stays -32768.
inline int16 drv_negate16(int16 v)
{
    return static_cast<int16>(static_cast<uint16>(0u - static_cast<uint16>(v)));
}

// floor(diff / k) and its remainder without a division instruction, for the two step
// lengths an interpolation mostly uses. With x = diff + 65536 k below 2^32 (|diff| <
// 2^17, k < 2^15) and magic = ceil(2^64 / k), x * magic / 2^64 exceeds x / k by less
// than 2^-32 < 1 / k, so its whole part is exactly floor(x / k).
class drv_step_divider_t
{
public:
    explicit drv_step_divider_t(int64 k)
        : _k(k), _magic(k >= 1 && k < 32768 ? ~uint64(0) / static_cast<uint64>(k) + 1 : 0)
    {
    }
    int64 k() const { return _k; }
    bool usable() const { return _magic != 0; }
    void divide(int32 diff, int32 *q, int64 *r) const
    {
        const uint64 x = static_cast<uint64>(static_cast<int64>(diff) + 65536 * _k);
        const uint64 whole = static_cast<uint64>((static_cast<unsigned __int128>(x) * _magic) >> 64);
        *q = static_cast<int32>(static_cast<int64>(whole) - 65536);
        *r = static_cast<int64>(x - whole * static_cast<uint64>(_k));
    }

private:
    int64 _k;
    uint64 _magic;
};

} // namespace

void drv_wave_data_t::make_dc_wave(std::vector<int16> &out, int16 value)
{
    const int32 n = get_dds_wave_len();
    if (n <= 0)
        return;
    out.insert(out.end(), static_cast<std::size_t>(n), value);
}

void drv_wave_data_t::make_square_wave(long double duty, std::vector<int16> &out)
{
    const int32 n = get_dds_wave_len();
    if (n <= 0)
        return;
    // Sample i is high while i < k; k is a whole number (or infinite, or NaN, which no
    // index is below).
    const long double k = lib_trunc_ld((duty / 100) * n - 1);
    const std::size_t high = k > 0 ? static_cast<std::size_t>(std::min<long double>(k, n)) : 0;
    out.reserve(out.size() + static_cast<std::size_t>(n));
    out.insert(out.end(), high, static_cast<int16>(32767));
    out.insert(out.end(), static_cast<std::size_t>(n) - high, static_cast<int16>(-32768));
}

void drv_wave_data_t::make_ramp_wave(long double symmetry, int32 n, std::vector<int16> &out)
{
    const float peak = static_cast<float>(get_max_sample());
    const int32 half = n / 2;
    if (half <= 0)
        return;
    // The rising length is narrowed to a float, as the shape has always been computed.
    const float rise = static_cast<float>(half * (symmetry / 100));
    const long double fall = half - static_cast<long double>(rise);
    const std::size_t first = out.size();
    out.resize(first + 2 * static_cast<std::size_t>(half));
    int16 *up = out.data() + first;
    const long double rise_slope = static_cast<long double>(peak) / rise;
    const long double fall_slope = static_cast<long double>(peak) / fall;
    for (int32 i = 0; i < half; ++i) {
        if (i < rise)
            up[i] = lib_trunc_i16(static_cast<long double>(i) * rise_slope);
        else
            up[i] = lib_trunc_i16(static_cast<long double>(half - i) * fall_slope);
    }
    // The second half is the first reversed in time and negated.
    int16 *down = up + half;
    for (int32 i = 0; i < half; ++i)
        down[i] = drv_negate16(up[half - 1 - i]);
}

void drv_wave_data_t::make_sawtooth_wave(int32 dir, int32 n, std::vector<int16> &out)
{
    const std::size_t first = out.size();
    make_ramp_wave(0.0L, n, out);
    if (dir == 0)
        std::transform(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                       out.begin() + static_cast<std::ptrdiff_t>(first), drv_negate16);
}

void drv_wave_data_t::make_log_sweep_wave(int32 dir, long double count, long double f_start, long double f_end,
                                          std::vector<int16> &out)
{
    if (dir != 0 && dir != 1)
        return;
    // Samples i = 0, 1, ... while i < count; a count that is not finite makes none.
    if (!(count > 0) || !std::isfinite(count))
        return;
    const std::size_t samples = static_cast<std::size_t>(std::ceil(count));
    const std::size_t first = out.size();
    const long double peak = get_max_sample();
    const bool valid = std::isfinite(f_start) && std::isfinite(f_end) && f_start > 0 && f_end > 0 &&
                       f_start != f_end;
    if (!valid) {
        // No sweep to map: the profile stays at its start.
        out.insert(out.end(), samples, static_cast<int16>(-32767));
        return;
    }
    const long double decades = gos_log10l(f_end / f_start);
    const float span = static_cast<float>(peak - get_min_sample());
    out.resize(first + samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const long double p = std::pow(10.0L, decades * (static_cast<long double>(i) / count));
        out[first + i] = lib_trunc_i16(((f_start * p - f_start) / (f_end - f_start)) * span - peak);
    }
    // Inserting each sample at the front gives the same values in reverse order.
    if (dir == 1)
        std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

void drv_wave_data_t::resample(int32 n, const std::vector<int16> &in, std::vector<int16> &out)
{
    out.clear();
    const std::size_t m = in.size();
    if (n < 0 || static_cast<std::size_t>(n) < m)
        lib_decimate_samples(&in, &out, n);
    else if (static_cast<std::size_t>(n) > m)
        interpolate(in, out, n);
    else
        out = in;
}

void drv_wave_data_t::interpolate(const std::vector<int16> &in, std::vector<int16> &out, int32 n)
{
    out.clear();
    const std::size_t m = in.size();
    if (m == 0)
        return;
    const std::size_t target = n > 0 ? static_cast<std::size_t>(n) : 0;
    out.resize(std::max<std::size_t>(target, 1));
    int16 *dst = out.data();
    std::size_t count = 0;
    dst[count++] = in[0];
    if (m == 1 || count >= target) {
        out.resize(count);
        return;
    }
    const long double r = static_cast<long double>(n) / static_cast<long double>(m - 1);
    int32 prev = in[0];
    long double acc = r;
    // Steps are whole parts of acc, which stays below r + 1: mostly these two.
    const int64 short_len = lib_trunc_i64(r);
    const drv_step_divider_t short_step(short_len);
    const drv_step_divider_t long_step(short_len + 1);
    const long double short_l = static_cast<long double>(short_len);
    const long double long_l = short_l + 1;
    for (std::size_t j = 1; j < m && count < target; ++j) {
        const int32 cur = in[j];
        if (acc >= 1) {
            // k := trunc(acc); the comparisons keep the conversion off acc's chain.
            long double kl;
            int64 k;
            if (acc >= long_l && acc < long_l + 1) {
                kl = long_l;
                k = short_len + 1;
            } else if (acc >= short_l && acc < long_l) {
                kl = short_l;
                k = short_len;
            } else {
                kl = lib_trunc_ld(acc);
                k = lib_trunc_i64(kl);
            }
            // Sample t is trunc(prev + t x d), d = (cur - prev) / k in the extended type.
            // Its exact value prev + t (cur - prev) / k lies at least 1 / k from the next
            // whole number unless it is whole, far more than the extended type's error,
            // so it truncates the same; it is tracked exactly as q + rem / k. Only a
            // whole value, which the extended type may miss by a hair, is computed as
            // the formula says.
            const int32 diff = cur - prev;
            const int64 room = static_cast<int64>(target - count);
            const int64 steps = k < room ? k : room;
            // t = 0 is prev itself.
            dst[count++] = static_cast<int16>(prev);
            if (steps > 1) {
                // k <= n / (m - 1) fits 32 bits, and so does the division.
                int32 dq;
                int64 dr;
                if (k == short_step.k() && short_step.usable()) {
                    short_step.divide(diff, &dq, &dr);
                } else if (k == long_step.k() && long_step.usable()) {
                    long_step.divide(diff, &dq, &dr);
                } else {
                    const int32 k32 = static_cast<int32>(k);
                    dq = diff / k32;
                    dr = diff % k32;
                    if (dr < 0) {
                        dr += k;
                        --dq;
                    }
                }
                int32 q = prev + dq;
                int64 rem = dr;
                long double d = 0;
                bool have_d = false;
                for (int64 t = 1; t < steps; ++t) {
                    int32 v = q + (q < 0 ? 1 : 0);
                    if (rem == 0) {
                        if (!have_d) {
                            d = static_cast<long double>(diff) / kl;
                            have_d = true;
                        }
                        v = lib_trunc_i16(prev + static_cast<long double>(t) * d);
                    }
                    dst[count++] = static_cast<int16>(v);
                    q += dq;
                    rem += dr;
                    const int32 carry = rem >= k ? 1 : 0;
                    q += carry;
                    rem -= carry * k;
                }
            }
            acc -= kl;
        }
        acc += r;
        prev = cur;
    }
    out.resize(count);
}

int32 drv_wave_data_t::decimate(const std::vector<int16> &in, std::vector<int16> &out, int32 n)
{
    return lib_decimate_samples(&in, &out, n);
}
