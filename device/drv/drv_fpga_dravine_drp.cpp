// drv_fpga_dravine_t: the DMA wave writes, the sample-rate engine, the DRP phase
// calibration of the k7 serial link, and the DRP log and bench routines.
#include "drv_delay.h"
#include "drv_dma_window.h"
#include "drv_fpga_dravine.h"
#include "drv_fpga_reg.h"
#include "drv_instance_manage.h"
#include "drv_send_buffer.h"
#include "gos.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace {

constexpr int32 DRV_PL_CTRL = 16;
// Per channel: PL registers B+0 to B+4 of the DMA wave path.
constexpr int32 DRV_PL_WAVE_BASE[2] = {368, 373};
constexpr uint32 DRV_PL_RATE_MODE[2] = {1u << 10, 1u << 11};
constexpr uint32 DRV_PL_ARB_ENABLE[2] = {1u << 8, 1u << 9};
constexpr uint32 DRV_PL_CTRL_RESET_B = 1u << 7;
// FPGA register 221: DMA route and the two wave-memory targets.
constexpr uint32 DRV_K7_REG = 221;
constexpr uint16 DRV_K7_ROUTE[2] = {1u << 2, 1u << 1};
constexpr uint16 DRV_K7_WAVE_TARGET[2] = {1u << 3, 1u << 4};
constexpr uint16 DRV_K7_MOD_TARGET[2] = {1u << 8, 1u << 9};

constexpr uint32 DRV_DRP_TEST_ENABLE = 103;
constexpr uint32 DRV_DRP_PHASE_REG = 191;
constexpr uint16 DRV_DRP_LOAD = 1u << 3;
constexpr uint16 DRV_DRP_READY = 1u << 15;
constexpr uint32 DRV_DRP_ERRORS[2] = {187, 189};
constexpr int32 DRV_DRP_PHASES = 8;
constexpr int32 DRV_DRP_READY_POLLS = 10;
constexpr int32 DRV_DRP_CHECKS = 10;
constexpr int32 DRV_DRP_FALLBACK_PHASE = 3;
constexpr int32 DRV_DRP_PATTERN_SAMPLES = 131072;

constexpr uint32 DRV_MEM_TEST_REG = 161;
constexpr uint32 DRV_MEM_ADDR_REGS[2] = {129, 131};
constexpr uint32 DRV_MEM_LEN_REGS[2] = {133, 135};
constexpr uint32 DRV_MEM_RESULT[2] = {137, 139};
constexpr uint32 DRV_MEM_BENCH_END = 0x4000000;

int32 s_drp_errors = 0;

} // namespace

int32 drv_fpga_dravine_t::write_dma_wave(int32 ch, int32 target, const std::vector<uint16> *samples)
{
    if (!is_channel(ch) || !samples)
        return 0;
    // An empty wave would restart the transfer of whatever the buffer held before.
    if (samples->empty())
        return 1;
    const int32 b = DRV_PL_WAVE_BASE[ch];
    const uint32 count = static_cast<uint32>(samples->size());
    const uint16 target_bit = target == 1 ? DRV_K7_WAVE_TARGET[ch] : DRV_K7_MOD_TARGET[ch];

    set_sample_rate_mode(ch, 0);
    write_pl_reg(b, 0);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_RATE_MODE[ch], false);
    write_pl_reg(b + 1, 1);
    write_pl_reg(b + 1, 0);

    drv_dma_write(ch, DRV_DMA_CONTROL, drv_dma_read(ch, DRV_DMA_CONTROL) | DRV_DMA_CONTROL_RESET);
    reg_write_bits(DRV_K7_REG, DRV_K7_ROUTE[ch], true);
    reg_write_bits(DRV_K7_REG, target_bit, true);

    clear_ctrl_bit0(ch);
    set_ctrl_bit0(ch);
    set_wave_len(ch, count);

    reg_write_bits(DRV_K7_REG, DRV_K7_ROUTE[ch], false);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_ARB_ENABLE[ch], false);
    write_pl_reg(b, 1);
    write_pl_reg(b + 3, count & 0xFFFF);
    write_pl_reg(b + 4, count >> 16);
    write_pl_reg(b + 2, 0);
    write_pl_reg(b + 2, 1);

    drv_send_wave(ch, target, 0, *samples);
    drv_msleep(1.0L);
    reg_write_bits(DRV_K7_REG, target_bit, false);
    return 1;
}

