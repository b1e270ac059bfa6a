// cfg_uart_pattern_t: the serial character pattern, and the scaling to full range.
#include "cfg_uart_pattern.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_pattern.h"
#include "cfg_wv_main.h"
#include "drv_para.h"
#include "lib_trunc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

namespace
{
constexpr int32 MAX_GAP_BITS = 120;
constexpr int32 SAMPLES_PER_BIT = 2;
constexpr int32 MAX_DATA_BITS = 32;
constexpr size_t COPY_BLOCK = 8;
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

void cfg_uart_pattern_t::set_limits() { limits = cfg_pattern_limits_t(); }

int32 cfg_uart_pattern_t::set_bit_rate(int32 rate)
{
    const int32 r = limits.clamp_bit_rate(rate);
    bit_rate = rate;
    return r;
}

int32 cfg_uart_pattern_t::set_amplitude(lib_unit_data_t value)
{
    const int32 r = limits.clamp_amplitude(value.data);
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

int32 cfg_uart_pattern_t::frame_char(uint8 code, int16 *out)
{
    // The values below are 0 and 1, so the inversion |v - 1| is v ^ 1.
    const int16 flip = polarity == 1 ? 0 : 1;
    const int32 bits = std::clamp(data_bits, 0, MAX_DATA_BITS);
    int16 d[MAX_DATA_BITS];
    for (int32 b = bits - 1, k = 0; b >= 0; --b, ++k)
        d[k] = static_cast<int16>(b < 8 && ((code >> b) & 1U) ? 1 : 0);
    if (bit_order != 0)
        std::reverse(d, d + bits);
    int32 n = 0;
    auto put = [&](int16 v, int32 count) {
        for (int32 i = 0; i < count; ++i)
            out[n++] = static_cast<int16>(v ^ flip);
    };
    put(0, SAMPLES_PER_BIT);
    int32 ones = 0;
    for (int32 k = 0; k < bits; ++k)
    {
        ones += d[k];
        put(d[k], SAMPLES_PER_BIT);
    }
    int32 bit = -1;
    if (parity == 0)
        bit = ones % 2 == 0 ? 1 : 0;
    else if (parity == 1)
        bit = ones % 2 == 1 ? 1 : 0;
    if (bit >= 0)
        put(static_cast<int16>(bit), SAMPLES_PER_BIT);
    put(1, stop_bits == 1.0L ? 2 : stop_bits == 1.5L ? 3 : 4);
    put(1, std::max<int32>(char_gap_bits, 0) * SAMPLES_PER_BIT);
    return bit;
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
    char_count = length;
    // A length beyond the text frames only the characters that exist.
    const size_t chars = std::min(static_cast<size_t>(std::max(length, 0)), text.size());
    const int32 bits = std::clamp(data_bits, 0, MAX_DATA_BITS);
    const size_t frame_len = static_cast<size_t>(frame_length(bits));
    // Frames are kept and copied in whole blocks of COPY_BLOCK samples; the last block
    // of a frame may run past it into the next frame's place or the slack at the end.
    const size_t slot_len = (frame_len + COPY_BLOCK - 1) / COPY_BLOCK * COPY_BLOCK;
    const size_t idle = static_cast<size_t>(std::max<int16>(frame_idle_bits, 0));
    const int16 idle_value = polarity == 1 ? 1 : 0;
    const size_t total = 2 * idle + chars * frame_len;
    // Every sample is written below, so the buffer of an earlier build is reused as it is.
    samples.resize(total + COPY_BLOCK);
    std::fill(samples.begin(), samples.begin() + static_cast<long>(idle), idle_value);
    // A text repeats few distinct characters: each one is framed once and copied after.
    std::array<int32, 256> slot;
    slot.fill(-1);
    std::array<int32, 256> parity_of{};
    std::vector<int16> frames;
    frames.reserve(slot_len * 64);
    for (size_t i = 0; i < chars; ++i)
    {
        const uint8 code = static_cast<uint8>(text[i]);
        if (slot[code] >= 0)
            continue;
        slot[code] = static_cast<int32>(frames.size());
        frames.resize(frames.size() + slot_len);
        parity_of[code] = frame_char(code, frames.data() + slot[code]);
    }
    const int16 *table = frames.data();
    const uint8 *codes = reinterpret_cast<const uint8 *>(text.data());
    int16 *out = samples.data() + idle;
    for (size_t i = 0; i < chars; ++i, out += frame_len)
    {
        const int16 *frame = table + slot[codes[i]];
        for (size_t k = 0; k < frame_len; k += COPY_BLOCK)
            std::memcpy(out + k, frame + k, COPY_BLOCK * sizeof(int16));
    }
    if (chars > 0 && parity_of[codes[chars - 1]] >= 0)
        parity_bit = parity_of[codes[chars - 1]];
    // The slack and whatever the last block spilled into the closing idle.
    std::fill(samples.begin() + static_cast<long>(total - idle), samples.end(), idle_value);
    samples.resize(total);
    return 1;
}

int32 cfg_uart_pattern_t::frame_length(int32 bits) const
{
    const int32 parity_bits = parity == 0 || parity == 1 ? 1 : 0;
    const int32 stop = stop_bits == 1.0L ? 2 : stop_bits == 1.5L ? 3 : 4;
    return SAMPLES_PER_BIT * (1 + bits + parity_bits) + stop + std::max<int32>(char_gap_bits, 0) * SAMPLES_PER_BIT;
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
