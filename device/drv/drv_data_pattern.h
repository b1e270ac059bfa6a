#pragma once
// drv_data_pattern_t: the data-pattern holder: each channel's sample-mode flag, and
// the loading of a pattern's samples (sample-rate playback from the channel's phase)
// with its frequency and phase. Only the base wave manager's data-pattern apply uses
// it; the module's wave manager does nothing there.
//
// Channels are 0 and 1; another channel changes nothing (a status result is then 0).
#include "lib_types.h"

class drv_fpga_t;
class drv_phase_t;
struct drv_data_pattern_para_t;

class drv_data_pattern_t
{
public:
    drv_data_pattern_t() = default;

    // Stores the flag, switches the FPGA's sample-rate mode to it, clears the pulse and
    // noise modes and loads the pattern; 1.
    int32 set_sample_mode(int32 ch, const drv_data_pattern_para_t *pattern, int32 flag);
    // The pattern's samples through the wave-memory writer; its result, or 0 without
    // samples.
    int32 load_wave(int32 ch, const drv_data_pattern_para_t *pattern);
    // The frequency driver's DDS frequency, then the phase; 1.
    int32 set_freq_phase(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, long double hz, long double deg);
    // Stores the flag only.
    void store_sample_mode(int32 ch, int32 flag);

private:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }

    int32 _sample_mode[2] = {1, 1};
};
