#include "cali_record.h"

#include <cfloat>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "record slots hold x87 extended values");

namespace {

constexpr uint32 CALI_EXT80_BYTES = 10;
constexpr uint32 CALI_OFFSET_CTL_DELTA = 60;
constexpr uint32 CALI_OFFSET_CH_DATA = 76;
constexpr uint32 CALI_OFFSET_DAC_LINE = 172;
constexpr uint32 CALI_OFFSET_INVARIABLE = 724;
constexpr uint32 CALI_OFFSET_FREQ_DATA = 736;
constexpr uint32 CALI_OFFSET_LOW_FREQ = 1072;
constexpr uint32 CALI_DAC_POINT_SIZE = 24;
constexpr uint32 CALI_FREQ_POINT_SIZE = 24;
constexpr uint32 CALI_FREQ_SHEET_SIZE = CALI_FREQ_POINTS * CALI_FREQ_POINT_SIZE;
constexpr uint32 CALI_LOW_SHEET_SIZE = CALI_FREQ_POINTS * CALI_RECORD_SLOT;

// Calls visit(record offset, value) for every extended value of the record, so that
// encoding and decoding walk the same layout.
template <typename values_t, typename visit_t>
void cali_visit_slots(values_t &v, visit_t &&visit)
{
    visit(24, v.fb_delta);
    visit(36, v.fb_pos_slope);
    visit(48, v.fb_neg_slope);
    visit(64, v.ctl_slope);
    auto &ch = v.cali_ch_data;
    visit(CALI_OFFSET_CH_DATA + 0 * CALI_RECORD_SLOT, ch.dac_delta);
    visit(CALI_OFFSET_CH_DATA + 1 * CALI_RECORD_SLOT, ch.adder_delta);
    visit(CALI_OFFSET_CH_DATA + 2 * CALI_RECORD_SLOT, ch.adder_amplifier_delta);
    visit(CALI_OFFSET_CH_DATA + 3 * CALI_RECORD_SLOT, ch.dc_adder_slope);
    visit(CALI_OFFSET_CH_DATA + 4 * CALI_RECORD_SLOT, ch.dc_coarse_slope);
    visit(CALI_OFFSET_CH_DATA + 5 * CALI_RECORD_SLOT, ch.ac_adder_gain);
    visit(CALI_OFFSET_CH_DATA + 6 * CALI_RECORD_SLOT, ch.first_coarse_gain);
    visit(CALI_OFFSET_CH_DATA + 7 * CALI_RECORD_SLOT, ch.second_coarse_gain);
    for (uint32 i = 0; i < CALI_DAC_LINE_POINTS; ++i) {
        const uint32 at = CALI_OFFSET_DAC_LINE + i * CALI_DAC_POINT_SIZE;
        visit(at, ch.dac_line_data[i].vref);
        visit(at + CALI_RECORD_SLOT, ch.dac_line_data[i].volt);
    }
    visit(CALI_OFFSET_INVARIABLE, ch.invariable_gain);
    for (uint32 s = 0; s < CALI_FREQ_SHEETS; ++s)
        for (uint32 i = 0; i < CALI_FREQ_POINTS; ++i) {
            const uint32 at = CALI_OFFSET_FREQ_DATA + s * CALI_FREQ_SHEET_SIZE + i * CALI_FREQ_POINT_SIZE;
            visit(at, v.cali_freq_data[s][i].freq);
            visit(at + CALI_RECORD_SLOT, v.cali_freq_data[s][i].compensate);
        }
    for (uint32 s = 0; s < CALI_FREQ_SHEETS; ++s)
        for (uint32 i = 0; i < CALI_FREQ_POINTS; ++i)
            visit(CALI_OFFSET_LOW_FREQ + s * CALI_LOW_SHEET_SIZE + i * CALI_RECORD_SLOT, v.low_freq_resp_comp[s][i]);
}

} // namespace

void cali_ext80_write(uint8 *slot, long double value)
{
    // The first 10 bytes of an x87 long double in memory are the value itself.
    std::memcpy(slot, &value, CALI_EXT80_BYTES);
    slot[10] = 0;
    slot[11] = 0;
}

long double cali_ext80_read(const uint8 *slot)
{
    long double value = 0.0L;
    std::memcpy(&value, slot, CALI_EXT80_BYTES);
    return value;
}

uint32 cali_u32_read(const uint8 *bytes)
{
    return static_cast<uint32>(bytes[0]) | static_cast<uint32>(bytes[1]) << 8 | static_cast<uint32>(bytes[2]) << 16 |
           static_cast<uint32>(bytes[3]) << 24;
}

void cali_u32_write(uint8 *bytes, uint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8>(value >> (8 * i));
}

void cali_values_encode(const cali_values_t &values, uint8 *record)
{
    // Byte copies of the stored objects: no trip through the x87 registers.
    cali_visit_slots(values, [record](uint32 at, const long double &value) {
        std::memcpy(record + at, &value, CALI_EXT80_BYTES);
        record[at + 10] = 0;
        record[at + 11] = 0;
    });
    cali_u32_write(record + CALI_OFFSET_CTL_DELTA, static_cast<uint32>(values.ctl_delta));
    std::memcpy(record + CALI_RECORD_RESERVED, values.reserved, CALI_RECORD_RESERVED_SIZE);
}

void cali_values_decode(const uint8 *record, cali_values_t *values)
{
    cali_visit_slots(*values, [record](uint32 at, long double &value) {
        unsigned char *bytes = reinterpret_cast<unsigned char *>(&value);
        std::memcpy(bytes, record + at, CALI_EXT80_BYTES);
        std::memset(bytes + CALI_EXT80_BYTES, 0, sizeof(long double) - CALI_EXT80_BYTES);
    });
    values->ctl_delta = static_cast<int32>(cali_u32_read(record + CALI_OFFSET_CTL_DELTA));
    std::memcpy(values->reserved, record + CALI_RECORD_RESERVED, CALI_RECORD_RESERVED_SIZE);
}
