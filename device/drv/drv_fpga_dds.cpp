// drv_fpga_t: DDS tuning words, modulation and hop words, phase words, phase
// synchronisation, word alignment and the sample-rate reciprocal.
#include "drv_fpga.h"

#include "drv_fpga_reg.h"
#include "lib_trunc.h"

namespace {

// Modulation DDS: 150 MHz in micro-hertz and a 47-bit accumulator.
constexpr long double DRV_MOD_DDS_CLOCK = 1.5e14L;
constexpr long double DRV_MOD_DDS_RANGE = 140737488355328.0L;
// The modulation pair's quotient as one rounded constant (frequency modulation and
// sweep time use it whatever the class's pair).
constexpr long double DRV_MOD_WORD_FACTOR = DRV_MOD_DDS_RANGE / DRV_MOD_DDS_CLOCK;
// 2^32 - 1 per full turn.
constexpr long double DRV_PHASE_WORD_TURN = 4294967295.0L;
// Scales of the sample-rate reciprocal: above 1 Hz, and at or below it.
constexpr long double DRV_RECIP_SCALE_HIGH = 4722366482869645213696.0L; // 2^72
constexpr long double DRV_RECIP_SCALE_LOW = 18014398509481984.0L;       // 2^54
constexpr uint64 DRV_ONE_HZ_IN_MICRO_HZ = 1000000;
// Weight of each 16-bit part of the reciprocal: 2^0, 2^16, 2^32, 2^48, 2^64.
constexpr long double DRV_RECIP_PART_UNIT[5] = {1.0L, 65536.0L, 4294967296.0L, 281474976710656.0L,
                                                18446744073709551616.0L};

// The word of an angle: one turn added to a negative angle, then the low 32 bits of
// the truncated product.
uint32 drv_phase_word(long double degrees)
{
    if (degrees < 0)
        degrees += 360;
    return static_cast<uint32>(lib_trunc_i64((degrees * DRV_PHASE_WORD_TURN) / 360));
}

} // namespace

long double drv_fpga_t::freq_to_word(long double micro_hz)
{
    const long double clock = get_dds_clock();
    // A class without a carrier clock has no word; 0 rather than 0/0.
    if (clock == 0)
        return 0;
    return micro_hz * (get_dds_phase_range() / clock);
}

int32 drv_fpga_t::set_freq_word(int32 ch, uint64 word)
{
    if (!is_channel(ch))
        return 0;
    const uint16 *regs = DRV_FPGA_REG_FREQ_WORD[ch];
    reg_write(regs[0], static_cast<uint32>(word & 0xFFFF));
    reg_write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    reg_write(regs[2], static_cast<uint32>((word >> 32) & 0xFFFF));
    return 1;
}

void drv_fpga_t::set_freq_word_rate(int32 ch, uint64 micro_hz, uint64 word)
{
    set_freq_word(ch, word);
    set_rate_recip(ch, micro_hz, word);
}

uint64 drv_fpga_t::get_freq_word(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    const uint16 *regs = DRV_FPGA_REG_FREQ_WORD[ch];
    const uint64 low = reg_read(regs[0]);
    const uint64 middle = reg_read(regs[1]);
    const uint64 high = reg_read(regs[2]);
    return (high << 32) | (middle << 16) | low;
}

long double drv_fpga_t::read_dds_clock()
{
    return get_dds_clock();
}

long double drv_fpga_t::get_dds_clock() { return 0.0L; }
long double drv_fpga_t::get_dds_phase_range() { return 0.0L; }
long double drv_fpga_t::get_mod_dds_clock() { return DRV_MOD_DDS_CLOCK; }
long double drv_fpga_t::get_mod_dds_phase_range() { return DRV_MOD_DDS_RANGE; }

long double drv_fpga_t::mod_freq_to_word(int32 flag, long double hz)
{
    const long double micro_hz = hz * 1000 * 1000;
    if (flag == 0)
        return micro_hz * (get_mod_dds_phase_range() / get_mod_dds_clock());
    if (flag == 1)
        return micro_hz * DRV_MOD_WORD_FACTOR;
    return 0;
}

void drv_fpga_t::set_mod_freq(int32 flag, int32 ch, long double hz)
{
    // Only flags 0 and 1 have a word.
    if (flag != 0 && flag != 1)
        return;
    set_mod_freq_word(ch, lib_trunc_u64(mod_freq_to_word(flag, hz)));
}

void drv_fpga_t::set_mod_freq_word(int32 ch, uint64 word)
{
    if (!is_channel(ch))
        return;
    const uint16 *regs = DRV_FPGA_REG_MOD_FREQ_WORD[ch];
    reg_write(regs[0], static_cast<uint32>(word & 0xFFFF));
    reg_write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    reg_write(regs[2], static_cast<uint32>((word >> 32) & 0x1FFF));
}

