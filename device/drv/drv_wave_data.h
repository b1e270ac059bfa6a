#pragma once
// drv_wave_data_t: the built-in wave store. It binds every built-in wave id to a file
// name, reads all built-in waves once when it is built, answers lookups by id and by
// name, reads user wave files, keeps each channel's current arbitrary wave, computes
// the standard shapes and resampled copies of waves, and writes waves into the FPGA's
// wave memories.
//
// A wave is a vector of int16 samples; a wave file holds raw little-endian int16
// samples without a header (a trailing odd byte is ignored).
//
// The start-up load runs inside this class's constructor, before a product class's
// overrides are in place: while it runs, get_max_wave_len answers this class's
// 8388608, afterwards the product's value (16384 on the module).
//
// Channels are 0 and 1; operations given another channel do nothing (a status result
// is then 0).
#include "lib_types.h"

#include <map>
#include <string>
#include <vector>

class drv_fpga_t;
class drv_phase_t;

class drv_wave_data_t
{
public:
    // Results of the file and resource reads.
    static constexpr int32 WAVE_READ_OK = 1;
    static constexpr int32 WAVE_CANNOT_OPEN = -13;
    static constexpr int32 WAVE_TOO_LONG = -10;
    static constexpr int32 WAVE_NOT_FOUND = -12;
    static constexpr int32 WAVE_NO_RESOURCE = static_cast<int32>(0x80070006u);

    drv_wave_data_t();
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_wave_data_t();
    drv_wave_data_t(const drv_wave_data_t &) = delete;
    drv_wave_data_t &operator=(const drv_wave_data_t &) = delete;

    // Keeps an unscaled copy of the wave as the channel's wave, then writes it with
    // DAC scaling (the caller's vector is scaled in place); 1.
    virtual int32 set_ch_wave(int32 ch, std::vector<int16> &wave);
    // out := the channel's kept wave.
    virtual void get_ch_wave(int32 ch, std::vector<int16> &out);
    // Samples of one DDS wave period: 16384.
    virtual int32 get_dds_wave_len();
    // Most samples a wave file or resource may hold: 8388608 here.
    virtual int32 get_max_wave_len();
    virtual int32 get_max_sample();
    virtual int32 get_min_sample();

    // Start-up, in this order: init_paths, init_wave_names, load_all_waves,
    // load_default_waves.
    void init();
    // The built-in directory (build time, or the test hook's) and the user directory,
    // the working directory followed by "/usr/usr/".
    void init_paths();
    // One add_wave_name per row of the wave table, in ascending id order.
    void init_wave_names();
    // Sets the id's name and the name's id (inserting or overwriting).
    void add_wave_name(int32 id, const std::string &name);
    // The five resource waves, then every other name of the table and the extra name,
    // each into its own entry (left empty when the read fails).
    void load_all_waves();
    // Both channels' arbitrary wave := the wave of id 2 (or of the lowest id).
    void load_default_waves();
    // out := the samples of the library's "WAVEDATA" resource; 0, or WAVE_NO_RESOURCE
    // with out untouched when it is absent or longer than get_max_wave_len.
    int32 load_resource_wave(uint16 resource_id, std::vector<int16> &out);
    // out := the samples of a regular file; 1, WAVE_CANNOT_OPEN (not a regular file,
    // cannot be opened, or a short read) or WAVE_TOO_LONG, out untouched on failure.
    int32 read_wave_file(const std::string &path, std::vector<int16> &out);

    // The table's entry of the id, or of the lowest id when the id is absent.
    const std::string &get_wave_name(int32 id);
    // 1 with *id set when the name is in the table; 0 with *id untouched otherwise.
    int32 find_wave(const std::string &name, int32 *id);
    // out := a loaded wave of that name (possibly empty) and 1; otherwise out is
    // emptied and the file of that name in the user directory read: 1, or
    // WAVE_NOT_FOUND. What is read there is not kept.
    int32 get_wave_data_by_name(const std::string &name, std::vector<int16> &out);
    // out := the built-in wave of the id: the generated ramp of the given symmetry for
    // WAVE_ID_RAMP, else the named wave (the lowest id's for an id not in the table).
    void get_builtin_wave(int32 id, std::vector<int16> &out, float symmetry);
    // The channel's arbitrary wave := the built-in wave of the id; 1.
    int32 load_builtin_wave(int32 ch, int32 id);
    // The channel's arbitrary wave := the file's samples; read_wave_file's result (the
    // channel keeps its wave on failure).
    int32 load_user_wave_file(int32 ch, const std::string &path);
    // Mode 1: out := the channel's arbitrary wave; mode 0: out := it resampled to the
    // DDS wave length; any other mode: nothing.
    void get_arb_wave(int32 ch, int32 mode, std::vector<int16> &out);
    // out := the named wave resampled to n samples.
    void get_resampled_wave_by_name(const std::string &name, int32 n, std::vector<int16> &out);
    // Mode 0: the DDS wave length; mode 1: the channel's arbitrary wave's samples; any
    // other mode: 1.
    int32 get_wave_len(int32 ch, int32 mode);
    // Lengths of a modulating-wave table and of a sweep profile.
    int32 get_mod_wave_len() const { return 4096; }
    int32 get_sweep_wave_len() const { return 4096; }

