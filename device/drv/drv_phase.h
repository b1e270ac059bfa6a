#pragma once
// drv_phase_t: the phase driver. It remembers each channel's phase setting (degrees,
// after one normalisation step) and the phase it last placed in the channel's
// start-phase register, and puts a phase into the register the channel's state calls
// for: the start phase for a burst, an ASK modulation or the FPGA's start-phase mode,
// the phase offset for a continuous wave, nothing for a channel in sample-rate mode
// (whose phase is a start offset in samples, set by set_sample_rate_phase).
//
// Register placements that take no FPGA driver use the instance manager's.
// Channels are 0 and 1; another channel changes nothing (a status result is then 0).
#include "lib_types.h"

class drv_fpga_t;

class drv_phase_t
{
public:
    drv_phase_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_phase_t() = default;

    // Writes the phase of a channel in sample-rate mode: the start-offset load bit (of
    // both channels when coupled) set, the offset trunc(deg / 360 x n) for the
    // channel's wave of n samples, the load bits cleared inside an update hold, then
    // "drv_phase_t::_set_sample_rate_phase--"; 1.
    virtual int32 _set_sample_rate_phase(drv_fpga_t *fpga, int32 ch, long double deg);
    // The phase to program in sample-rate mode: deg.
    virtual long double get_sample_rate_phase(int32 ch, long double sample_rate, long double deg);

    // The main entry: stores the normalised phase and places it by the channel's state;
    // 1.
    int32 set_phase(drv_fpga_t *fpga, int32 ch, long double deg);
    // After a frequency change: restore_phase, then the phase as the new start phase
    // and set_phase; 1.
    int32 set_start_and_phase(drv_fpga_t *fpga, int32 ch, long double deg);
    // The coupling path: the phase placed by the channel's run mode; 1.
    int32 set_phase_by_run_mode(int32 ch, long double deg);
    // Re-applies both channels' phases.
    void restore_phase();
    // Start-phase mode: the start phase and the rest in the offset; otherwise the burst
    // or continuous placement; 1.
    int32 _apply_phase(drv_fpga_t *fpga, int32 ch, long double start, long double deg);
    // The continuous placement: a start phase beyond +-0.001 degrees is cleared (and
    // the channels synchronised), then deg goes to the phase offset.
    void _set_continuous_phase(int32 ch, long double deg);
    // The burst placement: deg to the start phase, a non-zero phase offset cleared; 1.
    int32 _set_burst_phase(int32 ch, long double deg);
    // deg to the start phase, the phase offset cleared.
    void _set_phase_as_start(int32 ch, long double deg);
    // Inside an update hold: the sample-rate phase, then a 1 ms wait; 1.
    int32 set_sample_rate_phase(drv_fpga_t *fpga, int32 ch, long double sample_rate, long double deg);
    // The stored phase of the channel through _set_sample_rate_phase.
    void reapply_sample_rate_phase(int32 ch);
    // One pulse of the FPGA's phase synchronisation.
    void sync_phase(int32 ch);
    // Bit 14 of FPGA register 10 (the library never sets it).
    bool is_start_phase_mode();
    void set_couple(int32 couple) { _couple = couple; }
    bool is_couple() const { return _couple == 1; }

    // One normalisation step in place: below -1e-13 gets 360 added, 360 or more gets
    // 360 taken off. True when the value changed.
    static bool normalize_phase(long double *deg);

    void store_phase(int32 ch, long double deg);
    int32 read_phase(int32 ch, long double *deg) const;
    long double get_phase(int32 ch) const;
    void store_start_phase(int32 ch, long double deg);
    int32 read_start_phase(int32 ch, long double *deg) const;
    long double get_start_phase(int32 ch) const;

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }

private:
    long double _phase[2] = {0, 0};
    long double _start_phase[2] = {0, 0};
    int32 _couple = 0;
};
