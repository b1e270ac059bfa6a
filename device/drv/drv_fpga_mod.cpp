// drv_fpga_t: the modulation register, the ASK gate, the burst engine and triggers,
// the pulse generator's words, noise flags, the frequency counter, the overload status
// and two-channel combining.
#include "drv_fpga.h"

#include "drv_fpga_reg.h"
#include "gos.h"
#include "lib_trunc.h"

namespace {

constexpr uint16 DRV_MOD_FIELD = 0x003F;
// Bits 0-4 of the mode field: clear for no modulation and for PWM.
constexpr uint16 DRV_MOD_FIELD_LOW5 = 0x001F;
constexpr uint16 DRV_MOD_PSK_POLARITY = 0x0080;
constexpr uint16 DRV_MOD_BIT8 = 0x0100;
constexpr uint16 DRV_MOD_EXT_SOURCE = 0x8000;

constexpr int32 DRV_MOD_TYPE_ASK = 4;

constexpr uint16 DRV_CTRL_TRIG_SOURCE = 0x0030;
constexpr uint16 DRV_CTRL_BURST_FIELD = 0x00C0;
constexpr uint16 DRV_CTRL_BURST_LOAD = 0x0100;
constexpr uint16 DRV_CTRL_EDGE = 0x0200;
constexpr uint16 DRV_CTRL_SWEEP_TRIGGER = 0x0400;

constexpr uint16 DRV_ROUTE_TRIG_OUT_OFF = 0x01;
constexpr uint16 DRV_ROUTE_SYNC_OUT_OFF = 0x02;
constexpr uint16 DRV_ROUTE_TRIG_OUT_CH = 0x04;
constexpr uint16 DRV_ROUTE_SYNC_OUT_CH = 0x08;
constexpr uint16 DRV_ROUTE_EXT_IN_OFF = 0x10;

constexpr uint16 DRV_PULSE_MODE = 0x8000;
constexpr uint16 DRV_NOISE_MOD = 0x4000;
constexpr uint32 DRV_COUNTER_CYCLES_MASK = 0x07FFFFFF;
// Nanoseconds of one 150 MHz counter tick.
constexpr long double DRV_COUNTER_TICK_NS = 6.666666666666667;

constexpr uint16 DRV_OVERLOAD_BIT1 = 0x0002;
constexpr uint16 DRV_OVERLOAD_BIT2 = 0x0004;

// The mode field of each modulation type; 0 for an unknown type.
uint16 drv_mod_field(int32 type)
{
    static constexpr uint16 fields[9] = {0, 2, 4, 8, 0, 16, 8, 1, 32};
    return type >= 0 && type < 9 ? fields[type] : 0;
}

uint16 drv_with_bit(uint16 value, uint16 mask, bool on)
{
    return on ? static_cast<uint16>(value | mask) : static_cast<uint16>(value & ~mask);
}

} // namespace

int32 drv_fpga_t::read_mod_reg(int32 ch)
{
    return is_channel(ch) ? reg_read(DRV_FPGA_REG_MOD[ch]) : 0;
}

void drv_fpga_t::write_mod_reg(int32 ch, uint16 value)
{
    if (is_channel(ch))
        reg_write(DRV_FPGA_REG_MOD[ch], value);
}

void drv_fpga_t::set_mod_type(int32 ch, int32 type)
{
    if (!is_channel(ch))
        return;
    const uint16 m = reg_read(DRV_FPGA_REG_MOD[ch]);
    if (type != 0 && type != DRV_MOD_TYPE_ASK)
        set_ask_gate(ch, 0);
    if (type == 3)
        _psk_on[ch] = 0;
    else if (type == 6)
        _psk_on[ch] = 1;
    if (type == DRV_MOD_TYPE_ASK) {
        reg_write(DRV_FPGA_REG_MOD[ch], m & ~DRV_MOD_FIELD);
        enable_ask_gate(ch);
    } else {
        const uint16 next = static_cast<uint16>((m & ~DRV_MOD_FIELD) | drv_mod_field(type));
        if (next != m)
            reg_write(DRV_FPGA_REG_MOD[ch], next);
    }
    set_ctrl_bit10(ch, 0);
}

