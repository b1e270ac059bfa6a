#pragma once
// The records in which settings cross from the configuration layer to the drivers.
// An apply function fills one on its stack for one driver-interface call; nothing
// keeps it afterwards. Physical values are long double in base units (hertz, volts,
// seconds, degrees, percent, ohms with 1000000 for high impedance). A builder sets
// only the fields of its layout; no driver reads the others.
#include "lib_types.h"

#include <vector>

// One basic wave. The layouts of the wave types share this one record:
//   sine       head, load (an int value), harmonic_switch, wave_data
//   square     head, duty, rise_edge, fall_edge, load
//   ramp       head, symmetry, load
//   pulse      head, pulse_width, rise_edge, fall_edge, load
//   arbitrary  head, srate_word, load, sample_rate_mode
//   PRBS       head without phase, prbs_length, prbs_edge, load, prbs_link, tracking
// The head is freq, ch0_freq, ch1_freq, ampl, offset, phase.
struct drv_wave_para_t
{
    long double freq;      // of the channel applied, Hz
    long double ch0_freq;  // Hz
    long double ch1_freq;  // Hz
    long double ampl;      // V, as the amplitude getter gives it
    long double offset;    // V, as the offset getter gives it
    long double phase;     // start phase, degrees
    long double load;      // ohms
    int32 harmonic_switch; // 1 when the harmonics are on
    // The channel's samples: the harmonic wave when harmonics are on, else the built-in
    // sine. The builder owns the vector.
    std::vector<int16> *wave_data;
    long double duty;        // percent
    long double rise_edge;   // s
    long double fall_edge;   // s
    long double symmetry;    // percent
    long double pulse_width; // s
    // 4194303 x sample rate / 300000000 with the rate switch on, else 4194303.
    long double srate_word;
    // 1 plays the arbitrary wave point by point at its sample rate instead of by DDS.
    int32 sample_rate_mode;
    long double prbs_length; // PRBS order, 3 to 32
    long double prbs_edge;   // s
    int32 prbs_link;         // 1 programs the other channel's PRBS edge too
    int32 tracking;          // 1 when channel tracking is on
};

// A noise wave.
struct drv_noise_para_t
{
    long double ampl;   // V
    long double offset; // V
    int32 noise_bandwidth_switch;
    long double noise_bandwidth; // Hz
    long double load;            // ohms
};

// A DC level.
struct drv_dc_para_t
{
    long double offset; // the DC level, V
    long double load;   // ohms
    long double ampl;   // output amplitude, V: 0 unless two-channel combining is on
};

// The coupling apply: the PRBS layout, of which it sets prbs_edge, prbs_link and
// tracking.
struct drv_couple_para_t
{
    long double freq;
    long double ch0_freq;
    long double ch1_freq;
    long double ampl;
    long double offset;
    long double prbs_length;
    long double prbs_edge; // s
    long double load;
    int32 prbs_link;
    int32 tracking;
};

// Amplitude and offset of one channel.
struct drv_ampl_para_t
{
    long double ampl;   // V
    long double offset; // V
    long double load;   // ohms
    long double freq;   // Hz; -1.0 for a noise wave
};

// Square duty of one channel.
struct drv_square_para_t
{
    int32 run_mode;        // 0 modulation, 1 sweep, 2 burst, 3 continuous
    long double rise_edge; // s
    long double fall_edge; // s
    long double freq;      // Hz
    long double duty;      // percent
};

// Burst timing of both channels.
struct drv_burst_para_t
{
    int32 hold; // 1 changes both channels under one FPGA update
    long double ch0_freq;   // Hz
    long double ch1_freq;   // Hz
    long double ch0_delay;  // |burst delay - delay offset|, s
    long double ch1_delay;  // s
    long double ch0_period; // s
    long double ch1_period; // s
};

// The trailing group of a channel snapshot, the part the driver writes: output
// polarity and two-channel combining bit of channel ch.
struct drv_combine_para_t
{
    int32 ch;
    int32 load;     // ohms
    int32 combine;  // 1 sets the channel's combining bit
    int32 polarity; // 1 normal, 0 inverted
};

// Snapshot of one channel's settings.
struct drv_ch_para_t
{
    int32 ch;
    int32 continuous; // 1 when the run mode is continuous
    int32 wave_type;
    long double freq;        // stored frequency, Hz
    long double ampl;        // amplitude getter, V
    long double offset;      // stored offset (the DC level for a DC wave), V
    long double phase;       // degrees
    long double phase_delay; // -phase / (360 x freq), s; 0 at frequency 0
    long double duty;        // square or pulse duty, else 0
    long double pulse_width; // s
    long double symmetry;    // percent
    long double rise_edge;   // s
    long double fall_edge;   // s
    long double ampl_2;      // amplitude again
    long double sample_rate; // Sa/s
    int32 sample_rate_mode;
    int32 harmonic_switch;
    int32 harmonic_type; // 0 even, 1 odd, 2 all
    int32 harmonic_order;
    long double harmonic_level; // dBc of the current order, 0 without an entry
    long double phase_2;        // phase again
    // The channel's harmonic samples inside its settings object (borrowed).
    std::vector<int16> *harmonic_samples;
    int32 noise_bandwidth_switch;
    long double ampl_3;          // amplitude once more
    long double offset_out;      // the effective offset (offset getter), V
    long double noise_bandwidth; // Hz
    drv_combine_para_t combine_para;
    int32 other_ch;
    int32 other_ch_2;
    // The other channel's frequency; this channel's own while it runs a burst.
    long double other_freq;
    // 1 / the other channel's burst period while this channel runs a burst, else 0.
    long double burst_rate;
};

// A data pattern for the data-pattern holder: the samples it loads, with the output
// amplitude, the sample rate (twice the bit rate) and the load.
struct drv_data_pattern_para_t
{
    long double ampl;                     // V
    long double sample_rate;              // Sa/s
    const std::vector<int16> *samples;    // borrowed for the call
    long double load;                     // ohms
};
