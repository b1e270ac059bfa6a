#pragma once
// drv_arb_wave_t: which arbitrary wave each output channel plays, loaded in the form
// the channel's playback mode needs: in DDS mode one period of the DDS wave length in
// the DDS wave memory, in sample-rate mode the wave at its own length from the start
// offset of the channel's phase. It selects a built-in wave by id or a user wave file
// by path, skips a load when the same wave is already in place, switches a channel's
// playback mode and converts between wave frequency and sample rate.
//
// The playback mode that counts is the FPGA's (register 65); the stored mode is only a
// copy. The waves live in the wave store, which also writes them.
//
// It is handed the FPGA, phase and frequency drivers; the frequency driver is held for
// the instance manager's wiring but not used here. Channels are 0 and 1; another
// channel changes nothing (a status result is then 0, a conversion 0.0).
#include "lib_types.h"

#include <string>

class drv_fpga_t;
class drv_phase_t;
class drv_freq_t;

class drv_arb_wave_t
{
public:
    drv_arb_wave_t(drv_fpga_t *fpga, drv_phase_t *phase, drv_freq_t *freq);

    // Stores the mode, switches the FPGA's sample-rate mode and clears the channel's
    // pulse and noise modes; the wave is not reloaded here. 1.
    int32 set_sample_rate_mode(int32 ch, int32 mode);
    // 1 in sample-rate mode, 0 in DDS mode.
    int32 get_sample_rate_mode(int32 ch);
    // 1 when the built-in wave was made the channel's arbitrary wave, 0 when it was in
    // place already. Nothing is written to the FPGA.
    int32 set_builtin_wave(int32 ch, int32 id);
    // 1 loaded, 0 already in place, -13 the file cannot be opened, -10 too long (with
    // "<path>:file too big !" on standard output). The channel keeps its wave on
    // failure.
    int32 load_user_wave(int32 ch, const std::string &path);
    // set_builtin_wave / load_user_wave, then reload_wave whatever they returned.
    int32 set_builtin_arb_wave(int32 ch, int32 id);
    int32 load_user_arb_wave(int32 ch, const std::string &path);
    // Writes the channel's arbitrary wave in the form of the FPGA's playback mode and
    // clears that mode's reload flag.
    void reload_wave(int32 ch);
    // The sample-rate phase through the phase driver; 1.
    int32 set_sample_rate_phase(int32 ch, long double sample_rate, long double phase);
    // The FPGA driver's sample-rate operation (nothing on the module).
    void set_sample_rate(int32 ch, long double rate);
    // frequency x samples of the channel's wave, and back; 0.0 for an empty wave.
    long double freq_to_sample_rate(int32 ch, long double hz);
    long double sample_rate_to_freq(int32 ch, long double rate);
    // All four reload flags set.
    void reset_flags();
    void set_dds_reload(int32 ch, bool on);
    bool get_dds_reload(int32 ch) const;
    void set_sr_reload(int32 ch, bool on);
    bool get_sr_reload(int32 ch) const;
    void set_mode(int32 ch, int32 mode);
    int32 get_mode(int32 ch) const;

private:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }
    // True when the file's stamp differs from the one last seen for the channel (and
    // remembers it); false when it cannot be taken.
    bool _is_file_changed(int32 ch, const std::string &path);
    // Sets both reload flags when the wave's name (or a user file's stamp) changed;
    // answers the flag of the FPGA's playback mode.
    bool _need_reload(int32 ch, const std::string &path, int32 id);
    void _load_dds_wave(int32 ch);
    void _load_sample_rate_wave(int32 ch);

    bool _dds_reload[2] = {true, true};
    bool _sr_reload[2] = {true, true};
    int32 _mode[2] = {0, 0};
    drv_fpga_t *_fpga;
    drv_phase_t *_phase;
    drv_freq_t *_freq;
};
