#pragma once
// drv_fpga_dravine_t: the FPGA of the second platform, a processor-plus-logic board.
// Its main FPGA ("k7") is configured from a bitstream file at start-up, its logic
// block ("pl") is reached through the memory-mapped register window (32-bit "PL
// registers", drv_dma_window.h), and its waves travel by DMA from the send buffers
// (drv_send_buffer.h). FPGA registers go through the register front end as in the
// base class, whose operations it keeps unless listed here.
//
// Product 4 never creates this class; the second platform's DAC driver builds a
// temporary one for each serial access, which touches nothing when constructed.
#include "drv_fpga.h"

#include <string>
#include <vector>

class drv_fpga_dravine_t : public drv_fpga_t
{
public:
    drv_fpga_dravine_t();
    ~drv_fpga_dravine_t() override;

    // The base FPGA check (tag "k7 "), check_pl ("pl ") and the last DRP check ("drp ");
    // 1 when all pass, otherwise 0 with the failing tags as chip info.
    int32 check_chip() override;
    // open_pl, the PL reset, the clock-chip write (278, 248) and the clock and DAC
    // start-up when the transport has them, the bitstream, and the DRP calibration
    // when the FPGA answers. A bitstream that does not load ends the start-up there.
    void init_fpga() override;
    // Reads up to 4 MiB of the file (working-directory prefix + path) and shifts it into
    // the FPGA (retried once), then resets the k7. 1, or 0 with
    // "[ERROR]:cannot open file:<path>" when the file does not open.
    int32 load_fpga_file(std::string path) override;
    // PL register 0.
    int32 get_fpga_state() override;
    // The wave through DMA into the wave memory (target 1); 1 (nothing sent for an empty
    // vector), or 0 for a null vector or another channel.
    int32 write_wave_block(int32 ch, const std::vector<uint16> *samples) override;
    // Inside a hold: the samples repeated into the sample-rate buffer, the engine
    // started, the DMA started cyclic, 100 ms.
    void write_true_arb_wave_data(int32 ch, const std::vector<uint16> *samples, uint32 start) override;
    // PRBS off, then the DMA wave write into the modulating-wave memory (target 0).
    int32 write_mod_wave_block(int32 ch, const std::vector<uint16> *samples) override;
    // The 50-bit word: 16, 18, 20 (channel 1: 48, 50, 52) bits 0-47, 150 / 151 bits
    // 48-49; 1, or 0 for another channel.
    int32 set_freq_word(int32 ch, uint64 word) override;
    // Register 196 / 212, the named bit set for on non-zero.
    void set_pulse_ctrl_bit14(int32 ch, int32 on) override;
    void set_pulse_ctrl_bit13(int32 ch, int32 on) override;
    void set_pulse_ctrl_bit12(int32 ch, int32 on) override;
    void set_pulse_ctrl_bit11(int32 ch, int32 on) override;
    // PL registers 146 (bits 32-47), 147, 148.
    uint64 get_reg_word48() override;
    // trunc(10^(db / 20) x 32768) to register 33 / 35.
    void set_digital_gain(int32 ch, long double db) override;
    // The coefficient strobe, then the platform's ten coefficients; 1.
    int32 set_default_filter_coefs(int32 ch) override;
    // {1024, 256}; 1.
    int32 get_flash_chunks(drv_flash_chunk_t *chunks) override;
    // Register 65 low-rate bit (14 / 15) for a rate below 256 (the rate then x 65536),
    // register 133 bits 0-7 / 8-15 = bits 16-23 and 129 / 131 = bits 0-15 of the rate.
    void set_sample_rate(int32 ch, long double rate) override;
    // PL register 17: bit 0 (channel 0) or 1 (any other) the PRBS mode, bits 6-10 /
    // 11-15 the length - 1.
    void set_prbs_mode(int32 ch, int32 on) override;
    int32 get_prbs_mode(int32 ch) override;
    void set_prbs_length(int32 ch, int32 length) override;
    // start_true_arb (ch, 0, 1).
    void set_prbs_rate(int32 ch) override;
    // 1.2 GHz with a 50-bit accumulator; modulation 300 MHz, 48 bits.
    long double get_dds_clock() override;
    long double get_dds_phase_range() override;
    long double get_mod_dds_clock() override;
    long double get_mod_dds_phase_range() override;

