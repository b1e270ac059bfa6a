// cfg_uart_pattern_t: the serial character pattern, and the scaling to full range.
#include "cfg_uart_pattern.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port_dev.h"
#include "cfg_main.h"
#include "cfg_pattern.h"
#include "cfg_wv_main.h"
#include "drv_para.h"
#include "lib_trunc.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
constexpr int32 MAX_GAP_BITS = 120;
constexpr int32 SAMPLES_PER_BIT = 2;
} // namespace

int32 cfg_scale_to_full_range(const std::vector<int16> &in, float high, float low, std::vector<int16> &out)
{
    out.clear();
    out.reserve(in.size());
    const float peak = std::max(std::fabs(high), std::fabs(low));
    if (!(peak > 0.0f))
    {
        out.assign(in.size(), 0);
        return 1;
    }
    const long double factor = 32767.0L / static_cast<long double>(peak);
    for (int16 v : in)
    {
        const long double scaled = std::clamp(v * factor, -32768.0L, 32767.0L);
        out.push_back(lib_trunc_i16(scaled));
    }
    return 1;
}

void cfg_uart_pattern_t::init(int32 ch)
{
    channel = ch;
    bit_rate = 9600;
    char_gap.data = 0.0L;
    char_gap.unit = 14;
    frame_idle.data = 0.0L;
    frame_idle.unit = 14;
    frame_idle_bits = 0;
    char_gap_bits = 0;
    char_count = 0;
    aux = 0;
    amplitude.data = 4.0L;
    amplitude.unit = 14;
    data_bits = 8;
    stop_bits = 1.0L;
    parity = 0;
    polarity = 0;
    bit_order = 0;
    samples.clear();
    parity_bit = 0;
    set_limits();
}

void cfg_uart_pattern_t::set_limits()
{
    bit_rate_min = 100;
    bit_rate_max = 115200;
    amplitude_min = 10.0L;
    amplitude_max = 2.0e8L;
}

int32 cfg_uart_pattern_t::set_bit_rate(int32 rate)
{
    int32 r = 1;
    if (rate > bit_rate_max)
    {
        rate = bit_rate_max;
        r = -10;
    }
    else if (rate < bit_rate_min)
    {
        rate = bit_rate_min;
        r = -11;
    }
    bit_rate = rate;
    return r;
}

int32 cfg_uart_pattern_t::set_amplitude(lib_unit_data_t value)
{
    int32 r = 1;
    if (value.data > amplitude_max)
    {
        value.data = amplitude_max;
        r = -10;
    }
    else if (value.data < amplitude_min)
    {
        value.data = amplitude_min;
        r = -11;
    }
    amplitude = value;
    return r;
}

int32 cfg_uart_pattern_t::set_data_bits(int32 bits)
{
    if (bits > 8)
    {
        data_bits = 8;
        return -10;
    }
    if (bits <= 4)
    {
        data_bits = 5;
        return -11;
    }
    data_bits = bits;
    return 1;
}

int32 cfg_uart_pattern_t::convert_time(const lib_unit_data_t &value, lib_unit_data_t &time, int16 &bits)
{
    if (!(value.data >= 0.0L))
        return -11;
    if (bit_rate == 0)
        return -12;
    const long double periods = value.data * bit_rate;
    if (periods >= MAX_GAP_BITS + 1)
    {
        bits = MAX_GAP_BITS;
        time.data = static_cast<long double>(MAX_GAP_BITS) / bit_rate;
        return -10;
    }
    bits = lib_trunc_i16(periods);
    time = value;
    return 1;
}

int32 cfg_uart_pattern_t::set_char_gap(lib_unit_data_t value) { return convert_time(value, char_gap, char_gap_bits); }

int32 cfg_uart_pattern_t::set_frame_idle(lib_unit_data_t value)
{
    return convert_time(value, frame_idle, frame_idle_bits);
}

int32 cfg_uart_pattern_t::is_supported() const { return cfg_drv_is_data_pattern_supported() ? 1 : 0; }

int32 cfg_uart_pattern_t::refresh()
{
    cfg_drv_is_data_pattern_supported();
    return 0;
}

void cfg_uart_pattern_t::frame_char(std::vector<int16> d)
{
    if (bit_order != 0)
        std::reverse(d.begin(), d.end());
    const auto ones = std::count(d.begin(), d.end(), int16(1));
    if (parity == 0 || parity == 1)
    {
        const bool even = ones % 2 == 0;
        parity_bit = (parity == 0) == even ? 1 : 0;
        d.push_back(static_cast<int16>(parity_bit));
    }
    d.insert(d.begin(), 0);
    for (int16 v : d)
        samples.insert(samples.end(), SAMPLES_PER_BIT, v);
    const size_t stop = stop_bits == 1.0L ? 2 : stop_bits == 1.5L ? 3 : 4;
    samples.insert(samples.end(), stop, 1);
    samples.insert(samples.end(), static_cast<size_t>(std::max<int16>(char_gap_bits, 0)) * SAMPLES_PER_BIT, 1);
}

int32 cfg_uart_pattern_t::build()
{
    samples.clear();
    if (!cfg_drv_is_data_pattern_supported())
        return 0;
    cfg_pattern_t *pattern = cfg_get_pattern(channel);
    std::string text;
    pattern->get_text(text);
    int32 length = 0;
    pattern->get_text_length(length);
    return build_from(text, length);
}

int32 cfg_uart_pattern_t::build_from(const std::string &text, int32 length)
{
    samples.clear();
    char_count = length;
    // A length beyond the text frames only the characters that exist.
    const size_t chars = std::min(static_cast<size_t>(std::max(length, 0)), text.size());
    const int32 bits = std::clamp(data_bits, 0, 32);
    std::vector<int16> d(static_cast<size_t>(bits));
    for (size_t i = 0; i < chars; ++i)
    {
        const uint32 code = static_cast<uint8>(text[i]);
        for (int32 b = bits - 1, k = 0; b >= 0; --b, ++k)
            d[static_cast<size_t>(k)] = static_cast<int16>(b < 8 && ((code >> b) & 1U) ? 1 : 0);
        frame_char(d);
    }
    if (frame_idle_bits > 0)
    {
        samples.insert(samples.begin(), static_cast<size_t>(frame_idle_bits), 1);
        samples.insert(samples.end(), static_cast<size_t>(frame_idle_bits), 1);
    }
    if (polarity != 1)
    {
        for (int16 &v : samples)
            v = static_cast<int16>(std::abs(v - 1));
    }
    return 1;
}

void cfg_uart_pattern_t::apply()
{
    build();
    const std::vector<int16> copy = samples;
    cfg_scale_to_full_range(copy, 1.0f, 0.0f, samples);
    send();
}

void cfg_uart_pattern_t::send()
{
    cfg_wv_main_t *wv = cfg_get_wv_main(channel);
    if (wv->get_output() != 1)
        return;
    int32 load = 0;
    wv->get_bswv_main()->get_load(&load);
    drv_data_pattern_para_t para{};
    para.ampl = amplitude.data;
    para.sample_rate = 2.0L * bit_rate;
    para.samples = &samples;
    para.load = static_cast<long double>(load);
    cfg_drv_set_data_pattern_wave(channel, &para);
}