    // Synthesis (drv_wave_data_synth.cpp). The generators append to out.
    // get_dds_wave_len copies of value.
    void make_dc_wave(std::vector<int16> &out, int16 value);
    // One square period of get_dds_wave_len samples: the first
    // trunc(duty / 100 x n - 1) at 32767, the rest at -32768.
    void make_square_wave(long double duty, std::vector<int16> &out);
    // One ramp period of n samples (n - 1 when n is odd): rising from 0 to the peak at
    // the symmetry's share of the half period, back to 0, then the same mirrored and
    // negated.
    void make_ramp_wave(long double symmetry, int32 n, std::vector<int16> &out);
    // The ramp of symmetry 0 (falling), negated for dir 0 (rising).
    void make_sawtooth_wave(int32 dir, int32 n, std::vector<int16> &out);
    // The frequency profile of a logarithmic sweep mapped linearly onto the sample
    // range, count samples from -32767 (dir 0) or in falling order (dir 1); any other
    // dir stores nothing. Frequencies that are equal, not positive or not finite give
    // count samples of -32767.
    void make_log_sweep_wave(int32 dir, long double count, long double f_start, long double f_end,
                             std::vector<int16> &out);
    // out := in brought to n samples: decimated below in's length, interpolated above
    // it, copied at it.
    void resample(int32 n, const std::vector<int16> &in, std::vector<int16> &out);
    // out := in linearly upsampled to n samples (in[0] appears twice at the start; one
    // input sample gives that sample alone).
    void interpolate(const std::vector<int16> &in, std::vector<int16> &out, int32 n);
    // Appends n samples of in picked at a fractional step; 1.
    int32 decimate(const std::vector<int16> &in, std::vector<int16> &out, int32 n);

    // Wave-memory loading (drv_wave_data_load.cpp).
    // DAC bits of the product: 16, 14, 16, 16, 14 for ids 0 to 4, otherwise 0.
    int32 get_dac_bits();
    // Each sample shifted right arithmetically by 16 - get_dac_bits (nothing for 16).
    void scale_to_dac_bits(std::vector<int16> &wave);
    // Pulses bit 0 of the channel control register, scales the caller's wave when asked
    // and sends it to the channel's DDS wave port; the FPGA write's result.
    int32 write_channel_wave(int32 ch, std::vector<int16> &wave, bool scale);
    // write_channel_wave with scaling; 1.
    int32 write_wave(int32 ch, std::vector<int16> &wave);
    // Pulses bit 1 of the channel control register and sends the wave unscaled to the
    // channel's modulating-wave port; the FPGA write's result.
    int32 write_mod_wave(int32 ch, const std::vector<int16> &wave);
    // Sample-rate playback of the wave from the sample of the channel's phase, then the
    // phase applied again; 1.
    int32 write_wave_with_phase(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, const std::vector<int16> &wave);
    // trunc(degrees / 360 x n).
    int32 phase_to_offset(long double degrees, int32 n);
    // 1 when the channel plays in sample-rate mode, else 0.
    int32 is_sample_rate_mode(drv_fpga_t *fpga, int32 ch);

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }

private:
    std::map<int32, std::string> _id_name_map;
    std::map<std::string, int32> _name_id_map;
    std::map<std::string, std::vector<int16>> _wave_map;
    std::string _wave_dir;
    std::string _user_dir;
    std::vector<int16> _arb_wave[2];
    std::vector<int16> _ch_wave[2];
};

// Rewrites path in place as the working directory, "config/arb/" and the previous
// path. Prints "drv_add_absolute_path" when the working directory is unknown.
void drv_add_absolute_path(std::string &path);

// Test hooks (internal, never exported). The directory the next store reads its
// built-in waves from instead of the build-time one (an empty text restores it), and
// a resource wave the store is not to find.
void drv_wave_data_set_wave_dir(const std::string &dir);
void drv_wave_data_hide_resource(uint16 resource_id, bool hidden);
