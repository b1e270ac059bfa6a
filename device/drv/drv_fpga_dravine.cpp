// drv_fpga_dravine_t: construction, checks, start-up, bitstream load, PL window access
// and the register overrides. The DMA wave writes and the DRP calibration with its log
// and bench routines are in drv_fpga_dravine_drp.cpp.
#include "drv_fpga_dravine.h"

#include "drv_delay.h"
#include "drv_dma_window.h"
#include "drv_flash_chunk.h"
#include "drv_fpga_reg.h"
#include "drv_reg_spi.h"
#include "drv_send_buffer.h"
#include "gos.h"
#include "lib_trunc.h"

#include <cmath>
#include <iterator>

namespace {

// PL registers.
constexpr int32 DRV_PL_STATE = 0;
constexpr int32 DRV_PL_TEST = 3;
constexpr int32 DRV_PL_CTRL = 16;
constexpr int32 DRV_PL_PRBS = 17;
constexpr int32 DRV_PL_PROG[2] = {96, 100};
constexpr int32 DRV_PL_INIT = 104;
constexpr int32 DRV_PL_DONE = 108;
constexpr int32 DRV_PL_DATA = 112;
constexpr int32 DRV_PL_WORD48[3] = {146, 147, 148};
constexpr int32 DRV_PL_MAP = 224;
// PL register 16 bits.
constexpr uint32 DRV_PL_CTRL_K7_RESET = 1u << 3;
constexpr uint32 DRV_PL_CTRL_RESET_A = 1u << 6;
constexpr uint32 DRV_PL_CTRL_RESET_B = 1u << 7;
constexpr uint32 DRV_PL_CTRL_MAP_SELECT = 1u << 12;
constexpr uint32 DRV_PL_CHECK_PATTERN[2] = {85, 170};

// FPGA registers of this platform.
constexpr uint32 DRV_K7_RESET_REG = 221;
constexpr uint16 DRV_K7_SERDES_RESET = 1u << 7;
constexpr uint16 DRV_K7_CORE_RESET = 1u << 0;
constexpr uint16 DRV_FREQ_WORD_TOP[2] = {150, 151};
constexpr uint16 DRV_PULSE_CTRL[2] = {196, 212};
constexpr uint16 DRV_SR_LOW_RATE[2] = {1u << 14, 1u << 15};
constexpr uint16 DRV_SR_RATE_HI = 133;
constexpr uint16 DRV_SR_RATE_LO[2] = {129, 131};
constexpr uint32 DRV_CLOCK_CHIP_REG = 278;
constexpr uint32 DRV_CLOCK_CHIP_VALUE = 248;
constexpr uint32 DRV_PL_RESET_WAIT_US = 3072;

constexpr long double DRV_GAIN_UNITY = 32768.0L;
constexpr int16 DRV_FILTER_COEFS[10] = {-74, 150, -297, 522, -865, 1376, -2167, 3513, -6443, 20265};

constexpr uint32 DRV_BITSTREAM_MAX = 0x400000;
constexpr int32 DRV_HANDSHAKE_POLLS = 10;
constexpr int32 DRV_DONE_POLLS = 20;
constexpr uint32 DRV_HANDSHAKE_WAIT_US = 10;
// The FPGA leaves its clear state within a few passes; a bound keeps a board whose
// init line never drops from stalling the start-up.
constexpr int32 DRV_CLEAR_PASSES = 1000;

constexpr uint16 DRV_SERIAL_READ_REG = 242;
constexpr uint32 DRV_SERIAL_READ_FLAG = 0x800000;

uint8 reverse_bits(uint8 b)
{
    uint8 r = 0;
    for (int32 i = 0; i < 8; ++i)
        if (b & (1u << i))
            r = static_cast<uint8>(r | (1u << (7 - i)));
    return r;
}

} // namespace

drv_fpga_dravine_t::drv_fpga_dravine_t() : _drp_phase(-1), _drp_state(0)
{
    _time_base_factor = 4;
    _fpga_file = "config/fpga/dravine_k7_fpga.bit";
}

drv_fpga_dravine_t::~drv_fpga_dravine_t() = default;

void drv_fpga_dravine_t::write_pl_reg(int32 index, uint32 value)
{
    drv_reg_window_write(index, value);
}

uint32 drv_fpga_dravine_t::read_pl_reg(int32 index)
{
    return drv_reg_window_read(index);
}