    // PL window words.
    void write_pl_reg(int32 index, uint32 value);
    uint32 read_pl_reg(int32 index);
    // One-line accessors of the registers the start-up and the bitstream load use.
    void write_pl_test_reg(uint32 value);
    uint32 read_pl_test_reg();
    void write_pl_ctrl_reg(uint32 value);
    uint32 read_pl_ctrl_reg();
    void write_pl_prog_reg(int32 which, uint32 value);
    uint32 read_pl_prog_reg(int32 which);
    uint32 read_pl_init_reg();
    uint32 read_pl_done_reg();
    void write_pl_data_reg(uint32 value);
    void write_pl_map_reg(uint32 value);
    void write_k7_reset_reg(uint32 value);
    uint32 read_k7_reset_reg();

    // Prints "reset_k7_fpga" and pulses PL register 16 bit 3 (clear, set, clear).
    void reset_k7_fpga();
    // Prints "reset_k7_serdes" and pulses FPGA register 221 bit 7.
    void reset_k7_serdes();
    // Pulses FPGA register 221 bit 0.
    void reset_k7_core();
    // 85 and 170 through PL register 3; 1 when both read back, else a message and 0.
    int32 check_pl();
    // Resets the windows and, when the PL answers, selects its map; sets up the send
    // buffers and checks the PL again.
    void open_pl();
    // Bit-reversed bytes into PL register 112 between the program and done handshakes;
    // 1 when the FPGA reports done, 0 otherwise.
    int32 shift_bitstream(const uint8 *bytes, uint32 count);
    // The frame of (address << 16) | data, n bits, most significant first, in one
    // word-list write without idle words; 1.
    int32 serial_frame_write(int32 nbits, uint16 base, uint32 address, uint32 data);
    // The frame of (address << 16) | 0x800000, then the low 16 bits of register 242.
    int32 serial_frame_read(int32 nbits, uint16 base, uint32 address);

    // The sample-rate engine: start offset and sample count, with the DMA route.
    void start_true_arb(int32 ch, uint32 start, uint32 count);

    // DRP phase calibration of the k7 serial link: all eight phases tried with the test
    // pattern, the middle of the error-free run kept.
    void fpga_drp_dynamic_reconfig_phase();
    int32 set_drp_phase(int32 phase);
    // The pattern as wave block of channel 1, then 0; 100 ms; register 187 | 189.
    int32 test_drp_phase(const std::vector<uint16> &pattern);
    void set_and_check_drp_phase(int32 phase, const std::vector<uint16> &pattern);
    // Phase chosen from the eight results (-1: no run of three error-free phases).
    // eight_zero is set when every phase passed.
    static int32 choose_drp_phase(const uint32 results[8], bool *eight_zero);
    // 131072 samples: 0, 0, 1, 1, ..., 65535, 65535.
    static std::vector<uint16> make_drp_pattern();

    int32 get_drp_phase() const { return _drp_phase; }
    uint8 get_drp_state() const { return _drp_state; }

private:
    // The DMA wave write; target 1 the wave memory, 0 the modulating-wave memory.
    int32 write_dma_wave(int32 ch, int32 target, const std::vector<uint16> *samples);
    void write_pl_bits(int32 index, uint32 mask, bool on);
    void pulse_pl_bit(int32 index, uint32 mask);
    void pulse_fpga_bit(uint32 reg, uint16 mask);
    void set_pulse_ctrl_bit(int32 ch, uint16 mask, int32 on);

    int32 _drp_phase;
    uint8 _drp_state;
};

// The DRP log: 20-byte data records "%x,%x;     " cut to 19 characters and padded with
// zero bytes, and 3-byte end-of-line records "\r\n" plus a zero byte.
constexpr const char *DRV_DRP_LOG_PATH = "/usr/bin/korvane/log/drp_log.txt";
void drv_drp_log_format(char record[20], uint32 a, uint32 b);
// Appends the bytes to the log file (opened in mode "a" for each write); 0 when it
// does not open.
int32 drv_drp_log_write(const char *path, const void *bytes, uint32 count);
int32 drv_drp_log_record(const char *path, uint32 a, uint32 b);
int32 drv_drp_log_line_end(const char *path);

// The DRP bench (guard must be 0 for any action): mode 0 sets the phase, mode 1 runs
// one pattern test and logs it with the running error count, mode 2 clears the count
// and removes the log (a shell command); 1.
int32 drv_drp_bench(int32 mode, int32 guard, int32 phase);
// One memory test of channel 0 or 1 at an address over a length (registers 161, 129
// to 139); the error count of register 137 / 139.
int32 drv_mem_test(int32 ch, uint32 address, uint32 length);
// Both channels' memory tests at growing addresses below 0x4000000, each pass logged.
// 1 when every pass is clean; 0 at the first pass with errors.
int32 drv_mem_bench();
