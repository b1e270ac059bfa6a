// drv_fpga_t: the output stage (switch, relays, polarity, gain, wave-DAC reference,
// multiplier, offset and trim DACs, correction tables, filter coefficients) and the
// auxiliary lines (multiplexer, serial port, clock register, converter, overload
// detector, time-base trim).
#include "drv_fpga.h"

#include "drv_delay.h"
#include "drv_fpga_atten.h"
#include "drv_fpga_reg.h"
#include "drv_reg_spi.h"
#include "gos.h"
#include "lib_trunc.h"

#include <cmath>
#include <iterator>

namespace {

constexpr uint16 DRV_CTRL_OUTPUT_OFF = 0x0800;
constexpr uint16 DRV_CTRL_COEF_LOAD = 0x1000;
constexpr uint16 DRV_MOD_TABLE_RESET = 0x0040;
constexpr uint16 DRV_RELAY_OVERLOAD_SELECT = 0x0010;
constexpr uint16 DRV_CLOCK_RESET = 0x0001;
constexpr uint16 DRV_CLOCK_STATUS = 0x0010;
constexpr uint16 DRV_CLOCK_SOURCE = 0x0100;
constexpr uint16 DRV_ADC_READY = 0x8000;
constexpr uint16 DRV_ADC_VALUE = 0x3FFF;
constexpr int32 DRV_ADC_POLLS = 1000;
constexpr uint16 DRV_SERIAL_IDLE = 0xFFFE;
constexpr int32 DRV_SERIAL_MAX_BITS = 31;

// Unity gain of the base digital gain register.
constexpr long double DRV_GAIN_UNITY = 262144.0L;
// Wave-DAC reference code per volt (32767 at 3 V).
constexpr long double DRV_REF_CODE_PER_VOLT = 10922.333333333334;
constexpr long double DRV_REF_MAX_VOLTS = 3.0L;

constexpr int16 DRV_DEFAULT_FILTER_COEFS[10] = {309, -416, 581, -660, 559, -159, -698, 2309, -5700, 20258};

// Output relay of each channel in register 158, and its attenuator.
constexpr uint16 DRV_OUTPUT_RELAY[2] = {0x0001, 0x0002};
constexpr uint16 DRV_ATTENUATOR[2] = {0x0004, 0x0008};
// Inversion bit of each channel in register 80.
constexpr uint16 DRV_POLARITY_INVERTED[2] = {0x0008, 0x0004};
// Amplitude-path flag of each channel in register 241.
constexpr uint16 DRV_AMP_FLAG[2] = {0x0004, 0x0008};

} // namespace

void drv_fpga_t::set_output_enable(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return;
    uint16 v = reg_read(DRV_FPGA_REG_CTRL[ch]);
    if (on == 1)
        v &= ~DRV_CTRL_OUTPUT_OFF;
    else if (on == 0)
        v |= DRV_CTRL_OUTPUT_OFF;
    reg_write(DRV_FPGA_REG_CTRL[ch], v);
}

int32 drv_fpga_t::get_output_enable(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    return (reg_read(DRV_FPGA_REG_CTRL[ch]) & DRV_CTRL_OUTPUT_OFF) ? 0 : 1;
}

void drv_fpga_t::set_output_relay(int32 ch, int32 v)
{
    if (!is_channel(ch))
        return;
    reg_write_bits(DRV_FPGA_REG_RELAYS, DRV_OUTPUT_RELAY[ch], (v & 1) != 0);
    if (v == 1)
        gos_usleep(5000);
}

int32 drv_fpga_t::get_output_relay(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    return (reg_read(DRV_FPGA_REG_RELAYS) & DRV_OUTPUT_RELAY[ch]) ? 1 : 0;
}

void drv_fpga_t::set_output_polarity(int32 ch, int32 normal)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_POLARITY, DRV_POLARITY_INVERTED[ch], normal == 0);
}

int32 drv_fpga_t::get_output_polarity(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    return (reg_read(DRV_FPGA_REG_POLARITY) & DRV_POLARITY_INVERTED[ch]) ? 0 : 1;
}

void drv_fpga_t::set_atten(int32 ch, drv_fpga_atten_t *atten)
{
    if (!is_channel(ch) || !atten)
        return;
    reg_write_bits(DRV_FPGA_REG_RELAYS, DRV_ATTENUATOR[ch], atten->on);
    if (!atten->on)
        return;
    long double db = atten->gain_db;
    if (atten->add_extra)
        db += atten->extra_db;
    set_digital_gain(ch, db);
}

void drv_fpga_t::set_digital_gain(int32 ch, long double db)
{
    write_gain_reg(ch, lib_trunc_i32(db_to_gain(db) * DRV_GAIN_UNITY));
}