void drv_fpga_dravine_t::write_pl_test_reg(uint32 value) { write_pl_reg(DRV_PL_TEST, value); }
uint32 drv_fpga_dravine_t::read_pl_test_reg() { return read_pl_reg(DRV_PL_TEST); }
void drv_fpga_dravine_t::write_pl_ctrl_reg(uint32 value) { write_pl_reg(DRV_PL_CTRL, value); }
uint32 drv_fpga_dravine_t::read_pl_ctrl_reg() { return read_pl_reg(DRV_PL_CTRL); }
void drv_fpga_dravine_t::write_pl_prog_reg(int32 which, uint32 value) { write_pl_reg(DRV_PL_PROG[which != 0], value); }
uint32 drv_fpga_dravine_t::read_pl_prog_reg(int32 which) { return read_pl_reg(DRV_PL_PROG[which != 0]); }
uint32 drv_fpga_dravine_t::read_pl_init_reg() { return read_pl_reg(DRV_PL_INIT); }
uint32 drv_fpga_dravine_t::read_pl_done_reg() { return read_pl_reg(DRV_PL_DONE); }
void drv_fpga_dravine_t::write_pl_data_reg(uint32 value) { write_pl_reg(DRV_PL_DATA, value); }
void drv_fpga_dravine_t::write_pl_map_reg(uint32 value) { write_pl_reg(DRV_PL_MAP, value); }
void drv_fpga_dravine_t::write_k7_reset_reg(uint32 value) { reg_write(DRV_K7_RESET_REG, value); }
uint32 drv_fpga_dravine_t::read_k7_reset_reg() { return reg_read(DRV_K7_RESET_REG); }

void drv_fpga_dravine_t::write_pl_bits(int32 index, uint32 mask, bool on)
{
    const uint32 v = read_pl_reg(index);
    write_pl_reg(index, on ? (v | mask) : (v & ~mask));
}

void drv_fpga_dravine_t::pulse_pl_bit(int32 index, uint32 mask)
{
    const uint32 v = read_pl_reg(index);
    write_pl_reg(index, v & ~mask);
    write_pl_reg(index, v | mask);
    write_pl_reg(index, v & ~mask);
}

void drv_fpga_dravine_t::pulse_fpga_bit(uint32 reg, uint16 mask)
{
    const uint16 v = reg_read(reg);
    reg_write(reg, v & ~mask);
    reg_write(reg, v | mask);
    reg_write(reg, v & ~mask);
}

void drv_fpga_dravine_t::reset_k7_fpga()
{
    gos_printf("reset_k7_fpga\n");
    pulse_pl_bit(DRV_PL_CTRL, DRV_PL_CTRL_K7_RESET);
}

void drv_fpga_dravine_t::reset_k7_serdes()
{
    gos_printf("reset_k7_serdes\n");
    pulse_fpga_bit(DRV_K7_RESET_REG, DRV_K7_SERDES_RESET);
}

void drv_fpga_dravine_t::reset_k7_core()
{
    pulse_fpga_bit(DRV_K7_RESET_REG, DRV_K7_CORE_RESET);
}

int32 drv_fpga_dravine_t::check_pl()
{
    for (uint32 pattern : DRV_PL_CHECK_PATTERN) {
        write_pl_test_reg(pattern);
        const uint32 read = read_pl_test_reg();
        if (read != pattern) {
            gos_printf("chip not ok! write_value:%u,read_walue:%u\n", pattern, read);
            return 0;
        }
    }
    return 1;
}

int32 drv_fpga_dravine_t::check_chip()
{
    std::string failed;
    if (!drv_fpga_t::check_chip())
        failed += "k7 ";
    if (!check_pl())
        failed += "pl ";
    if (_drp_state != 1)
        failed += "drp ";
    if (failed.empty())
        return 1;
    set_chip_info(failed);
    return 0;
}

void drv_fpga_dravine_t::open_pl()
{
    drv_dma_reset_windows();
    if (check_pl()) {
        write_pl_bits(DRV_PL_CTRL, DRV_PL_CTRL_MAP_SELECT, true);
        write_pl_test_reg(DRV_PL_CHECK_PATTERN[0]);
        write_pl_bits(DRV_PL_CTRL, DRV_PL_CTRL_MAP_SELECT, false);
        drv_dma_reset_windows();
        write_pl_map_reg(1);
    }
    drv_send_buffers_init();
    check_pl();
}

void drv_fpga_dravine_t::init_fpga()
{
    open_pl();

    write_pl_bits(DRV_PL_CTRL, DRV_PL_CTRL_RESET_A, true);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_CTRL_RESET_A, false);
    drv_usleep(DRV_PL_RESET_WAIT_US);
    pulse_pl_bit(DRV_PL_CTRL, DRV_PL_CTRL_RESET_B);

    drv_reg_spi_t *t = transport();
    if (t->replaces_reg_write_clock_chip())
        t->reg_write_clock_chip(DRV_CLOCK_CHIP_REG, DRV_CLOCK_CHIP_VALUE);
    // Without its bitstream the k7 is not configured: nothing after this would answer.
    if (!load_fpga_file(_fpga_file))
        return;
    if (t->replaces_reg_init_clock_chip())
        t->reg_init_clock_chip();
    if (drv_fpga_t::check_chip())
        fpga_drp_dynamic_reconfig_phase();
}