int32 drv_fpga_t::get_mod_type(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    if (_ask_on[ch] == 1)
        return DRV_MOD_TYPE_ASK;
    switch (reg_read(DRV_FPGA_REG_MOD[ch]) & DRV_MOD_FIELD) {
    case 1: return 7;
    case 2: return 1;
    case 4: return 2;
    case 8: return _psk_on[ch] == 0 ? 3 : 6;
    case 16: return 5;
    case 32: return 8;
    default: return 0;
    }
}

void drv_fpga_t::set_psk_polarity(int32 ch, uint16 v)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_MOD[ch], DRV_MOD_PSK_POLARITY, (v & 1) != 0);
}

void drv_fpga_t::set_mod_reg_bit8(int32 ch, uint16 v)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_MOD[ch], DRV_MOD_BIT8, (v & 1) != 0);
}

void drv_fpga_t::set_ext_source(int32 ch, int32 v)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_MOD[ch], DRV_MOD_EXT_SOURCE, v == 1);
}

void drv_fpga_t::set_mod_word(int32 ch, uint64 word)
{
    if (!is_channel(ch))
        return;
    const uint16 *regs = DRV_FPGA_REG_MOD_WORD[ch];
    reg_write(regs[0], static_cast<uint32>(word & 0xFFFF));
    reg_write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    reg_write(regs[2], static_cast<uint32>((word >> 32) & 0x1F));
}

void drv_fpga_t::enable_ask_gate(int32 ch)
{
    if (!is_channel(ch))
        return;
    _ask_on[ch] = 1;
    set_trig_source(ch, 2);
    set_gate_polarity(ch, 1);
    load_burst_field(ch, 2);
}

void drv_fpga_t::set_ask_gate(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return;
    if (on == 1) {
        enable_ask_gate(ch);
        return;
    }
    _ask_on[ch] = 0;
    load_burst_field(ch, 0);
}

int32 drv_fpga_t::is_ask_on(int32 ch) const
{
    return is_channel(ch) && _ask_on[ch] == 1 ? 1 : 0;
}

void drv_fpga_t::set_trig_source(int32 ch, uint16 v)
{
    if (!is_channel(ch))
        return;
    const uint16 c = reg_read(DRV_FPGA_REG_CTRL[ch]);
    reg_write(DRV_FPGA_REG_CTRL[ch], (c & ~DRV_CTRL_TRIG_SOURCE) | ((v & 3u) << 4));
}

void drv_fpga_t::set_mod_trig_source(int32 ch, uint16 v)
{
    set_trig_source(ch, v);
}

void drv_fpga_t::set_sweep_trig_source(int32 ch, uint16 v)
{
    set_trig_source(ch, v);
}

int32 drv_fpga_t::get_trig_source(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    const int32 field = (reg_read(DRV_FPGA_REG_CTRL[ch]) & DRV_CTRL_TRIG_SOURCE) >> 4;
    return field == 3 ? 2 : field;
}

void drv_fpga_t::load_burst_field(int32 ch, uint16 field)
{
    if (!is_channel(ch))
        return;
    const uint32 reg = DRV_FPGA_REG_CTRL[ch];
    const uint16 v = static_cast<uint16>((reg_read(reg) & ~DRV_CTRL_BURST_FIELD) | ((field & 3u) << 6));
    reg_write(reg, v);
    reg_write(reg, v & ~DRV_CTRL_BURST_LOAD);
    reg_write(reg, v | DRV_CTRL_BURST_LOAD);
    reg_write(reg, v & ~DRV_CTRL_BURST_LOAD);
}

