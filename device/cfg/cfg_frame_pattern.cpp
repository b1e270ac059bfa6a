// cfg_frame_pattern_t: the bit frame with its check sum.
#include "cfg_frame_pattern.h"

#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_pattern.h"
#include "cfg_uart_pattern.h"
#include "gos.h"

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr uint16 CRC15_POLY = 0x4599;
constexpr int32 CRC_BITS = 15;
constexpr int32 STUFF_RUN = 5;
} // namespace

uint16 cfg_crc15(const std::vector<int16> &bits)
{
    uint16 crc = 0;
    for (int16 b : bits)
    {
        const bool next = (b != 0) != (((crc >> 14) & 1U) != 0);
        crc = static_cast<uint16>((crc << 1) & 0x7FFF);
        if (next)
            crc ^= CRC15_POLY;
    }
    return crc;
}

void cfg_frame_pattern_t::init(int32 ch)
{
    channel = ch;
    bit_rate = 9600;
    length_code = 8;
    lead_level = 1;
    trail_level = 0;
    setting_b = 0;
    setting_a = 0;
    value = {0.0L, 14, false};
    amplitude = {4.0L, 14, false};
    samples.clear();
    frame_bits.clear();
    limits = cfg_pattern_limits_t();
}

int32 cfg_frame_pattern_t::set_bit_rate(int32 rate)
{
    const int32 r = limits.clamp_bit_rate(rate);
    bit_rate = rate;
    return r;
}

int32 cfg_frame_pattern_t::set_amplitude(lib_unit_data_t v)
{
    const int32 r = limits.clamp_amplitude(v.data);
    amplitude = v;
    return r;
}

int32 cfg_frame_pattern_t::is_supported() const { return cfg_drv_is_data_pattern_supported() ? 1 : 0; }

int32 cfg_frame_pattern_t::refresh()
{
    samples.clear();
    if (!cfg_drv_is_data_pattern_supported())
        return 0;
    cfg_pattern_t *pattern = cfg_get_pattern(channel);
    pattern->get_text_length(text_length);
    return 1;
}

void cfg_frame_pattern_t::apply()
{
    refresh();
    const std::vector<int16> copy = samples;
    cfg_scale_to_full_range(copy, 1.0f, 0.0f, samples);
}

int32 cfg_frame_pattern_t::build(int32, int32)
{
    const int16 lead = static_cast<int16>(lead_level);
    const int16 trail = static_cast<int16>(trail_level);
    frame_bits.assign(3, lead);
    for (int32 b = 3; b >= 0; --b)
        frame_bits.push_back(static_cast<int16>((length_code >> b) & 1));
    if (length_code > 0)
        frame_bits.insert(frame_bits.end(), static_cast<size_t>(length_code) * 8, 0);
    const uint16 crc = cfg_crc15(frame_bits);
    std::string digits;
    std::string pairs;
    for (int32 b = CRC_BITS - 1; b >= 0; --b)
    {
        const char d = ((crc >> b) & 1U) ? '1' : '0';
        digits += d;
        pairs += ' ';
        pairs += d;
        frame_bits.push_back(static_cast<int16>(d - '0'));
    }
    gos_printf(" bit_set:%s\t\t%s\n", digits.c_str(), pairs.c_str());
    std::fflush(stdout);
    frame_bits.insert(frame_bits.end(), 7, trail);
    return 1;
}

int32 cfg_frame_pattern_t::stuff_bits()
{
    std::vector<int16> out;
    out.reserve(frame_bits.size() + frame_bits.size() / STUFF_RUN + 1);
    int16 run_value = -1;
    int32 run_length = 0;
    for (int16 v : frame_bits)
    {
        out.push_back(v);
        if (v == run_value)
        {
            ++run_length;
        }
        else
        {
            run_value = v;
            run_length = 1;
        }
        if (run_length == STUFF_RUN)
        {
            const int16 inserted = static_cast<int16>(std::abs(v - 1));
            out.push_back(inserted);
            run_value = inserted;
            run_length = 1;
        }
    }
    frame_bits.swap(out);
    return 1;
}

int32 cfg_frame_pattern_t::add_trail_pair()
{
    frame_bits.insert(frame_bits.end(), 2, static_cast<int16>(trail_level));
    return 1;
}