int32 drv_fpga_dravine_t::load_fpga_file(std::string path)
{
    char prefix[100] = {};
    gos_getcwd(prefix, sizeof prefix);
    report_progress(2, 0, 0);
    const std::string full = std::string(prefix) + path;
    gos_printf("drv_fpga_dravine_t::load_fpga_file= %s\n", full.c_str());

    // Read through the C library: the descriptor entries of the OS layer are stubs that
    // open and read nothing.
    std::FILE *file = gos_fopen(full.c_str(), "rb");
    if (!file) {
        gos_printf("[ERROR]:cannot open file:%s\n", full.c_str());
        return 0;
    }
    std::vector<uint8> bytes(DRV_BITSTREAM_MAX);
    const std::size_t count = gos_fread(bytes.data(), 1, bytes.size(), file);
    gos_fclose(file);
    bytes.resize(count);

    if (!shift_bitstream(bytes.data(), static_cast<uint32>(count)))
        shift_bitstream(bytes.data(), static_cast<uint32>(count));

    reset_k7_fpga();
    reset_k7_serdes();
    reset_k7_core();
    report_progress(2, 10, 0);
    return 1;
}

int32 drv_fpga_dravine_t::shift_bitstream(const uint8 *bytes, uint32 count)
{
    if (!bytes)
        return 0;
    for (int32 which = 0; which < 2; ++which)
        write_pl_bits(DRV_PL_PROG[which], 1, false);
    drv_usleep(1);
    bool cleared = false;
    for (int32 pass = 0; pass < DRV_CLEAR_PASSES && !cleared; ++pass) {
        cleared = true;
        for (int32 i = 0; i < DRV_HANDSHAKE_POLLS; ++i) {
            if (read_pl_init_reg() & 1) {
                cleared = false;
                break;
            }
            drv_usleep(DRV_HANDSHAKE_WAIT_US);
        }
        drv_usleep(1);
    }
    if (!cleared)
        return 0;

    for (int32 which = 0; which < 2; ++which)
        write_pl_bits(DRV_PL_PROG[which], 1, true);
    drv_usleep(1);
    bool ready = false;
    for (int32 i = 0; i < DRV_HANDSHAKE_POLLS && !ready; ++i) {
        ready = (read_pl_init_reg() & 1) != 0;
        if (!ready)
            drv_usleep(DRV_HANDSHAKE_WAIT_US);
    }
    if (!ready)
        return 0;

    for (uint32 i = 0; i < count; ++i)
        write_pl_data_reg(reverse_bits(bytes[i]));

    for (int32 i = 0; i < DRV_DONE_POLLS; ++i) {
        if (read_pl_done_reg() & 1)
            return 1;
        drv_usleep(DRV_HANDSHAKE_WAIT_US);
    }
    return 0;
}

int32 drv_fpga_dravine_t::get_fpga_state()
{
    return static_cast<int32>(read_pl_reg(DRV_PL_STATE));
}

int32 drv_fpga_dravine_t::set_freq_word(int32 ch, uint64 word)
{
    if (!is_channel(ch))
        return 0;
    const uint16 *regs = DRV_FPGA_REG_FREQ_WORD[ch];
    reg_write(regs[0], static_cast<uint32>(word & 0xFFFF));
    reg_write(regs[1], static_cast<uint32>((word >> 16) & 0xFFFF));
    reg_write(regs[2], static_cast<uint32>((word >> 32) & 0xFFFF));
    reg_write(DRV_FREQ_WORD_TOP[ch], static_cast<uint32>((word >> 48) & 0x3));
    return 1;
}

void drv_fpga_dravine_t::set_pulse_ctrl_bit(int32 ch, uint16 mask, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_PULSE_CTRL[ch], mask, on != 0);
}

void drv_fpga_dravine_t::set_pulse_ctrl_bit14(int32 ch, int32 on) { set_pulse_ctrl_bit(ch, 1u << 14, on); }
void drv_fpga_dravine_t::set_pulse_ctrl_bit13(int32 ch, int32 on) { set_pulse_ctrl_bit(ch, 1u << 13, on); }
void drv_fpga_dravine_t::set_pulse_ctrl_bit12(int32 ch, int32 on) { set_pulse_ctrl_bit(ch, 1u << 12, on); }
void drv_fpga_dravine_t::set_pulse_ctrl_bit11(int32 ch, int32 on) { set_pulse_ctrl_bit(ch, 1u << 11, on); }

