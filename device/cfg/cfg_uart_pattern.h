#pragma once
// cfg_uart_pattern_t: the serial character pattern of wave type 12. It frames the
// channel's pattern text as asynchronous serial characters (start bit, 5 to 8 data
// bits, optional parity, 1, 1.5 or 2 stop bits, a gap after each character, idle
// around the text) at two samples per bit, and hands the stream to the driver with its
// amplitude, twice the bit rate as sample rate and the channel's load. Everything is
// guarded by the driver's data-pattern support: without it nothing is built.
//
// Clamping setters return 1, -10 (the maximum stored) or -11 (the minimum stored).
#include "cfg_pattern_limits.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>
#include <vector>

// out = every value of in x 32767 / max(|high|, |low|), truncated toward zero and held
// in the 16-bit range; all zeros when both are 0. in must not be out. 1.
int32 cfg_scale_to_full_range(const std::vector<int16> &in, float high, float low, std::vector<int16> &out);

class cfg_uart_pattern_t
{
public:
    cfg_uart_pattern_t() = default;

    // Every default: 9600 bit/s, no gaps, amplitude 4.0, 8 data bits, 1 stop bit, odd
    // parity, inverted polarity, most significant bit first, the limits.
    void init(int32 ch);
    void set_limits();

    int32 set_bit_rate(int32 rate);
    int32 get_bit_rate() const { return bit_rate; }
    // The value alone is clamped; unit code and flag are stored as passed.
    int32 set_amplitude(lib_unit_data_t value);
    lib_unit_data_t get_amplitude() const { return amplitude; }
    // Above 8: 8 (-10); 4 or less: 5 (-11).
    int32 set_data_bits(int32 bits);
    int32 get_data_bits() const { return data_bits; }
    // Times in seconds, held as whole bit periods (at most 120): a negative time gives
    // -11 and stores nothing; more than 120 periods stores 120 periods (-10); with a
    // bit rate of 0 nothing can be converted (-12).
    int32 set_char_gap(lib_unit_data_t value);
    lib_unit_data_t get_char_gap() const { return char_gap; }
    int32 set_frame_idle(lib_unit_data_t value);
    lib_unit_data_t get_frame_idle() const { return frame_idle; }
    int16 get_char_gap_bits() const { return char_gap_bits; }
    int16 get_frame_idle_bits() const { return frame_idle_bits; }
    void set_stop_bits(long double bits) { stop_bits = bits; }
    long double get_stop_bits() const { return stop_bits; }
    void set_parity(int32 v) { parity = v; }
    int32 get_parity() const { return parity; }
    void set_polarity(int32 v) { polarity = v; }
    int32 get_polarity() const { return polarity; }
    void set_bit_order(int32 v) { bit_order = v; }
    int32 get_bit_order() const { return bit_order; }
    void set_char_count(int32 v) { char_count = v; }
    int32 get_char_count() const { return char_count; }
    void set_aux(int32 v) { aux = v; }
    int32 get_aux() const { return aux; }
    int32 get_parity_bit() const { return parity_bit; }
    int32 get_channel() const { return channel; }
    int32 store_bit_rate(int32 rate)
    {
        bit_rate = rate;
        return 1;
    }
    int32 store_data_bits(int32 bits)
    {
        data_bits = bits;
        return 1;
    }
    int32 store_amplitude(lib_unit_data_t value)
    {
        amplitude = value;
        return 1;
    }

    void get_samples(std::vector<int16> &out) const { out = samples; }
    int32 is_supported() const;
    // Asks the driver and ignores the answer; 0.
    int32 refresh();
    void reset(int32) {}
    void notify(int32) {}
    // The stream of 0 and 1 values from the channel's text; 1, or 0 (nothing built)
    // without the driver's support. Only the characters the text has are framed.
    int32 build();
    // The build's framing of the first length characters of text (no more than it
    // has), without the support question; 1.
    int32 build_from(const std::string &text, int32 length);
    // Build, scale to 0 and 32767, send.
    void apply();
    // The stream to the driver while the channel's output is on.
    void send();

private:
    int32 convert_time(const lib_unit_data_t &value, lib_unit_data_t &time, int16 &bits);
    // One character's framed samples (polarity applied) into out; its parity bit, or -1.
    int32 frame_char(uint8 code, int16 *out);
    int32 frame_length(int32 bits) const;

    int32 channel = 0;
    int32 bit_rate = 0;
    lib_unit_data_t char_gap{0.0L, 14, false};
    lib_unit_data_t frame_idle{0.0L, 14, false};
    int16 frame_idle_bits = 0;
    int16 char_gap_bits = 0;
    int32 char_count = 0;
    int32 aux = 0;
    lib_unit_data_t amplitude{0.0L, 14, false};
    int32 data_bits = 0;
    long double stop_bits = 0.0L;
    int32 parity = 0;
    int32 polarity = 0;
    int32 bit_order = 0;
    std::vector<int16> samples;
    int32 parity_bit = 0;
    cfg_pattern_limits_t limits;
};