void drv_fpga_t::set_burst_field(int32 ch, uint16 field)
{
    if (!is_channel(ch))
        return;
    _ask_on[ch] = 0;
    load_burst_field(ch, field);
}

int32 drv_fpga_t::get_burst_field(int32 ch)
{
    if (!is_channel(ch) || _ask_on[ch] != 0)
        return 0;
    return (reg_read(DRV_FPGA_REG_CTRL[ch]) & DRV_CTRL_BURST_FIELD) >> 6;
}

void drv_fpga_t::set_gate_polarity(int32 ch, uint16 v)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_CTRL[ch], DRV_CTRL_EDGE, (v & 1) != 0);
}

void drv_fpga_t::set_trig_edge(int32 ch, int32 edge)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_CTRL[ch], DRV_CTRL_EDGE, edge == 0);
}

void drv_fpga_t::toggle_trig_edge(int32 ch)
{
    if (!is_channel(ch))
        return;
    const uint16 v = reg_read(DRV_FPGA_REG_CTRL[ch]);
    reg_write(DRV_FPGA_REG_CTRL[ch], v ^ DRV_CTRL_EDGE);
    gos_usleep(1000);
    reg_write(DRV_FPGA_REG_CTRL[ch], v);
}

void drv_fpga_t::set_ctrl_bit10(int32 ch, uint16 v)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_CTRL[ch], DRV_CTRL_SWEEP_TRIGGER, (v & 1) != 0);
}

void drv_fpga_t::set_burst_cycles(int32 ch, uint32 cycles)
{
    if (!is_channel(ch))
        return;
    reg_write(DRV_FPGA_REG_BURST_CYCLES[ch][1], cycles & 0xFFFF);
    reg_write(DRV_FPGA_REG_BURST_CYCLES[ch][0], cycles >> 16);
}

void drv_fpga_t::set_burst_delay(int32 ch, long double seconds)
{
    if (!is_channel(ch))
        return;
    const long double tick = 1.0L / (get_mod_dds_clock() / 1000000.0L);
    const uint32 ticks = static_cast<uint32>(lib_trunc_i32(seconds / tick));
    reg_write(DRV_FPGA_REG_BURST_DELAY[ch][0], ticks & 0xFFFF);
    reg_write(DRV_FPGA_REG_BURST_DELAY[ch][1], ticks >> 16);
}

void drv_fpga_t::set_trig_out_mode(int32 ch, int32 mode)
{
    if (is_channel(ch))
        _trig_out_mode[ch] = mode;
}

int32 drv_fpga_t::get_trig_out_mode(int32 ch) const
{
    return is_channel(ch) ? _trig_out_mode[ch] : 0;
}

void drv_fpga_t::set_trig_out(int32 ch, int32 kind, int32 on)
{
    if (!is_channel(ch))
        return;
    const bool off = on == 0;
    uint16 v = reg_read(DRV_FPGA_REG_ROUTING);
    switch (kind) {
    case 0:
        v = drv_with_bit(v, DRV_ROUTE_EXT_IN_OFF, off);
        break;
    case 1:
        v = drv_with_bit(v, DRV_ROUTE_SYNC_OUT_CH, ch == 1);
        v = drv_with_bit(v, DRV_ROUTE_SYNC_OUT_OFF, off);
        break;
    case 2: {
        const int32 owner = (v & DRV_ROUTE_TRIG_OUT_CH) ? 1 : 0;
        if (owner == ch || (v & DRV_ROUTE_TRIG_OUT_OFF) || on != 0) {
            v = drv_with_bit(v, DRV_ROUTE_TRIG_OUT_CH, ch == 1);
            v = drv_with_bit(v, DRV_ROUTE_TRIG_OUT_OFF, off);
        }
        break;
    }
    case 3:
        v |= DRV_ROUTE_TRIG_OUT_OFF | DRV_ROUTE_SYNC_OUT_OFF | DRV_ROUTE_EXT_IN_OFF;
        break;
    default:
        break;
    }
    reg_write(DRV_FPGA_REG_ROUTING, v);
}

