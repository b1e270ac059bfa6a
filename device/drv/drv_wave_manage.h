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

struct drv_couple_para_t;
struct drv_wave_para_t;

class drv_wave_manage_t
{
public:
    drv_wave_manage_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_wave_manage_t() = default;

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

    // The PRBS edge step: the sample-rate step of the edge time (also for the other
    // channel when the pair or coupling flag is 1), then the update strobe. The module's
    // FPGA ignores the step, so only the strobe reaches it.
    void set_prbs_edge(int32 ch, const drv_wave_para_t *para);
    void set_prbs_edge(int32 ch, const drv_couple_para_t *para);

private:
    void select_paths(int32 ch, int32 pulse, int32 noise, int32 sample_rate);
    void apply_prbs_edge(int32 ch, long double edge, int32 link, int32 tracking);

    int32 _wave_type[2] = {-1, -1};
};