int32 drv_fpga_dravine_t::write_wave_block(int32 ch, const std::vector<uint16> *samples)
{
    return write_dma_wave(ch, 1, samples);
}

int32 drv_fpga_dravine_t::write_mod_wave_block(int32 ch, const std::vector<uint16> *samples)
{
    set_prbs_mode(ch, 0);
    return write_dma_wave(ch, 0, samples);
}

void drv_fpga_dravine_t::write_true_arb_wave_data(int32 ch, const std::vector<uint16> *samples, uint32 start)
{
    if (!is_channel(ch) || !samples)
        return;
    begin_hold();
    gos_printf("drv_fpga_dravine_t::write_true_arb_wave_data++\n");
    drv_send_buffer_load(ch, 1, 1, *samples);
    start_true_arb(ch, start, static_cast<uint32>(samples->size()));
    drv_dma_start(ch, 1, 1);
    drv_msleep(100.0L);
    end_hold();
    gos_printf("drv_fpga_dravine_t::write_true_arb_wave_data--\n");
}

void drv_fpga_dravine_t::start_true_arb(int32 ch, uint32 start, uint32 count)
{
    if (!is_channel(ch))
        return;
    const int32 b = DRV_PL_WAVE_BASE[ch];
    write_pl_reg(b, 0);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_RATE_MODE[ch], true);
    write_pl_reg(b + 1, 1);
    write_pl_reg(b + 1, 0);
    drv_dma_write(ch, DRV_DMA_CONTROL, drv_dma_read(ch, DRV_DMA_CONTROL) | DRV_DMA_CONTROL_RESET);
    reg_write_bits(DRV_K7_REG, DRV_K7_ROUTE[ch], true);
    set_sample_rate_mode(ch, 1);
    set_wave_len(ch, count);
    set_wave_pad(ch, drv_dma_length_remainder(static_cast<int32>(2 * count)));
    set_start_offset(ch, start);
    reg_write_bits(DRV_K7_REG, DRV_K7_ROUTE[ch], false);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_ARB_ENABLE[ch], true);
    write_pl_reg(b, 0);
    write_pl_reg(b, 1);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_RATE_MODE[ch], true);
    write_pl_bits(DRV_PL_CTRL, DRV_PL_RATE_MODE[ch], false);
    write_pl_reg(b + 2, 0);
    write_pl_reg(b + 2, 1);
}

std::vector<uint16> drv_fpga_dravine_t::make_drp_pattern()
{
    std::vector<uint16> pattern(DRV_DRP_PATTERN_SAMPLES);
    for (int32 i = 0; i < DRV_DRP_PATTERN_SAMPLES; ++i)
        pattern[static_cast<std::size_t>(i)] = static_cast<uint16>(i / 2);
    return pattern;
}

int32 drv_fpga_dravine_t::choose_drp_phase(const uint32 results[8], bool *eight_zero)
{
    if (eight_zero)
        *eight_zero = false;
    // The table is doubled so that a run may wrap from phase 7 to phase 0.
    int32 length = 0;
    int32 sum = 0;
    for (int32 i = 0; i < 2 * DRV_DRP_PHASES; ++i) {
        if (results[i % DRV_DRP_PHASES] == 0) {
            ++length;
            sum += i;
            if (i == 2 * DRV_DRP_PHASES - 1 && length > 2)
                break;
            continue;
        }
        if (length > 2)
            break;
        length = 0;
        sum = 0;
    }
    if (length <= 2)
        return -1;
    if (length == 2 * DRV_DRP_PHASES) {
        if (eight_zero)
            *eight_zero = true;
        return DRV_DRP_PHASES - 1;
    }
    const int32 phase = sum / length;
    return phase >= DRV_DRP_PHASES ? phase - DRV_DRP_PHASES : phase;
}

void drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase()
{
    const std::vector<uint16> pattern = make_drp_pattern();
    reg_write(DRV_DRP_TEST_ENABLE, 1);
    uint32 results[DRV_DRP_PHASES] = {};
    for (int32 p = 0; p < DRV_DRP_PHASES; ++p) {
        set_drp_phase(p);
        results[p] = static_cast<uint32>(test_drp_phase(pattern));
    }
    report_progress(2, 50, 0);

    bool eight_zero = false;
    const int32 phase = choose_drp_phase(results, &eight_zero);
    if (phase >= 0) {
        if (eight_zero)
            gos_printf("drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase: eight zero!!!!!!\n");
        _drp_phase = phase;
        set_and_check_drp_phase(phase, pattern);
    } else {
        gos_printf("drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase: while(1)\n");
        int r[DRV_DRP_PHASES];
        for (int32 p = 0; p < DRV_DRP_PHASES; ++p)
            r[p] = static_cast<int>(results[p]);
        gos_printf("state record:  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d\n", r[0], r[1], r[2], r[3], r[4], r[5], r[6],
                   r[7]);
        _drp_state = 0;
        set_and_check_drp_phase(DRV_DRP_FALLBACK_PHASE, pattern);
    }
    reg_write(DRV_DRP_TEST_ENABLE, 0);
    report_progress(2, 100, 0);
}

int32 drv_fpga_dravine_t::set_drp_phase(int32 phase)
{
    reg_write(DRV_DRP_PHASE_REG, static_cast<uint32>(phase & 7));
    pulse_fpga_bit(DRV_DRP_PHASE_REG, DRV_DRP_LOAD);
    bool ready = false;
    for (int32 i = 0; i < DRV_DRP_READY_POLLS && !ready; ++i) {
        if (i > 0)
            drv_msleep(1.0L);
        ready = (reg_read(DRV_DRP_PHASE_REG) & DRV_DRP_READY) != 0;
    }
    if (!ready)
        _drp_state = 0;
    drv_msleep(10.0L);
    pulse_pl_bit(DRV_PL_CTRL, DRV_PL_CTRL_RESET_B);
    drv_msleep(10.0L);
    reset_k7_serdes();
    drv_msleep(10.0L);
    return 1;
}

int32 drv_fpga_dravine_t::test_drp_phase(const std::vector<uint16> &pattern)
{
    write_wave_block(1, &pattern);
    write_wave_block(0, &pattern);
    drv_msleep(100.0L);
    return reg_read(DRV_DRP_ERRORS[0]) | reg_read(DRV_DRP_ERRORS[1]);
}

void drv_fpga_dravine_t::set_and_check_drp_phase(int32 phase, const std::vector<uint16> &pattern)
{
    set_drp_phase(phase);
    int64 sum = 0;
    for (int32 i = 0; i < DRV_DRP_CHECKS; ++i) {
        if (i > 0)
            drv_msleep(1.0L);
        sum += test_drp_phase(pattern);
    }
    if (sum == 0) {
        _drp_state = 1;
        return;
    }
    gos_printf("drp config recycle set state fail! stop!\n");
    _drp_state = 0;
}

void drv_drp_log_format(char record[20], uint32 a, uint32 b)
{
    // The text can run to 23 characters; the record keeps the first 19 and its NUL.
    std::memset(record, 0, 20);
    std::snprintf(record, 20, "%x,%x;     ", a, b);
}

int32 drv_drp_log_write(const char *path, const void *bytes, uint32 count)
{
    std::FILE *file = gos_fopen(path, "a");
    if (!file)
        return 0;
    gos_fwrite(bytes, 1, count, file);
    gos_fclose(file);
    return 1;
}