void drv_fpga_t::set_sync_out(int32 ch, int32 on)
{
    if (on == 0 || on == 1)
        set_trig_out(ch, 1, on);
}

void drv_fpga_t::trigger_ch(int32 ch)
{
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, 0);
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, ch == 0 ? 1u : ch == 1 ? 2u : 0u);
}

void drv_fpga_t::trigger_both()
{
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, 0);
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, 3);
}

void drv_fpga_t::set_pulse_mode(int32 ch, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_PULSE_COUNT[ch][2], DRV_PULSE_MODE, on != 0);
}

void drv_fpga_t::set_pulse_count(int32 ch, uint64 count)
{
    if (!is_channel(ch))
        return;
    const uint16 m = reg_read(DRV_FPGA_REG_MOD[ch]);
    const uint16 *regs = DRV_FPGA_REG_PULSE_COUNT[ch];
    uint32 top = static_cast<uint32>((count >> 32) & 0x3F);
    if ((m & DRV_MOD_FIELD_LOW5) == 0)
        top |= DRV_PULSE_MODE;
    reg_write(regs[2], top);
    reg_write(regs[1], static_cast<uint32>((count >> 16) & 0xFFFF));
    reg_write(regs[0], static_cast<uint32>(count & 0xFFFF));
}

namespace {

// A 37-bit word, top part (bits 32-36) first.
void drv_write_word37(const uint16 *regs, uint64 word, void (*write)(uint32, uint32))
{
    write(regs[2], static_cast<uint32>((word >> 32) & 0x1F));
    write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    write(regs[0], static_cast<uint32>(word & 0xFFFF));
}

// A 32-bit word, high half first.
void drv_write_word32(const uint16 *regs, uint64 word, void (*write)(uint32, uint32))
{
    write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    write(regs[0], static_cast<uint32>(word & 0xFFFF));
}

} // namespace

void drv_fpga_t::set_pulse_frac(int32 ch, uint64 word)
{
    if (is_channel(ch))
        drv_write_word37(DRV_FPGA_REG_PULSE_FRAC[ch], word, reg_write);
}

void drv_fpga_t::set_edge1_step(int32 ch, uint64 word)
{
    if (is_channel(ch))
        drv_write_word37(DRV_FPGA_REG_EDGE1_STEP[ch], word, reg_write);
}

void drv_fpga_t::set_edge1_scale(int32 ch, uint64 word)
{
    if (is_channel(ch))
        drv_write_word32(DRV_FPGA_REG_EDGE1_SCALE[ch], word, reg_write);
}

void drv_fpga_t::set_edge2_step(int32 ch, uint64 word)
{
    if (is_channel(ch))
        drv_write_word37(DRV_FPGA_REG_EDGE2_STEP[ch], word, reg_write);
}

void drv_fpga_t::set_edge2_scale(int32 ch, uint64 word)
{
    if (is_channel(ch))
        drv_write_word32(DRV_FPGA_REG_EDGE2_SCALE[ch], word, reg_write);
}

void drv_fpga_t::set_noise_mode(int32 ch, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_MODE_FLAGS, static_cast<uint16>(1u << ch), on == 1);
}

void drv_fpga_t::set_noise_mod(int32 ch, int32 on)
{
    const uint16 v = reg_read(DRV_FPGA_REG_MODE_FLAGS);
    reg_write(DRV_FPGA_REG_MODE_FLAGS, is_channel(ch) ? drv_with_bit(v, DRV_NOISE_MOD, on == 1) : v);
}

void drv_fpga_t::restart_counter()
{
    reg_write(DRV_FPGA_REG_COUNTER_RESTART, 0);
    reg_write(DRV_FPGA_REG_COUNTER_RESTART, 1);
}

