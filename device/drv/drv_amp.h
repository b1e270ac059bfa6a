#pragma once
// drv_amp_t: the amplitude and offset driver. It turns a channel's amplitude, offset
// and load into the output stage's settings: a range word for the range relays, a
// digital attenuation for the FPGA, a reference voltage (or full-scale code) for the
// wave DAC, which sets the amplitude, and a code for the offset DAC, all corrected by
// the calibration record. The base class holds the shared procedure and a range table
// of other hardware; drv_amp_vextral_t is the USB module's.
//
// Values are long double: volts peak to peak (amplitude), volts (offset, DC level),
// ohms (load: 50, or 1000000 for high impedance), hertz, dB. Channels are 0 and 1; the
// channel entry points given another channel write nothing and answer 0.
//
// Range word: a bit set of the output stage's range lines (on the module 0, 2, 4 or
// 6: bit 1 the attenuator path, bit 2 the high range).
//
// The 29 virtual operations keep this order.
#include "lib_types.h"

#include <vector>

class drv_fpga_t;
struct drv_ampl_para_t;
struct drv_fpga_atten_t;

// The table words of load_word_list: a count, three words that are not read, the words.
struct drv_amp_word_list_t
{
    uint32 count;
    uint32 unused[3];
    std::vector<uint32> words;
};

class drv_amp_t
{
public:
    // Sets the five noise and clock constants.
    drv_amp_t();
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_amp_t() = default;