int32 drv_drp_log_record(const char *path, uint32 a, uint32 b)
{
    char record[20];
    drv_drp_log_format(record, a, b);
    return drv_drp_log_write(path, record, sizeof record);
}

int32 drv_drp_log_line_end(const char *path)
{
    static const char end[3] = {'\r', '\n', '\0'};
    return drv_drp_log_write(path, end, sizeof end);
}

int32 drv_drp_bench(int32 mode, int32 guard, int32 phase)
{
    if (guard != 0)
        return 1;
    if (mode == 2) {
        s_drp_errors = 0;
        gos_system("rm /usr/bin/korvane/log/drp_log.txt");
        return 1;
    }
    if (mode != 0 && mode != 1)
        return 1;
    auto fpga = std::make_unique<drv_fpga_dravine_t>();
    if (mode == 0) {
        fpga->set_drp_phase(phase);
        return 1;
    }
    const int32 result = fpga->test_drp_phase(drv_fpga_dravine_t::make_drp_pattern());
    drv_drp_log_record(DRV_DRP_LOG_PATH, static_cast<uint32>(result), static_cast<uint32>(s_drp_errors));
    drv_drp_log_line_end(DRV_DRP_LOG_PATH);
    if (result != 0)
        ++s_drp_errors;
    return 1;
}

int32 drv_mem_test(int32 ch, uint32 address, uint32 length)
{
    if (ch != 0 && ch != 1)
        return 0;
    // Each step is a set-then-clear pulse of one bit of the test register.
    auto pulse = [](uint32 bit) {
        const uint32 v = static_cast<uint32>(drv_fpga_read_reg(DRV_MEM_TEST_REG)) & 0xFFFF;
        drv_fpga_write_reg(DRV_MEM_TEST_REG, v | (1u << bit));
        drv_fpga_write_reg(DRV_MEM_TEST_REG, v & ~(1u << bit));
    };
    pulse(6);
    drv_msleep(500.0L);
    drv_fpga_write_reg(DRV_MEM_ADDR_REGS[0], address & 0xFFFF);
    drv_fpga_write_reg(DRV_MEM_ADDR_REGS[1], (address >> 16) & 0x7FF);
    drv_fpga_write_reg(DRV_MEM_LEN_REGS[0], length & 0xFFFF);
    drv_fpga_write_reg(DRV_MEM_LEN_REGS[1], (length >> 16) & 0x7FF);
    pulse(ch == 0 ? 4 : 5);
    pulse(ch == 0 ? 0 : 2);
    drv_msleep(1000.0L);
    pulse(ch == 0 ? 1 : 3);
    drv_msleep(1000.0L);
    return static_cast<int32>(drv_fpga_read_reg(DRV_MEM_RESULT[ch]));
}

int32 drv_mem_bench()
{
    gos_system("mount -o remount,rw /");
    gos_system("sync");
    gos_system("rm /usr/bin/korvane/log/drp_log.txt");
    // A fixed seed: a rerun walks the same addresses.
    std::minstd_rand random;
    uint32 address = 0;
    for (;;) {
        address += static_cast<uint32>(random() % 1000) * 8;
        if (address >= DRV_MEM_BENCH_END)
            return 1;
        const int32 r0 = drv_mem_test(0, address, DRV_MEM_BENCH_END);
        const int32 r1 = drv_mem_test(1, address, DRV_MEM_BENCH_END);
        drv_drp_log_record(DRV_DRP_LOG_PATH, static_cast<uint32>(r0), static_cast<uint32>(r1));
        drv_drp_log_line_end(DRV_DRP_LOG_PATH);
        if (r0 != 0 || r1 != 0)
            return 0;
        drv_drp_log_line_end(DRV_DRP_LOG_PATH);
        drv_drp_log_line_end(DRV_DRP_LOG_PATH);
    }
}