void drv_fpga_t::get_counter_period(long double *seconds)
{
    const uint32 cycles =
        static_cast<uint32>(read_reg32(DRV_FPGA_REG_COUNTER_CYCLES[0], DRV_FPGA_REG_COUNTER_CYCLES[1])) &
        DRV_COUNTER_CYCLES_MASK;
    const int32 ticks = read_reg32(DRV_FPGA_REG_COUNTER_TOTAL_TICKS[0], DRV_FPGA_REG_COUNTER_TOTAL_TICKS[1]);
    if (seconds)
        *seconds = static_cast<long double>(ticks) * DRV_COUNTER_TICK_NS / static_cast<long double>(cycles) / 1e9L;
}

void drv_fpga_t::get_counter_value(long double *out)
{
    const int32 value = read_reg32(DRV_FPGA_REG_COUNTER_VALUE[0], DRV_FPGA_REG_COUNTER_VALUE[1]);
    if (out)
        *out = value;
}

int32 drv_fpga_t::get_counter_pulse_width(long double *out, long double hz)
{
    const uint32 cycles =
        static_cast<uint32>(read_reg32(DRV_FPGA_REG_COUNTER_CYCLES[0], DRV_FPGA_REG_COUNTER_CYCLES[1])) &
        DRV_COUNTER_CYCLES_MASK;
    const int32 high = read_reg32(DRV_FPGA_REG_COUNTER_HIGH_TICKS[0], DRV_FPGA_REG_COUNTER_HIGH_TICKS[1]);
    const int32 total = read_reg32(DRV_FPGA_REG_COUNTER_TOTAL_TICKS[0], DRV_FPGA_REG_COUNTER_TOTAL_TICKS[1]);
    if (!out)
        return 1;
    if (hz < 10)
        *out = static_cast<long double>(high) * DRV_COUNTER_TICK_NS / static_cast<long double>(cycles) / 1e9L;
    else
        *out = (static_cast<long double>(high) / static_cast<long double>(total)) / hz;
    return 1;
}

int32 drv_fpga_t::get_counter_count_valid()
{
    return reg_read(DRV_FPGA_REG_COUNTER_VALID) & 1;
}

int32 drv_fpga_t::get_counter_period_valid()
{
    return (reg_read(DRV_FPGA_REG_COUNTER_VALID) >> 1) & 1;
}

void drv_fpga_t::set_counter_level_dac(int32 code)
{
    reg_write(DRV_FPGA_REG_COUNTER_LEVEL, static_cast<uint32>(code));
}

int32 drv_fpga_t::get_counter_level_dac(uint32 *code)
{
    const uint16 v = reg_read(DRV_FPGA_REG_COUNTER_LEVEL);
    if (code)
        *code = v;
    return 1;
}

int32 drv_fpga_t::get_overload_state(uint32 *state)
{
    const uint16 v = reg_read(DRV_FPGA_REG_OVERLOAD_STATUS);
    if (!(v & DRV_OVERLOAD_BIT1)) {
        if (state)
            *state = 0;
        return 1;
    }
    if (v & DRV_OVERLOAD_BIT2)
        return 0;
    if (state)
        *state = 1;
    return 1;
}

void drv_fpga_t::set_combine(int32 ch, int32 on)
{
    reg_write_bits(DRV_FPGA_REG_COMBINE, ch == 0 ? 1 : 2, on == 1);
}

int32 drv_fpga_t::get_combine(int32 ch, uint32 *out)
{
    const uint16 v = reg_read(DRV_FPGA_REG_COMBINE);
    if (out)
        *out = (v & (ch == 0 ? 1 : 2)) ? 1 : 0;
    return 1;
}

void drv_fpga_t::set_combine_ratio(long double ratio)
{
    reg_write(DRV_FPGA_REG_COMBINE_RATIO, static_cast<uint32>(lib_trunc_i64(ratio * 65535) & 0xFFFF));
}