void drv_fpga_t::write_gain_reg(int32 ch, int32 code)
{
    if (is_channel(ch))
        reg_write(DRV_FPGA_REG_DIGITAL_GAIN[ch], static_cast<uint32>(code));
}

long double drv_fpga_t::db_to_gain(long double db)
{
    return std::pow(10.0L, db / 20.0L);
}

uint16 drv_fpga_t::offset_volt_to_code(long double volts)
{
    if (volts > DRV_REF_MAX_VOLTS || volts < -DRV_REF_MAX_VOLTS)
        return 0;
    if (volts >= 0)
        return static_cast<uint16>(lib_trunc_i32(volts * DRV_REF_CODE_PER_VOLT));
    // Also reached by NaN, whose conversion gives 0.
    return static_cast<uint16>(lib_trunc_i32(65535 + volts * DRV_REF_CODE_PER_VOLT));
}

int32 drv_fpga_t::set_offset_volt(int32 ch, long double volts)
{
    set_offset_code(ch, offset_volt_to_code(volts));
    return 1;
}

int32 drv_fpga_t::set_offset_code(int32 ch, int32 code)
{
    if (!is_channel(ch))
        return 0;
    reg_write(DRV_FPGA_REG_WAVE_DAC_REF[ch], static_cast<uint32>(code));
    return 1;
}

int32 drv_fpga_t::multiplier_ctrl_volt(int32 ch, long double volts)
{
    if (volts < -1.0L || volts > 1.0L) {
        gos_printf("EEROR:multiplier_ctrl_volt(-1.0~1.0): error ctrl_volt = %f!!\n", static_cast<double>(volts));
        return 0;
    }
    if (!is_channel(ch))
        return 0;
    reg_write(DRV_FPGA_REG_MULTIPLIER[ch], static_cast<uint32>(lib_trunc_i32(volts * 32767 / 3)));
    return 1;
}

int32 drv_fpga_t::set_ch_dac_code(int32 ch, int32 code)
{
    if (!is_channel(ch))
        return 0;
    reg_write(DRV_FPGA_REG_ADDER_DAC[ch], static_cast<uint32>(code));
    return 1;
}

int32 drv_fpga_t::set_ch_trim_code(int32 ch, int32 code)
{
    if (!is_channel(ch))
        return 0;
    reg_write(DRV_FPGA_REG_WAVE_DAC_TRIM[ch], static_cast<uint32>(code));
    return 1;
}

void drv_fpga_t::reset_table_ptr(int32 ch)
{
    if (!is_channel(ch))
        return;
    const uint16 v = reg_read(DRV_FPGA_REG_MOD[ch]);
    reg_write(DRV_FPGA_REG_MOD[ch], v | DRV_MOD_TABLE_RESET);
    reg_write(DRV_FPGA_REG_MOD[ch], v & ~DRV_MOD_TABLE_RESET);
    reg_write(DRV_FPGA_REG_MOD[ch], v | DRV_MOD_TABLE_RESET);
}

void drv_fpga_t::write_table_word(int32 ch, int32 v)
{
    if (is_channel(ch))
        reg_write(DRV_FPGA_REG_TABLE_DATA[ch], static_cast<uint32>(v));
}

void drv_fpga_t::set_amp_flag(int32 ch, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_MODE_FLAGS, DRV_AMP_FLAG[ch], on == 1);
}

int32 drv_fpga_t::set_filter_coefs(int32 ch, const int16 *coefs, int32 n)
{
    if (!is_channel(ch))
        return 1;
    const uint16 c = reg_read(DRV_FPGA_REG_CTRL[ch]);
    reg_write(DRV_FPGA_REG_CTRL[ch], c | DRV_CTRL_COEF_LOAD);
    reg_write(DRV_FPGA_REG_CTRL[ch], c & ~DRV_CTRL_COEF_LOAD);
    reg_write(DRV_FPGA_REG_CTRL[ch], c | DRV_CTRL_COEF_LOAD);
    for (int32 i = 0; coefs && i < n; ++i)
        reg_write(DRV_FPGA_REG_FILTER_COEF[ch], static_cast<uint32>(static_cast<int32>(coefs[i])));
    return 1;
}

int32 drv_fpga_t::set_default_filter_coefs(int32 ch)
{
    return set_filter_coefs(ch, DRV_DEFAULT_FILTER_COEFS, static_cast<int32>(std::size(DRV_DEFAULT_FILTER_COEFS)));
}

void drv_fpga_t::write_mux_reg(int32 v)
{
    reg_write(DRV_FPGA_REG_MUX, static_cast<uint32>(v));
}

int32 drv_fpga_t::read_mux_reg()
{
    return reg_read(DRV_FPGA_REG_MUX);
}

int32 drv_fpga_t::serial_idle()
{
    const uint16 idle = DRV_SERIAL_IDLE;
    transport()->reg_write_fpga_word_list(&idle, 1);
    return 1;
}

