#pragma once
// drv_fpga_t: the drivers' only way to the module's FPGA. Its operations turn
// channels, words, flags and voltages into 16-bit register accesses (through the
// register front end, drv_reg_access.h) and block transfers (through the instance
// manager's register transport). drv_fpga_vextral_t is the USB module's class.
//
// Conventions of every operation:
// - A register read yields 0 to 65535; a write sends the low 16 bits.
// - A field changes by read-modify-write of its register; other bits are kept.
// - Channels are 0 and 1. Another channel writes no register and a status result is
//   0, unless an operation says it treats every channel other than 0 as channel 1.
// - Words wider than 16 bits are split over registers in the order each writer gives.
// - Word writers neither hold nor strobe: the calling driver brackets a group of
//   writes with begin_hold / end_hold and publishes them with update.
//
// The 59 virtual operations keep this order (the three of drv_chip_t first).
#include "drv_chip.h"
#include "drv_reg_progress.h"
#include "lib_types.h"

#include <string>
#include <vector>

class drv_reg_spi_t;
struct drv_fpga_atten_t;
struct drv_flash_chunk_t;

class drv_fpga_t : public drv_chip_t
{
public:
    drv_fpga_t();
    // Virtual because the instance manager owns its FPGA object through this class.
    virtual ~drv_fpga_t();

    // 0: writes 0x55 and 0xAA to register 2 and reads each back; prints
    // "chip not ok! write_value:<w>,read_walue:<r>" at the first mismatch and returns 0.
    int32 check_chip() override;
    // 1, 2: get_chip_info, set_chip_info (drv_chip_t).