uint64 drv_fpga_dravine_t::get_reg_word48()
{
    const uint64 high = read_pl_reg(DRV_PL_WORD48[0]) & 0xFFFF;
    const uint64 mid = read_pl_reg(DRV_PL_WORD48[1]) & 0xFFFF;
    const uint64 low = read_pl_reg(DRV_PL_WORD48[2]) & 0xFFFF;
    return (high << 32) | (mid << 16) | low;
}

void drv_fpga_dravine_t::set_digital_gain(int32 ch, long double db)
{
    write_gain_reg(ch, lib_trunc_i32(db_to_gain(db) * DRV_GAIN_UNITY));
}

int32 drv_fpga_dravine_t::set_default_filter_coefs(int32 ch)
{
    return set_filter_coefs(ch, DRV_FILTER_COEFS, static_cast<int32>(std::size(DRV_FILTER_COEFS)));
}

int32 drv_fpga_dravine_t::get_flash_chunks(drv_flash_chunk_t *chunks)
{
    if (chunks)
        *chunks = drv_flash_chunk_t{1024, 256};
    return 1;
}

void drv_fpga_dravine_t::set_sample_rate(int32 ch, long double rate)
{
    if (!is_channel(ch))
        return;
    const uint16 v = reg_read(DRV_FPGA_REG_SAMPLE_RATE_CTRL);
    const bool low = rate < 256.0L;
    if (low)
        rate *= 65536.0L;
    reg_write(DRV_FPGA_REG_SAMPLE_RATE_CTRL, low ? (v | DRV_SR_LOW_RATE[ch]) : (v & ~DRV_SR_LOW_RATE[ch]));

    const uint32 r = lib_trunc_u32(rate);
    const uint16 shift = ch == 0 ? 0 : 8;
    const uint16 hi = reg_read(DRV_SR_RATE_HI);
    const uint16 byte = static_cast<uint16>(((r >> 16) & 0xFF) << shift);
    reg_write(DRV_SR_RATE_HI, (hi & ~(0xFFu << shift)) | byte);
    reg_write(DRV_SR_RATE_LO[ch], r & 0xFFFF);
}

void drv_fpga_dravine_t::set_prbs_mode(int32 ch, int32 on)
{
    write_pl_bits(DRV_PL_PRBS, ch == 0 ? 1u : 2u, on == 1);
}

int32 drv_fpga_dravine_t::get_prbs_mode(int32 ch)
{
    return (read_pl_reg(DRV_PL_PRBS) & (ch == 0 ? 1u : 2u)) != 0 ? 1 : 0;
}

void drv_fpga_dravine_t::set_prbs_length(int32 ch, int32 length)
{
    const uint32 shift = ch == 0 ? 6 : 11;
    const uint32 v = read_pl_reg(DRV_PL_PRBS);
    write_pl_reg(DRV_PL_PRBS, (v & ~(0x1Fu << shift)) | ((static_cast<uint32>(length - 1) & 0x1F) << shift));
}

void drv_fpga_dravine_t::set_prbs_rate(int32 ch)
{
    start_true_arb(ch, 0, 1);
}

long double drv_fpga_dravine_t::get_dds_clock() { return 1.2e15L; }
long double drv_fpga_dravine_t::get_dds_phase_range() { return 1125899906842624.0L; }
long double drv_fpga_dravine_t::get_mod_dds_clock() { return 3e14L; }
long double drv_fpga_dravine_t::get_mod_dds_phase_range() { return 281474976710656.0L; }

int32 drv_fpga_dravine_t::serial_frame_write(int32 nbits, uint16 base, uint32 address, uint32 data)
{
    // 24-bit frames at most; a wider request is cut to 31 bits like the base writer's.
    if (nbits > 31)
        nbits = 31;
    const uint32 word = (address << 16) | data;
    uint16 frame[2 * 31 + 1];
    uint16 count = 0;
    for (int32 bit = nbits - 1; bit >= 0; --bit) {
        const uint16 low = static_cast<uint16>(base | (((word >> bit) & 1u) << 1));
        frame[count++] = low;
        frame[count++] = static_cast<uint16>(low | 1u);
    }
    if (count > 0) {
        frame[count] = frame[count - 2];
        ++count;
        transport()->reg_write_fpga_word_list(frame, count);
    }
    return 1;
}

int32 drv_fpga_dravine_t::serial_frame_read(int32 nbits, uint16 base, uint32 address)
{
    serial_frame_write(nbits, base, address, DRV_SERIAL_READ_FLAG);
    return reg_read(DRV_SERIAL_READ_REG);
}