int32 drv_fpga_t::serial_write(int32 nbits, uint16 base, uint32 hi, uint32 lo)
{
    // The frame holds at most 2 x 31 + 1 words; wider requests are cut to 31 bits.
    if (nbits > DRV_SERIAL_MAX_BITS)
        nbits = DRV_SERIAL_MAX_BITS;
    const uint32 value = (hi << 8) | lo;
    uint16 frame[2 * DRV_SERIAL_MAX_BITS + 1];
    uint16 count = 0;
    for (int32 bit = nbits - 1; bit >= 0; --bit) {
        const uint16 low = static_cast<uint16>(base | (((value >> bit) & 1u) << 1));
        frame[count++] = low;
        frame[count++] = static_cast<uint16>(low | 1u);
    }
    serial_idle();
    if (count > 0) {
        frame[count] = frame[count - 2];
        ++count;
        transport()->reg_write_fpga_word_list(frame, count);
    }
    serial_idle();
    return 1;
}

int32 drv_fpga_t::serial_write_reg(int32 nbits, uint16 base, uint32 hi, uint32 lo)
{
    return serial_write(nbits, base, hi, lo);
}

int32 drv_fpga_t::serial_read(int32 nbits, uint16 base, uint32 addr)
{
    serial_write(nbits, base, addr | 0x80, 0);
    drv_reg_spi_t *t = transport();
    if (!t->replaces_reg_read_fpga_reg())
        return 1;
    return t->reg_read_fpga_reg(DRV_FPGA_REG_SERIAL_READ) & 0xFF;
}

int32 drv_fpga_t::set_clock_source(int32 source)
{
    if (source != 0 && source != 1)
        return 1;
    const uint16 v = reg_read(DRV_FPGA_REG_CLOCK);
    const uint16 next = source == 0 ? (v | DRV_CLOCK_SOURCE) : (v & ~DRV_CLOCK_SOURCE);
    if (next != v)
        reg_write(DRV_FPGA_REG_CLOCK, next);
    return 1;
}

void drv_fpga_t::pulse_clock_reset()
{
    const uint16 v = reg_read(DRV_FPGA_REG_CLOCK);
    reg_write(DRV_FPGA_REG_CLOCK, v | DRV_CLOCK_RESET);
    reg_write(DRV_FPGA_REG_CLOCK, v & ~DRV_CLOCK_RESET);
    drv_msleep(2.0L);
    reg_write(DRV_FPGA_REG_CLOCK, v | DRV_CLOCK_RESET);
}

int32 drv_fpga_t::get_clock_status()
{
    return (reg_read(DRV_FPGA_REG_CLOCK) & DRV_CLOCK_STATUS) ? 1 : 0;
}

void drv_fpga_t::write_clock_reg(uint16 v)
{
    reg_write(DRV_FPGA_REG_CLOCK, v);
}

int32 drv_fpga_t::read_clock_reg()
{
    return reg_read(DRV_FPGA_REG_CLOCK);
}

int32 drv_fpga_t::read_adc()
{
    return poll_adc(DRV_ADC_VALUE);
}

int32 drv_fpga_t::poll_adc(uint16 value_mask)
{
    // Bounded: without a module every read is 0 and the ready bit never comes.
    for (int32 i = 0; i < DRV_ADC_POLLS; ++i) {
        const uint16 v = reg_read(DRV_FPGA_REG_ADC);
        if (v & DRV_ADC_READY)
            return v & value_mask;
    }
    return -1;
}

void drv_fpga_t::set_overload_dac(int32 ch, int32 a, int32 b)
{
    if (!is_channel(ch))
        return;
    reg_write(DRV_FPGA_REG_OVERLOAD_DAC[ch][0], static_cast<uint32>(a));
    reg_write(DRV_FPGA_REG_OVERLOAD_DAC[ch][1], static_cast<uint32>(b));
}

int32 drv_fpga_t::set_overload_select(int32 sel)
{
    if (sel != 0 && sel != 1)
        return 0;
    reg_write_bits(DRV_FPGA_REG_RELAYS, DRV_RELAY_OVERLOAD_SELECT, sel == 0);
    return 1;
}

void drv_fpga_t::set_time_base_dac(int32 code)
{
    reg_write(DRV_FPGA_REG_TIME_BASE_DAC, static_cast<uint32>(code));
}

uint64 drv_fpga_t::get_reg_word48()
{
    const uint64 high = reg_read(DRV_FPGA_REG_WORD48[0]);
    const uint64 mid = reg_read(DRV_FPGA_REG_WORD48[1]);
    const uint64 low = reg_read(DRV_FPGA_REG_WORD48[2]);
    return (high << 32) | (mid << 16) | low;
}
