#pragma once
// The calibration record as the module's flash stores it: 1496 bytes, little-endian.
//
//   0   u32      checksum: negated byte sum of bytes 4 to 1495
//   4   u32      length, 1496 (only the low 16 bits are compared on load)
//   8   char[16] name, "new forever" and its zero (bytes 20 to 23 are left as stored)
//   24  the values (cali_values_t), each long double in a 12-byte slot: the 10 bytes
//       of the x87 extended value, then 2 padding bytes (written as zeros, ignored on
//       read), whatever size the compiler gives a long double in memory
//   1240 256 reserved bytes, carried from a load to the next save
//
// The record keeps channel 0 only.
#include "lib_types.h"

constexpr uint32 CALI_RECORD_SIZE = 1496;
constexpr uint32 CALI_RECORD_CHECKSUM = 0;
constexpr uint32 CALI_RECORD_LENGTH = 4;
constexpr uint32 CALI_RECORD_NAME = 8;
constexpr uint32 CALI_RECORD_NAME_SIZE = 16;
// The name and its zero, the part of the name field that is written and compared.
constexpr char CALI_RECORD_NAME_TEXT[] = "new forever";
constexpr uint32 CALI_RECORD_NAME_USED = sizeof(CALI_RECORD_NAME_TEXT);
// The values: what the object keeps in memory.
constexpr uint32 CALI_RECORD_VALUES = 24;
constexpr uint32 CALI_RECORD_RESERVED = 1240;
constexpr uint32 CALI_RECORD_RESERVED_SIZE = CALI_RECORD_SIZE - CALI_RECORD_RESERVED;
constexpr uint32 CALI_RECORD_SLOT = 12;

constexpr int32 CALI_DAC_LINE_POINTS = 23;
constexpr int32 CALI_FREQ_SHEETS = 2;
constexpr int32 CALI_FREQ_POINTS = 7;

// One point of the wave DAC's line: the output amplitude volt that the reference
// voltage vref produces.
struct cali_dac_point_t
{
    long double vref;
    long double volt;
};

// One point of the frequency correction: dB at a frequency in Hz.
struct cali_freq_point_t
{
    long double freq;
    long double compensate;
};

// The block of one channel (record offsets 76 to 735).
struct cali_ch_data_t
{
    long double dac_delta;             // wave DAC trim code
    long double adder_delta;           // offset DAC code at 0 V, low set
    long double adder_amplifier_delta; // offset DAC code at 0 V, high set
    long double dc_adder_slope;        // offset DAC codes per volt, low set
    long double dc_coarse_slope;       // offset DAC codes per volt, high set
    long double ac_adder_gain;         // dB with both range relays off
    long double first_coarse_gain;     // dB added by range relay 1
    long double second_coarse_gain;    // dB added by range relay 2
    cali_dac_point_t dac_line_data[CALI_DAC_LINE_POINTS];
    long double invariable_gain; // fixed dB
};

// Record bytes 24 to 1495 as values.
struct cali_values_t
{
    long double fb_delta;     // feedback ADC counts at 0 V
    long double fb_pos_slope; // counts per volt at or below fb_delta
    long double fb_neg_slope; // counts per volt above it
    int32 ctl_delta;          // DAC reference code at 0 V
    long double ctl_slope;    // DAC reference codes per volt
    cali_ch_data_t cali_ch_data;
    cali_freq_point_t cali_freq_data[CALI_FREQ_SHEETS][CALI_FREQ_POINTS];
    long double low_freq_resp_comp[CALI_FREQ_SHEETS][CALI_FREQ_POINTS];
    uint8 reserved[CALI_RECORD_RESERVED_SIZE];
};

// The value's 10 x87 bytes into slot[0..9] and zeros into slot[10..11].
void cali_ext80_write(uint8 *slot, long double value);
// The value of slot[0..9], bit for bit.
long double cali_ext80_read(const uint8 *slot);

uint32 cali_u32_read(const uint8 *bytes);
void cali_u32_write(uint8 *bytes, uint32 value);

// The values into bytes 24 to 1495 of a whole record, and back.
void cali_values_encode(const cali_values_t &values, uint8 *record);
void cali_values_decode(const uint8 *record, cali_values_t *values);
