#pragma once
// drv_wave_manage_t: the wave manager. For each basic wave type one apply turns the
// channel's settings record into hardware state in a fixed order: the FPGA datapath
// (DDS table, pulse generator, noise source or sample-rate playback), the wave memory,
// frequency, amplitude and offset, and phase. It owns nothing: every driver it calls
// is fetched from the instance manager at the call. Its one state is the type of the
// wave last applied to each channel.
//
// Wave type codes: 0 sine, 1 square, 2 ramp, 3 pulse, 4 noise, 5 DC, 6 arbitrary,
// 8 PRBS, 12 data pattern. The virtual operations keep this order.
#include "lib_types.h"

#include <vector>

struct drv_ampl_para_t;
struct drv_couple_para_t;
struct drv_data_pattern_para_t;
struct drv_dc_para_t;
struct drv_noise_para_t;
struct drv_wave_para_t;

class drv_wave_manage_t
{
public:
    drv_wave_manage_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_wave_manage_t() = default;

    // The applies. The table-played types (sine, ramp, pulse, arbitrary, PRBS) run with
    // the channel's output switched off and restored at the end, inside an update hold
    // for hold 1, and end with one strobe. A null record does nothing and answers 0;
    // otherwise 1.
    // Sine: the built-in sine, or the record's harmonic samples when the harmonic flag is
    // set (the built-in sine when it has none).
    virtual int32 set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    // Square and noise: nothing in the base.
    virtual int32 set_square_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    virtual int32 set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    // Pulse: the only type whose frequencies follow amplitude and phase.
    virtual int32 set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    virtual int32 set_noise_wave(int32 ch, const drv_noise_para_t *para);
    // DC: not muted, not held, no strobe.
    virtual int32 set_dc_wave(int32 ch, const drv_dc_para_t *para);
    // Arbitrary: sample-rate mode 1 plays on the sample-rate path, 0 on the DDS path, any
    // other value leaves the path selects.
    virtual int32 set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    virtual int32 set_prbs_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    virtual int32 set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para);

    // 0.0 Hz: the frequency above which the range checker narrows the square duty.
    virtual long double get_square_limit_freq();
    // 0.0.
    virtual long double get_square_duty_factor(long double duty);
    // The type of the channel's last apply is square (1), pulse (3).
    virtual bool is_square_wave(int32 ch);
    virtual bool is_pulse_wave(int32 ch);
    // Capability flags the configuration layer reads; the module's classes answer false.
    virtual bool is_arb_ext_freq_supported();
    virtual bool is_noise_ext_supported();
    virtual bool is_couple_supported();
    virtual bool is_aux_supported();
    virtual bool is_square_combine_supported();
    virtual bool is_square_ext_supported();
    virtual bool is_data_pattern_supported();

    // The channel's last applied type; -1 before its first apply, so that the first one
    // counts as a change. Another channel: nothing stored, and -1.
    void set_wave_type(int32 ch, int32 type);
    int32 get_wave_type(int32 ch) const;

    // The channel's three datapath selects, in this order: pulse generator (196 / 212
    // bit 15), noise (241 bit 0 / 1), sample-rate playback (65 bit 9 / 8).
    void select_dds_path(int32 ch);
    void select_pulse_path(int32 ch);
    void select_noise_path(int32 ch);
    void select_sample_rate_path(int32 ch);

    // The samples into the channel's wave memory; the store's result (1).
    int32 load_wave_data(int32 ch, const std::vector<int16> &samples);
    // A ramp of the symmetry (percent) over the DDS wave length into wave memory. The
    // last ramp built is kept, so an unchanged symmetry is not computed again.
    void set_ramp_symmetry(int32 ch, const long double *symmetry);
    // Built-in wave 0 into wave memory; the constant 0.
    void load_sine_table(int32 ch);
    void load_zero_wave(int32 ch);
    // The amplitude driver, which may scale the record's amplitude in place.
    void set_ampl_offset(int32 ch, drv_ampl_para_t *para);
    // The level converted for the load, as a DC level.
    void set_dc_level(int32 ch, const drv_dc_para_t *para);
    void set_freq_phase(int32 ch, long double hz, long double degrees);
    void set_phase(int32 ch, long double degrees);
    // The pulse path, then the pulse timing, fall edge and rise edge.
    void set_pulse_timing(int32 ch, long double width, long double fall, long double rise, long double hz);

    // The PRBS edge step: the sample-rate step of the edge time (also for the other
    // channel when the pair or coupling flag is 1), then the update strobe. The module's
    // FPGA ignores the step, so only the strobe reaches it.
    void set_prbs_edge(int32 ch, const drv_wave_para_t *para);
    void set_prbs_edge(int32 ch, const drv_couple_para_t *para);

protected:
    // The steps a muted apply runs between switching the output off (and opening the
    // hold) and the strobe.
    template <typename Steps>
    void muted_apply(int32 hold, int32 ch, int32 type, Steps &&steps);
    // Both channels' frequencies, CH1 to channel 0 and CH2 to channel 1.
    void set_both_freqs(const drv_wave_para_t *para);
    // The noise apply of the module's classes.
    int32 apply_noise(int32 ch, const drv_noise_para_t *para);
    // The square apply of the module's classes: unmuted and unheld, the square driver's
    // own strobe being the one update.
    int32 apply_square(int32 ch, const drv_wave_para_t *para);
    static void set_wave_type_relay(int32 ch, int32 type);

private:
    void select_paths(int32 ch, int32 pulse, int32 noise, int32 sample_rate);
    void apply_prbs_edge(int32 ch, long double edge, int32 link, int32 tracking);

    int32 _wave_type[2] = {-1, -1};
    // The last ramp built, its symmetry and the length asked for (0: none yet).
    long double _ramp_symmetry = 0.0L;
    int32 _ramp_len = 0;
    std::vector<int16> _ramp_samples;
};