    // 0: the range word for an open-circuit amplitude and offset, and the digital
    // attenuation into info (cleared first). The base table may raise a too small
    // amplitude to its 0.002 V floor through ampl.
    virtual int32 select_amp_range(long double *ampl, long double *offset, drv_fpga_atten_t *info);
    // 1: whether the offset is in the high column, and the amplitude's step (0 the
    // largest); step is left as given when no row matches. 1.
    virtual int32 classify_amp_step(long double ampl, long double offset, u8 *high_offset, u8 *step);
    // 2: the range word of a DC level.
    virtual int32 select_dc_range(int32 ch, long double level);
    // 3-6: one range relay of the relay word (on 1 sets it).
    virtual int32 set_range_relay_1(int32 ch, int32 on);
    virtual int32 set_range_relay_2(int32 ch, int32 on);
    virtual int32 set_range_relay_3(int32 ch, int32 on);
    virtual int32 set_range_relay_4(int32 ch, int32 on);
    // 7, 8: every range relay off / on, in order.
    virtual int32 clear_range_relays(int32 ch);
    virtual int32 set_range_relays(int32 ch);
    // 9: the relay driver's set_range_word.
    virtual int32 write_range_word(int32 ch, int32 word);
    // 10: a DC level made by the offset DAC alone (no attenuation, no correction), with
    // the range sequencing of set_ampl_offset. 1.
    virtual int32 set_dc_level(drv_fpga_t *fpga, int32 ch, long double level);
    // 11: the wave DAC's full-scale code; 1.
    virtual int32 set_dac_fsc(int32 ch, u16 code);
    // 12: offset DAC code = zero code + offset x codes per volt of the set the word
    // selects, truncated toward zero. 1.
    virtual int32 set_offset_dac(int32 ch, int32 word, long double offset);
    // 13-16: noise and level constants.
    virtual long double get_noise_max_stdev(long double bandwidth, long double value);
    virtual long double get_noise_stdev_factor(long double value);
    virtual long double get_default_level();
    virtual long double get_sample_clock();
    // 17: the channel's digital attenuation off. 1.
    virtual int32 clear_digital_atten(int32 ch);
    // 18: set_amplitude_dac with calc_amplitude_level.
    virtual int32 set_amplitude(int32 ch, int32 word, drv_fpga_atten_t *info, long double ampl, long double corr_db);
    // 19: the wave DAC for a level.
    virtual int32 set_amplitude_dac(int32 ch, long double level);
    // 20: ampl / 10^(gain / 20), gain the path's dB less the correction.
    virtual long double calc_amplitude_level(int32 ch, long double ampl, int32 word, drv_fpga_atten_t *info,
                                             long double corr_db);
    // 21: the table pointer reset, then the list's words. 1.
    virtual int32 load_word_list(int32 ch, const drv_amp_word_list_t *list);
    // 22, 23: the amplitude correction in dB: the step correction below 1 MHz, the
    // frequency correction at or above it.
    virtual long double get_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                               long double offset);
    virtual long double lookup_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                                  long double offset);
    // 24: the dB of the range lines and the digital attenuation.
    virtual long double get_range_gain_db(int32 ch, int32 word, drv_fpga_atten_t *info);
    // 25: 1 while the channel's frequency sweeps or is modulated (FM, FSK).
    virtual int32 is_freq_varying(int32 ch);
    // 26: set_amplitude with get_ampl_correction_db.
    virtual int32 apply_amplitude(int32 ch, int32 word, drv_fpga_atten_t *info, long double freq, long double ampl,
                                  long double offset);
    // 27, 28: 0.0.
    virtual long double get_offset_correction(int32 ch, int32 word, long double ampl, long double offset);
    virtual long double get_varying_ampl_correction(int32 ch, long double ampl, long double offset);

    // Amplitude and offset of a channel: AM headroom, the open-circuit values, range,
    // attenuation, wave DAC and offset DAC, with the output relay opened around a range
    // change and the overload driver told of the new range before (range up) or after
    // (range down) the writes. May scale para's amplitude by 1.1. 1.
    int32 set_ampl_offset(drv_fpga_t *fpga, int32 ch, drv_ampl_para_t *para);
    // select_dc_range of the offset for amplitude 0.0, else select_amp_range.
    int32 get_range_word(int32 ch, long double *ampl, long double *offset, drv_fpga_atten_t *info);
    // Compares the word for the values with the channel's remembered one under the
    // range switch mask: 2 unchanged; else the word is remembered and the result is 1
    // when the mask bit is now set, 0 when clear. 2 for another channel.
    int32 update_range_state(int32 ch, long double ampl, long double offset);
    int32 update_dc_range_state(int32 ch, long double level);
    // The word last written to the channel's relays (channel 0 the first entry, any
    // other the second).
    void set_applied_range(int32 ch, int32 word);
    int32 get_applied_range(int32 ch) const;
    // Stores for channel 0 or 1 only. 0.
    int32 set_range_state(int32 ch, int32 word);
    int32 get_range_state(int32 ch) const;
    int32 write_range_relays(int32 ch, int32 word);
    void set_zero_level(drv_fpga_t *fpga, int32 ch);
    // The amplitude x 1.1 while the channel runs AM (run mode 0). 1.
    int32 apply_am_headroom(int32 ch, drv_ampl_para_t *para);
    // out = value x (load + 50) / load; 0 and nothing written for a null out.
    int32 convert_ampl_for_load(long double load, long double value, long double *out);
    long double get_output_impedance();
    long double noise_bandwidth_factor(long double bandwidth);
    // value for mode 0, else value x noise_bandwidth_factor (bandwidth).
    long double get_noise_ampl_factor(int32 mode, long double bandwidth, long double value);

    // Range-word bits for which the base overload driver picks its narrow thresholds.
    int32 get_overload_range_mask() const { return _overload_range_mask; }
    // The update_range_state results that put the overload call before / after the
    // writes.
    int32 get_range_up_code() const { return _range_up_code; }
    int32 get_range_down_code() const { return _range_down_code; }
    int32 get_range_switch_mask() const { return _range_switch_mask; }

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }
    // The range relay's bit of the relay word.
    static int32 set_range_bit(int32 ch, int32 on, int32 mask);
    // The offset DAC code with the high set chosen by high_mask.
    static int32 write_offset_dac(int32 ch, int32 word, long double offset, int32 high_mask);
    // Applies a range word: relay opened when it changes under a closed relay, the
    // overload driver and writes ordered by the state change, the word remembered, the
    // relay closed again after 3 ms.
    template <typename writes_t>
    void apply_range(drv_fpga_t *fpga, int32 ch, int32 word, int32 change, bool relay_closed, writes_t &&writes);
    // 10^(db / 20). The last few gains are remembered: a path keeps its gain from one
    // setting to the next, and the 80-bit power costs more than the rest of a change.
    long double db_to_ratio(long double db);

    int32 _overload_range_mask = 0;
    int32 _range_up_code = 1;
    int32 _range_down_code = 0;
    int32 _range_switch_mask = 0;
    int32 _applied_range[2] = {0, 0};
    int32 _range_state[2] = {0, 0};
    long double _noise_const_a;
    long double _noise_const_b;
    long double _noise_scale;
    long double _sample_clock;
    long double _noise_ref_bandwidth;

private:
    struct ratio_memo_t
    {
        long double db;
        long double ratio;
    };
    // NaN gains never match, so the empty entries are never used.
    ratio_memo_t _ratio_memo[4] = {{__builtin_nanl(""), 1.0L}, {__builtin_nanl(""), 1.0L},
                                   {__builtin_nanl(""), 1.0L}, {__builtin_nanl(""), 1.0L}};
    unsigned _ratio_memo_next = 0;
};