uint64 drv_fpga_t::get_mod_freq_word(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    const uint16 *regs = DRV_FPGA_REG_MOD_FREQ_WORD[ch];
    const uint64 low = reg_read(regs[0]);
    const uint64 middle = reg_read(regs[1]);
    const uint64 high = reg_read(regs[2]);
    return (high << 32) | (middle << 16) | low;
}

void drv_fpga_t::set_hop_freq(int32 ch, long double hz)
{
    const int64 word = lib_trunc_i64(freq_to_word(hz * 1000000));
    set_hop_freq_word(ch, static_cast<uint64>(word));
}

void drv_fpga_t::set_hop_freq_word(int32 ch, uint64 word)
{
    if (!is_channel(ch))
        return;
    const uint16 *regs = DRV_FPGA_REG_HOP_FREQ_WORD[ch];
    reg_write(regs[0], static_cast<uint32>(word & 0xFFFF));
    reg_write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    reg_write(regs[2], static_cast<uint32>((word >> 32) & 0xFFFF));
}

void drv_fpga_t::set_start_phase(int32 ch, long double degrees)
{
    const uint32 word = drv_phase_word(degrees);
    const uint16 *regs = DRV_FPGA_REG_START_PHASE[ch == 0 ? 0 : 1];
    reg_write(regs[0], word & 0xFFFF);
    reg_write(regs[1], word >> 16);
}

void drv_fpga_t::set_phase_offset(int32 ch, long double degrees)
{
    const uint32 word = drv_phase_word(degrees);
    write_phase_offset_word(ch, static_cast<int32>(word & 0xFFFF), static_cast<int32>(word >> 16));
}

void drv_fpga_t::write_phase_offset_word(int32 ch, int32 low, int32 high)
{
    if (!is_channel(ch))
        return;
    reg_write(DRV_FPGA_REG_PHASE_OFFSET[ch][0], static_cast<uint32>(low));
    reg_write(DRV_FPGA_REG_PHASE_OFFSET[ch][1], static_cast<uint32>(high));
}

void drv_fpga_t::read_phase_offset_word(int32 ch, uint32 *low, uint32 *high)
{
    if (!is_channel(ch))
        return;
    const uint32 l = reg_read(DRV_FPGA_REG_PHASE_OFFSET[ch][0]);
    const uint32 h = reg_read(DRV_FPGA_REG_PHASE_OFFSET[ch][1]);
    if (low)
        *low = l;
    if (high)
        *high = h;
}

int32 drv_fpga_t::get_start_phase_mode()
{
    return (reg_read(DRV_FPGA_REG_UPDATE) >> 14) & 1;
}

void drv_fpga_t::sync_phase(int32)
{
    begin_hold();
    --_hold_count;
    if (_hold_count == 0)
        release_hold_bit();
}

void drv_fpga_t::align_freq_words(uint64 *a, uint64 *b)
{
    if (!a || !b || *a == 0 || *b == 0)
        return;
    if (*a <= *b) {
        const uint64 r = *b % *a;
        if (r >= *a - r)
            *b += *a - r;
        else
            *b -= r;
    } else {
        const uint64 r = *a % *b;
        if (r >= *b - r)
            *a += *b - r;
        else
            *a -= r;
    }
}

void drv_fpga_t::set_rate_recip(int32 ch, uint64 micro_hz, uint64 word)
{
    if (get_sample_rate_mode(ch) == 1)
        write_rate_recip(ch, micro_hz, word);
}

void drv_fpga_t::write_rate_recip(int32 ch, uint64 micro_hz, uint64 word)
{
    if (!is_channel(ch))
        return;
    uint16 parts[5] = {0, 0, 0, 0, 0};
    const uint64 divisor = static_cast<uint64>(static_cast<int64>(_time_base_factor)) * word;
    // A zero divisor makes the quotient infinite, which the registers receive as 0.
    if (divisor != 0) {
        const long double scale = micro_hz > DRV_ONE_HZ_IN_MICRO_HZ ? DRV_RECIP_SCALE_HIGH : DRV_RECIP_SCALE_LOW;
        long double q = scale / static_cast<long double>(divisor);
        for (int i = 4; i >= 1; --i) {
            const long double unit = DRV_RECIP_PART_UNIT[i];
            const uint64 part = lib_trunc_u64(q / unit);
            q -= static_cast<long double>(part) * unit;
            parts[i] = static_cast<uint16>(part);
        }
        parts[0] = static_cast<uint16>(lib_trunc_u64(q));
    }
    for (int i = 0; i < 5; ++i)
        reg_write(DRV_FPGA_REG_RATE_RECIP[ch][i], parts[i]);
}