    // 3: the second platform's start-up.
    virtual void init_fpga();
    // 4: does nothing.
    virtual void load_fpga_file(std::string path);
    // 5: 0.
    virtual int32 get_fpga_state();
    // 6: overload status of register 31.
    virtual int32 get_overload_state(uint32 *state);
    // 7: time-base trim code.
    virtual void set_time_base_dac(int32 code);
    // 8: the samples to the channel's wave port (252 / 253); the transport's result, 1
    // for an empty vector (nothing sent), 0 for a null vector or another channel.
    virtual int32 write_wave_block(int32 ch, const std::vector<uint16> *samples);
    // 9: the sample-rate-mode load: prints "write_true_arb_wave_data++", leaves sample-
    // rate mode, loads length, padding and start offset, sends the padded block and
    // enters sample-rate mode. The start-offset load bit stays set.
    virtual void write_true_arb_wave_data(int32 ch, const std::vector<uint16> *samples, uint32 start);
    // 10: as write_wave_block, to the modulating-wave port (254 / 255).
    virtual int32 write_mod_wave_block(int32 ch, const std::vector<uint16> *samples);
    // 11: the 48-bit carrier tuning word, bits 0-15, 16-31, 32-47 to 16, 18, 20 (channel
    // 1: 48, 50, 52); 1, or 0 without a write for another channel.
    virtual int32 set_freq_word(int32 ch, uint64 word);
    // 12: set_freq_word, then set_rate_recip.
    virtual void set_freq_word_rate(int32 ch, uint64 micro_hz, uint64 word);
    // 13: micro_hz x (get_dds_phase_range / get_dds_clock), not rounded; 0 while the
    // class has no carrier clock (0.0).
    virtual long double freq_to_word(long double micro_hz);
    // 14: digital attenuation of the channel.
    virtual void set_atten(int32 ch, const drv_fpga_atten_t *atten);
    // 15-18: second-platform pulse flags; nothing here.
    virtual void set_pulse_ctrl_bit14(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit13(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit12(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit11(int32 ch, int32 on);
    // 19: one converter reading of register 98.
    virtual int32 read_adc();
    // 20: DC level; nothing in the base.
    virtual void set_dc_level(int32 ch, long double volts);
    // 21: the 37-bit modulation depth/deviation word.
    virtual void set_mod_word(int32 ch, uint64 word);
    // 22, 23: manual triggers on register 84.
    virtual void trigger_ch(int32 ch);
    virtual void trigger_both();
    // 24: the counter's period in seconds.
    virtual void get_counter_period(long double *seconds);
    // 25, 26: the counter's trigger level code.
    virtual void set_counter_level_dac(int32 code);
    virtual int32 get_counter_level_dac(uint32 *code);
    // 27: reference output; 1 in the base.
    virtual int32 set_ref_out(int32 on);
    // 28: clock source select, register 4 bit 8.
    virtual int32 set_clock_source(int32 source);
    // 29: the 48-bit value of registers 146-148.
    virtual uint64 get_reg_word48();
    // 30: digital gain of the channel.
    virtual void set_digital_gain(int32 ch, long double db);
    // 31-33: flash sector erase, page program, data read.
    virtual int32 erase_flash_sector(uint32 sector);
    virtual int32 write_flash_page(uint32 addr, uint32 count, const uint8 *data);
    virtual int32 read_flash_data(uint32 addr, uint32 count, uint8 *out);
    // 34, 35: interpolation-filter coefficients.
    virtual int32 set_filter_coefs(int32 ch, const int16 *coefs, int32 n);
    virtual int32 set_default_filter_coefs(int32 ch);
    // 36-38: wave-DAC reference and multiplier.
    virtual int32 set_offset_volt(int32 ch, long double volts);
    virtual int32 set_offset_code(int32 ch, int32 code);
    virtual int32 multiplier_ctrl_volt(int32 ch, long double volts);
    // 39: the flash chunk sizes; 1 and the record untouched in the base.
    virtual int32 get_flash_chunks(drv_flash_chunk_t *chunks);
    // 40, 41: chunked flash writes and reads.
    virtual int32 write_flash(uint32 addr, uint32 len, const uint8 *data, const drv_flash_chunk_t *chunks);
    virtual int32 read_flash(uint32 addr, uint32 len, uint8 *out, const drv_flash_chunk_t *chunks);
    // 42: nothing (the sample clock comes from the tuning word and its reciprocal).
    virtual void set_sample_rate(int32 ch, long double rate);
    // 43-46: PRBS; nothing here, and mode 0.
    virtual void set_prbs_mode(int32 ch, int32 on);
    virtual int32 get_prbs_mode(int32 ch);
    virtual void set_prbs_length(int32 ch, int32 length);
    virtual void set_prbs_rate(int32 rate);
    // 47-49: flash access brackets; 1 in the base.
    virtual int32 begin_flash_access();
    virtual int32 begin_boot_flash_access();
    virtual int32 end_flash_access();
    // 50: 1.
    virtual int32 is_fpga_ready();
    // 51: 1, the record untouched.
    virtual int32 get_boot_flash_chunks(drv_flash_chunk_t *chunks);
    // 52: boot-flash image writer; 1 without writing in the base.
    virtual int32 write_boot_image(uint32 addr, uint32 len, const uint8 *data, drv_progress_cb_t progress);
    // 53: flash bytes to a 24-bit address; 1 in the base.
    virtual int32 write_flash_data24(uint32 addr, uint32 count, const uint8 *data);
    // 54, 55: the carrier clock pair (micro-hertz, accumulator range); 0.0 in the base.
    virtual long double get_dds_clock();
    virtual long double get_dds_phase_range();
    // 56: polls register 94 bit 1.
    virtual int32 wait_flash_done();
    // 57, 58: the modulation clock pair, 1.5e14 micro-hertz and 2^47.
    virtual long double get_mod_dds_clock();
    virtual long double get_mod_dds_phase_range();

    // Whether the class has its own body of an operation whose caller skips the
    // inherited default: write_boot_image (the driver interface's flash-image writer).
    virtual bool replaces_write_boot_image() const;

    // Registers of the channel: control 36 / 68, filter coefficients 95 / 93; 0 for
    // another channel.
    static int32 get_ctrl_reg(int32 ch);
    static int32 get_coef_reg(int32 ch);
    // The channel control register; 0 without a read for another channel.
    int32 read_ctrl_reg(int32 ch);
    void write_ctrl_reg(int32 ch, uint16 value);
    // (hi << 16) | lo as 32 bits, the high register read first.
    int32 read_reg32(uint32 lo, uint32 hi);

    // The parameter update strobe: register 10 read once as v, then written
    // v | 0x8000, v | 0x9000, (v | 0x8000) & ~0x1000, v & 0x6FFF.
    void update();
    // The counted update hold on bit 3 of register 36. begin_hold sets the bit on every
    // call; end_hold clears it when the count comes back to 0 and writes nothing
    // otherwise (also when it goes below 0).
    void begin_hold();
    void end_hold();
    void release_hold_bit();
    int32 get_hold_count() const { return _hold_count; }
    int32 read_update_reg();
    // Bit 0 of the channel control register, one read-modify-write each.
    void set_ctrl_bit0(int32 ch);
    void clear_ctrl_bit0(int32 ch);
    // The channel's run mode (0 modulation, 1 sweep, 2 burst, 3 continuous), kept here
    // only; 0 for another channel.
    void set_run_mode(int32 ch, int32 mode);
    int32 get_run_mode(int32 ch) const;

    // Carrier and modulation words.
    long double read_dds_clock();
    // The carrier word read back, lowest register first; 0 for another channel.
    uint64 get_freq_word(int32 ch);
    // hz x 1e6 x (flag 0: the class's modulation pair; flag 1: the fixed 2^47 / 1.5e14);
    // 0 for another flag.
    long double mod_freq_to_word(int32 flag, long double hz);
    // The word truncated toward zero (0 when it has no unsigned value); nothing for
    // another flag.
    void set_mod_freq(int32 flag, int32 ch, long double hz);
    // The 45-bit word, bits 0-15, 16-31, 32-44 to 26, 28, 30 (channel 1: 58, 60, 62).
    void set_mod_freq_word(int32 ch, uint64 word);
    uint64 get_mod_freq_word(int32 ch);
    // The FSK hop frequency through the carrier conversion.
    void set_hop_freq(int32 ch, long double hz);
    void set_hop_freq_word(int32 ch, uint64 word);

    // Phase words, degrees x 4294967295 / 360 after adding 360 once to a negative
    // angle. The start phase treats every channel other than 0 as channel 1.
    void set_start_phase(int32 ch, long double degrees);
    void set_phase_offset(int32 ch, long double degrees);
    void write_phase_offset_word(int32 ch, int32 low, int32 high);
    // Reads the low register first; null outputs are skipped.
    void read_phase_offset_word(int32 ch, uint32 *low, uint32 *high);
    // Bit 14 of register 10.
    int32 get_start_phase_mode();
    // One pulse of the hold bit (held set inside an open hold); the channel selects
    // nothing.
    void sync_phase(int32 ch);
    // Makes the larger word the nearest multiple of the smaller (a tie rounds up).
    static void align_freq_words(uint64 *a, uint64 *b);
    // The sample-rate reciprocal, written only while the channel is in sample-rate mode.
    void set_rate_recip(int32 ch, uint64 micro_hz, uint64 word);
    // K / (2 x word), K = 2^72 above 1 Hz (micro_hz > 1000000) else 2^54, as five 16-bit
    // words from the lowest register up. A zero word writes five zeros.
    void write_rate_recip(int32 ch, uint64 micro_hz, uint64 word);

    // Wave memory and sample-rate mode (register 65, lengths and offsets).
    // The samples padded with zeros to a multiple of 8, to port 67 / 79.
    void write_true_arb_samples(int32 ch, const std::vector<uint16> *samples);
    void set_wave_pad(int32 ch, int32 length);
    void set_wave_len(int32 ch, uint32 length);
    void set_wave_len_pad(int32 ch, uint32 length);
    void set_sample_rate_mode(int32 ch, int32 on);
    // 1 in sample-rate mode; 0 without a read for another channel.
    int32 get_sample_rate_mode(int32 ch);
    void set_arb_load_enable(int32 ch, bool on);
    void set_start_offset_load(int32 ch, int32 on);
    void set_start_offset(int32 ch, uint32 offset);

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }
    // One register through the front end: its 16-bit value; the value's low 16 bits.
    static uint16 reg_read(uint32 reg);
    static void reg_write(uint32 reg, uint32 value);
    // Read-modify-write of the bits of mask: set when on, cleared otherwise.
    static void reg_write_bits(uint32 reg, uint16 mask, bool on);
    // The instance manager's register transport, for block and byte transfers.
    static drv_reg_spi_t *transport();

    // Bitstream file of the second platform's start-up.
    std::string _fpga_file;
    // Per channel: ASK modulation running through the gated burst.
    int32 _ask_on[2];
    // Per channel: modulation field 8 means PSK (1) or PM (0).
    int32 _psk_on[2];
    // Per channel: trigger-output mode last given by the burst driver.
    int32 _trig_out_mode[2];
    int32 _run_mode[2];
    // Factor of the sample-rate reciprocal's divisor.
    int32 _time_base_factor;
    int32 _hold_count;
    drv_progress_cb_t _progress_cb;
};
