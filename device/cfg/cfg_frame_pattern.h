#pragma once
// cfg_frame_pattern_t: a bit frame: three leading bits, a 4-bit length code, the data
// bytes (zeros), a CRC-15 check sum of the bus standard (polynomial 0x4599, initial
// value 0) and closing bits, with bit stuffing available. Its apply only refreshes and
// scales its (empty) sample vector; nothing sends a frame.
//
// The clamping setters use the serial pattern's limits: 100 to 115200 bit/s and an
// amplitude of 10 to 2e8.
#include "cfg_pattern_limits.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>
#include <vector>

// The CRC-15 of the bit values (each 0 or non-zero), first value first.
uint16 cfg_crc15(const std::vector<int16> &bits);

class cfg_frame_pattern_t
{
public:
    void init(int32 ch);
    // 1, -10 (maximum stored) or -11 (minimum stored).
    int32 set_bit_rate(int32 rate);
    int32 set_amplitude(lib_unit_data_t value);
    int32 store_bit_rate(int32 rate)
    {
        bit_rate = rate;
        return 1;
    }
    int32 store_amplitude(lib_unit_data_t value)
    {
        amplitude = value;
        return 1;
    }
    int32 get_bit_rate() const { return bit_rate; }
    lib_unit_data_t get_amplitude() const { return amplitude; }
    void set_text_length(int32 v) { text_length = v; }
    int32 get_text_length() const { return text_length; }
    void set_length_code(int32 v) { length_code = v; }
    int32 get_length_code() const { return length_code; }
    void set_setting_a(int32 v) { setting_a = v; }
    int32 get_setting_a() const { return setting_a; }
    void set_setting_b(int32 v) { setting_b = v; }
    int32 get_setting_b() const { return setting_b; }
    void get_samples(std::vector<int16> &out) const { out = samples; }
    const std::vector<int16> &get_frame_bits() const { return frame_bits; }
    void set_frame_bits(const std::vector<int16> &bits) { frame_bits = bits; }
    int32 is_supported() const;
    // Empties the samples; 0 without the driver's support, else the channel's text
    // length is copied in and 1.
    int32 refresh();
    void apply();
    // The frame into frame_bits, printing the check-sum line; 1.
    int32 build(int32 unused_a, int32 unused_b);
    // A value of the other kind after every run of five equal values; 1.
    int32 stuff_bits();
    // Two closing values appended; 1.
    int32 add_trail_pair();

private:
    int32 channel = 0;
    int32 bit_rate = 0;
    int32 text_length = 0;
    int32 length_code = 0;
    int32 lead_level = 0;
    int32 trail_level = 0;
    std::string unused_text_a;
    std::string unused_text_b;
    int32 setting_b = 0;
    int32 setting_a = 0;
    lib_unit_data_t value{0.0L, 14, false};
    lib_unit_data_t amplitude{0.0L, 14, false};
    std::vector<int16> samples;
    std::vector<int16> frame_bits;
    cfg_pattern_limits_t limits;
};
