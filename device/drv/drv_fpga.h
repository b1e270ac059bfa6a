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
#include "drv_reg_access.h"
#include "drv_reg_progress.h"
#include "lib_types.h"

#include <string>
#include <vector>

class drv_reg_spi_t;
struct drv_fpga_atten_t;
struct drv_flash_chunk_t;

// Progress of a boot-image write: the fraction done (0.2 after the erase, below 0.97
// after the last piece) and the flag 1.
typedef void (*drv_flash_progress_cb_t)(float progress, int32 flag);

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

    // 3: the second platform's start-up: gpio 56 exported as an output (shell commands),
    // load_fpga_file with the bitstream file, pulse_fpga_reset.
    virtual void init_fpga();
    // 4: loads the bitstream of the second platform; 1 (nothing to load) in the base.
    virtual int32 load_fpga_file(std::string path);
    // 5: 0.
    virtual int32 get_fpga_state();
    // 6: overload status of register 31: bit 1 clear gives state 0; bit 1 set with bit 2
    // clear gives state 1; both set return 0 and leave the state.
    virtual int32 get_overload_state(uint32 *state);
    // 7: time-base trim code, register 144.
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
    // 14: digital attenuation of the channel: the attenuator bit of register 158, then
    // the gain (gain_db plus extra_db when asked) while atten->on is set. The record is
    // not const because the module's class zeroes gain_db when the attenuation is off.
    virtual void set_atten(int32 ch, drv_fpga_atten_t *atten);
    // 15-18: second-platform pulse flags; nothing here.
    virtual void set_pulse_ctrl_bit14(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit13(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit12(int32 ch, int32 on);
    virtual void set_pulse_ctrl_bit11(int32 ch, int32 on);
    // 19: polls register 98 until bit 15 is set and returns bits 0-13; -1 when 1000
    // reads never showed the bit (no module answers).
    virtual int32 read_adc();
    // 20: DC level; nothing in the base.
    virtual void set_dc_level(int32 ch, long double volts);
    // 21: the 37-bit modulation depth/deviation word, bits 0-15, 16-31, 32-36 to 38,
    // 170, 100 (channel 1: 70, 186, 102).
    virtual void set_mod_word(int32 ch, uint64 word);
    // 22, 23: manual triggers: register 84 written 0, then 1 (channel 0) or 2 (channel 1;
    // another channel writes 0 twice), or 3 for both.
    virtual void trigger_ch(int32 ch);
    virtual void trigger_both();
    // 24: ticks x 6.666666666666667 / cycles / 1e9 (a zero count gives inf or NaN).
    virtual void get_counter_period(long double *seconds);
    // 25, 26: the counter's trigger level code, register 140; 1.
    virtual void set_counter_level_dac(int32 code);
    virtual int32 get_counter_level_dac(uint32 *code);
    // 27: reference output; 1 in the base.
    virtual int32 set_ref_out(int32 on);
    // 28: register 4 bit 8 set for source 0, cleared for source 1, written only when it
    // changes; another source changes nothing. 1.
    virtual int32 set_clock_source(int32 source);
    // 29: (146 << 32) | (147 << 16) | 148, read in this order.
    virtual uint64 get_reg_word48();
    // 30: code trunc(10^(db / 20) x 262144) to register 33 / 35.
    virtual void set_digital_gain(int32 ch, long double db);
    // 31: register 13 = 0, the sector's erase trigger (sectors 0 to 7), then up to 11
    // status polls 500 ms apart: 1 once idle, 0 still busy.
    virtual int32 erase_flash_sector(uint32 sector);
    // 32: one 256-byte page program (bytes beyond count are sent as 0xFF); the done
    // poll's result.
    virtual int32 write_flash_page(uint32 addr, uint32 count, const uint8 *data);
    // 33: one read transaction; 0 above 1024 bytes.
    virtual int32 read_flash_data(uint32 addr, uint32 count, uint8 *out);
    // 34, 35: coefficient-load strobe on control bit 12 (set, cleared, set), then the
    // coefficients to register 95 / 93; 1.
    virtual int32 set_filter_coefs(int32 ch, const int16 *coefs, int32 n);
    virtual int32 set_default_filter_coefs(int32 ch);
    // 36: offset_volt_to_code, then set_offset_code; 1.
    virtual int32 set_offset_volt(int32 ch, long double volts);
    // 37: register 41 / 43 = code; 1, or 0 for another channel.
    virtual int32 set_offset_code(int32 ch, int32 code);
    // 38: register 37 / 39 = trunc(volts x 32767 / 3); outside -1 to 1 V a message and 0.
    virtual int32 multiplier_ctrl_volt(int32 ch, long double volts);
    // 39: the flash chunk sizes; 1 and the record untouched in the base.
    virtual int32 get_flash_chunks(drv_flash_chunk_t *chunks);
    // 40, 41: the range in pieces of the record's write or read size, the last write
    // piece padded with 0xFF. 1; 0 without any access for a null buffer, a null record
    // or a zero size. A zero length sends nothing and answers 1.
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
    virtual int32 write_boot_image(uint32 addr, uint32 len, const uint8 *data, drv_flash_progress_cb_t progress);
    // 53: flash bytes to a 24-bit address; 1 in the base.
    virtual int32 write_flash_data24(uint32 addr, uint32 count, const uint8 *data);
    // 54, 55: the carrier clock pair (micro-hertz, accumulator range); 0.0 in the base.
    virtual long double get_dds_clock();
    virtual long double get_dds_phase_range();
    // 56: up to 1001 reads of register 94 without a wait: 1 at the first with bit 1
    // set, else 0.
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

    // Modulation register (40 / 72): bits 0-5 the mode field (0 none, 1 DSB-AM, 2 AM,
    // 4 FM and sweep, 8 PM or PSK, 16 FSK, 32 PWM), bit 6 table-pointer reset, bit 7
    // PSK polarity, bit 8, bit 15 external source. The read gives 0 for another channel.
    int32 read_mod_reg(int32 ch);
    void write_mod_reg(int32 ch, uint16 value);
    // Type as the configuration layer numbers it (0 none, 1 AM, 2 FM, 3 PM, 4 ASK,
    // 5 FSK, 6 PSK, 7 DSB-AM, 8 PWM). The mode field is written only when it changes,
    // except for ASK, which clears it and runs through the gated burst; every type but
    // 0 and 4 releases the ASK gate; every type clears the triggered-sweep bit.
    void set_mod_type(int32 ch, int32 type);
    int32 get_mod_type(int32 ch);
    void set_psk_polarity(int32 ch, uint16 v);
    void set_mod_reg_bit8(int32 ch, uint16 v);
    // Bit 15 = 1 for v 1, else 0.
    void set_ext_source(int32 ch, int32 v);

    // ASK as a gated burst: trigger source 2, gate polarity 1, burst field 2.
    void enable_ask_gate(int32 ch);
    void set_ask_gate(int32 ch, int32 on);
    int32 is_ask_on(int32 ch) const;

    // Channel control register fields: bits 4-5 trigger source (2 internal, 0 external,
    // 1 manual; 3 reads as 2), bits 6-7 burst field (0 off, 1 N cycles, 2 gated,
    // 3 infinite) with its load strobe bit 8, bit 9 gate polarity / edge, bit 10
    // triggered sweep.
    void set_trig_source(int32 ch, uint16 v);
    void set_mod_trig_source(int32 ch, uint16 v);
    void set_sweep_trig_source(int32 ch, uint16 v);
    int32 get_trig_source(int32 ch);
    // The field, then four writes: bit 8 as read, 0, 1, 0.
    void load_burst_field(int32 ch, uint16 field);
    void set_burst_field(int32 ch, uint16 field);
    // 0 while the channel's ASK gate is on.
    int32 get_burst_field(int32 ch);
    void set_gate_polarity(int32 ch, uint16 v);
    // Bit 9 = 1 for edge 0, else 0.
    void set_trig_edge(int32 ch, int32 edge);
    // Bit 9 inverted, 1 ms, restored.
    void toggle_trig_edge(int32 ch);
    void set_ctrl_bit10(int32 ch, uint16 v);
    // Low half first (46 / 78), then the high half (42 / 74).
    void set_burst_cycles(int32 ch, uint32 cycles);
    // Ticks of the modulation clock (150 MHz), trunc(seconds / tick) as int32: low half
    // to 160 / 176, then high half to 162 / 178.
    void set_burst_delay(int32 ch, long double seconds);
    void set_trig_out_mode(int32 ch, int32 mode);
    int32 get_trig_out_mode(int32 ch) const;
    // Routing register 82 (bit 0 trigger output off, 1 sync output off, 2 channel of the
    // trigger output, 3 channel of the sync output, 4 external trigger input off), one
    // read-modify-write: kind 0 external input, 1 sync output, 2 trigger output (only
    // its owner may switch an enabled output off), 3 everything off.
    void set_trig_out(int32 ch, int32 kind, int32 on);
    // set_trig_out (ch, 1, on) for on 0 or 1.
    void set_sync_out(int32 ch, int32 on);

    // Pulse generator. Bit 15 of 196 / 212 is the pulse mode.
    void set_pulse_mode(int32 ch, int32 on);
    // 196 / 212 written whole (bits 32-37 of the count, and bit 15 set when the
    // modulation field's bits 0-4 are all 0), then bits 16-31 and 0-15.
    void set_pulse_count(int32 ch, uint64 count);
    // Top part first: the 37-bit fraction and edge steps, the 32-bit edge scales.
    void set_pulse_frac(int32 ch, uint64 word);
    void set_edge1_step(int32 ch, uint64 word);
    void set_edge1_scale(int32 ch, uint64 word);
    void set_edge2_step(int32 ch, uint64 word);
    void set_edge2_scale(int32 ch, uint64 word);

    // Register 241: bit 0 / 1 the channel's noise mode; bit 14 noise modulation, one
    // bit for both channels.
    void set_noise_mode(int32 ch, int32 on);
    void set_noise_mod(int32 ch, int32 on);

    // The frequency counter (no channel).
    void restart_counter();
    // The signed 32-bit count of 116 (high) and 114 (low).
    void get_counter_value(long double *out);
    // Below 10 Hz high ticks x 6.666666666666667 / cycles / 1e9, otherwise (high ticks /
    // total ticks) / hz; 1.
    int32 get_counter_pulse_width(long double *out, long double hz);
    int32 get_counter_count_valid();
    int32 get_counter_period_valid();

    // Two-channel combining: register 86 bit 0 for channel 0, bit 1 for any other.
    void set_combine(int32 ch, int32 on);
    int32 get_combine(int32 ch, uint32 *out);
    // Register 88 = trunc(ratio x 65535).
    void set_combine_ratio(long double ratio);

    // Output stage. Bit 11 of the control register is the output switch (cleared for
    // on 1, set for on 0, rewritten unchanged otherwise).
    void set_output_enable(int32 ch, int32 on);
    int32 get_output_enable(int32 ch);
    // Register 158 bit 0 / 1; closing it (v 1) waits 5 ms.
    void set_output_relay(int32 ch, int32 v);
    int32 get_output_relay(int32 ch);
    // Register 80 bit 3 / 2, set for an inverted output (normal 0).
    void set_output_polarity(int32 ch, int32 normal);
    int32 get_output_polarity(int32 ch);
    void write_gain_reg(int32 ch, int32 code);
    static long double db_to_gain(long double db);
    // The wave-DAC reference code: 0 beyond +-3 V, 32767 / 3 per volt, negative volts
    // counted down from 65535.
    static uint16 offset_volt_to_code(long double volts);
    // Registers 132 / 134 and 44 / 76; 1, or 0 for another channel.
    int32 set_ch_dac_code(int32 ch, int32 code);
    int32 set_ch_trim_code(int32 ch, int32 code);
    // Modulation register bit 6 set, cleared, set; then table words to 104 / 91.
    void reset_table_ptr(int32 ch);
    void write_table_word(int32 ch, int32 v);
    // Register 241 bit 2 / 3.
    void set_amp_flag(int32 ch, int32 on);

    // Auxiliary lines.
    void write_mux_reg(int32 v);
    int32 read_mux_reg();
    // The serial port's idle word 0xFFFE; 1.
    int32 serial_idle();
    // (hi << 8) | lo, bits nbits - 1 down to 0 (at most 31), as clock-low and clock-high
    // words on base, then the last clock-low word again, between two idle words; 1.
    int32 serial_write(int32 nbits, uint16 base, uint32 hi, uint32 lo);
    int32 serial_write_reg(int32 nbits, uint16 base, uint32 hi, uint32 lo);
    // serial_write (nbits, base, addr | 0x80, 0), then the low byte of register 242.
    int32 serial_read(int32 nbits, uint16 base, uint32 addr);
    // Register 4: bit 0 set, cleared, 2 ms, set.
    void pulse_clock_reset();
    int32 get_clock_status();
    void write_clock_reg(uint16 v);
    int32 read_clock_reg();
    // Registers 128, 130 / 136, 138.
    void set_overload_dac(int32 ch, int32 a, int32 b);
    // Register 158 bit 4 set for 0, cleared for 1; 1, or 0 without a write otherwise.
    int32 set_overload_select(int32 sel);

    // Flash geometry: 8 sectors of 64 KiB.
    int32 calc_flash_sectors(uint32 addr, uint32 len, uint32 *first, uint32 *count);
    static int32 addr_to_sector(uint32 addr, uint32 *sector);
    static int32 sector_to_addr(uint32 sector, uint32 *addr);
    // Register 12 = 0, then the low byte of register 106 (0 idle).
    int32 read_flash_status();
    void set_flash_write_addr(uint32 addr);
    void set_flash_read_addr(uint32 addr);
    // The register with the bit set, cleared, set (one read); 1.
    int32 pulse_reg_bit(uint32 reg, uint32 bit);
    // At most 256 bytes as the low halves of a zeroed 256-word block; 0 for null.
    int32 write_block_bytes(uint32 port, uint32 count, const uint8 *data);
    int32 read_block_bytes(uint32 port, uint32 count, uint8 *out);

    // Start-up of the second platform and the progress path.
    std::string get_fpga_file() const;
    void set_fpga_file(const std::string &path);
    // gpio 54 low for 2 ms, then high, and 20 ms.
    void pulse_fpga_reset();
    // A non-null callback is kept here and in the transport layer.
    void set_progress_callback(drv_progress_cb_t callback);
    void report_progress(int32 a, int32 b, int32 c);

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }
    // One register through the front end: its 16-bit value; the value's low 16 bits.
    // Inline: every register access of every operation passes here.
    static uint16 reg_read(uint32 reg) { return static_cast<uint16>(drv_fpga_read_reg(reg)); }
    static void reg_write(uint32 reg, uint32 value) { drv_fpga_write_reg(reg, value & 0xFFFF); }
    // Read-modify-write of the bits of mask: set when on, cleared otherwise.
    static void reg_write_bits(uint32 reg, uint16 mask, bool on);
    // The instance manager's register transport, for block and byte transfers.
    static drv_reg_spi_t *transport();
    // The chunked transfers without the access brackets of a product class.
    int32 write_flash_pieces(uint32 addr, uint32 len, const uint8 *data, uint32 chunk);
    int32 read_flash_pieces(uint32 addr, uint32 len, uint8 *out, uint32 chunk);
    // Up to 1000 reads of register 98: the masked value once bit 15 is set, else -1.
    static int32 poll_adc(uint16 value_mask);

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
