#include "cfg_if_adwv_multi_pulse.h"

#include "cfg_instr_limit.h"
#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int64 k_big = int64(1) << 62;

// Nearest integer, halves away from zero, held in 64 bits so no length can wrap.
int64 nearest(double x) { return cfg_gen_trunc_i64(std::round(x), -k_big, k_big); }

// A length in samples of a width or delay: never less than one.
uint64 span_samples(double rate, double seconds) { return uint64(std::max<int64>(1, nearest(rate * seconds))); }

uint64 edge_samples(double rate, double seconds) { return uint64(std::max<int64>(0, nearest(rate * seconds))); }

uint64 sat_add(uint64 a, uint64 b) { return a > ~uint64(0) - b ? ~uint64(0) : a + b; }

} // namespace

cfg_if_adwv_multi_pulse_t::cfg_if_adwv_multi_pulse_t()
    : pulse_num(2), rise_time(0.0), fall_time(0.0), sample_rate(1e9), sample_period(1e-9)
{
    set_pulse_num(2);
    cfg_if_wv_t::set_wv_len(4000);
    cfg_if_wv_t::set_period(float(4000.0 / sample_rate));
    cfg_if_wv_t::set_freq(sample_rate / 4000.0);
    cfg_if_wv_t::set_srate(float(sample_rate));
    cfg_if_wv_t::set_cycle(1);
}

cfg_if_adwv_multi_pulse_t::~cfg_if_adwv_multi_pulse_t() = default;

double cfg_if_adwv_multi_pulse_t::edge_time(double seconds) const
{
    return sample_period * double(nearest(seconds / sample_period));
}

double cfg_if_adwv_multi_pulse_t::span_time(double seconds) const
{
    return sample_period * double(std::max<int64>(1, nearest(seconds / sample_period)));
}

void cfg_if_adwv_multi_pulse_t::set_pulse_num(uint32 n)
{
    n = std::min<uint32>(std::max<uint32>(n, 2), 32);
    const double one_us = span_time(1e-6);
    pulse_list.resize(n, multi_pulse_item_t{one_us, one_us});
    pulse_num = n;
}

void cfg_if_adwv_multi_pulse_t::set_pulse_srate(float rate)
{
    // A rate that is not positive has no sample period: keep the old one.
    if (!(rate > 0.0f) || std::isinf(rate))
        return;
    sample_rate = rate;
    sample_period = 1.0 / sample_rate;
    requantize_times();
}

void cfg_if_adwv_multi_pulse_t::requantize_times()
{
    rise_time = edge_time(rise_time);
    fall_time = edge_time(fall_time);
    for (multi_pulse_item_t &p : pulse_list) {
        p.width = span_time(p.width);
        p.delay = span_time(p.delay);
    }
}

void cfg_if_adwv_multi_pulse_t::set_rise_time(float seconds) { rise_time = edge_time(seconds); }

void cfg_if_adwv_multi_pulse_t::set_fall_time(float seconds) { fall_time = edge_time(seconds); }

void cfg_if_adwv_multi_pulse_t::set_pulse_width(uint32 index, float seconds)
{
    if (index < pulse_list.size())
        pulse_list[index].width = span_time(seconds);
}

void cfg_if_adwv_multi_pulse_t::set_pulse_delay(uint32 index, float seconds)
{
    if (index < pulse_list.size())
        pulse_list[index].delay = span_time(seconds);
}

int cfg_if_adwv_multi_pulse_t::get_pulse_width(uint32 index, float &out) const
{
    if (index >= pulse_list.size())
        return 0;
    out = float(pulse_list[index].width);
    return 1;
}

int cfg_if_adwv_multi_pulse_t::get_pulse_delay(uint32 index, float &out) const
{
    if (index >= pulse_list.size())
        return 0;
    out = float(pulse_list[index].delay);
    return 1;
}

int cfg_if_adwv_multi_pulse_t::create_wv_data()
{
    const int64 lo = *instr_get_min_wv_len(get_instr_type(), get_ch());
    const uint64 hi = std::min<uint64>(*instr_get_max_wv_len(get_instr_type(), get_ch()), 0xFFFFFFFFull);
    const double rate = sample_rate;
    const uint64 rs = edge_samples(rate, rise_time);
    const uint64 fs = edge_samples(rate, fall_time);
    struct lengths_t
    {
        uint64 w, d, m;
    };
    std::vector<lengths_t> len;
    // Lengths are summed in 64 bits and saturate, so a burst too long for the model is
    // refused instead of wrapping around to a short one.
    uint64 total = 0;
    for (const multi_pulse_item_t &p : pulse_list) {
        const uint64 w = span_samples(rate, p.width);
        const uint64 d = span_samples(rate, p.delay);
        const uint64 m = sat_add(sat_add(rs, fs), sat_add(w, d));
        len.push_back({w, d, m});
        total = sat_add(total, m);
    }
    if (rs > hi || fs > hi || int64(std::min<uint64>(total, uint64(k_big))) < lo || total > hi)
        return 5;

    const uint32 t = uint32(total);
    cfg_if_wv_t *base = this;
    base->set_wv_len(t);
    base->set_period(float(double(t) / rate));
    base->set_freq(rate / double(t));
    base->set_srate(float(rate));
    base->set_cycle(1);

    // Where each pulse starts in the burst.
    std::vector<uint64> start(len.size() + 1, 0);
    for (std::size_t j = 0; j < len.size(); ++j)
        start[j + 1] = start[j] + len[j].m;
    const double rsd = double(rs), fsd = double(fs);
    // Rising edge, top, falling edge and delay of each pulse, filled run by run.
    auto compute = [&](short int *buf, uint64 first, uint32 count) {
        std::size_t j = std::size_t(std::upper_bound(start.begin(), start.end(), first) - start.begin()) - 1;
        uint64 i = first - start[j];
        for (uint32 o = 0; o < count;) {
            const lengths_t &l = len[j];
            const uint64 top_end = rs + l.w;
            const uint64 fall_end = top_end + fs;
            const uint64 left = std::min<uint64>(count - o, l.m - i);
            const uint64 stop = i + left;
            for (; i < stop && i < rs; ++i)
                buf[o++] = lib_to_int16_sat(double(i) * 65534.0 / rsd - 32767.0);
            if (i < stop && i < top_end) {
                const uint64 run = std::min(stop, top_end) - i;
                std::fill(buf + o, buf + o + run, short(32767));
                o += uint32(run);
                i += run;
            }
            for (; i < stop && i < fall_end; ++i)
                buf[o++] = lib_to_int16_sat(32767.0 - double(i - top_end) * 65534.0 / fsd);
            if (i < stop) {
                const uint64 run = stop - i;
                std::fill(buf + o, buf + o + run, short(-32767));
                o += uint32(run);
                i += run;
            }
            if (i == l.m) {
                ++j;
                i = 0;
            }
        }
    };
    return cfg_gen_run(*this, total, cfg_gen_diag_t::chunk, compute);
}
