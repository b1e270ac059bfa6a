#pragma once
// cfg_bswv_arb_t: the arbitrary wave of a channel: which wave it plays (a built-in wave
// by index, or a user wave file by path), its frequency and sample-rate limits, and the
// two files of a user wave (".bin" samples and the ".info" beside them). A user wave
// loaded from the removable storage is copied next to the program.
#include "cfg_bswv_wave.h"

#include <string>

class cfg_bswv_arb_t : public cfg_bswv_wave_t
{
public:
    long double get_max_freq(int32 ch) override;
    long double get_max_freq_by_ampl(long double ampl) override;
    long double get_max_sample_rate() override;
    // The lowest frequency times the channel's wave length (0 for an empty wave).
    long double get_min_sample_rate(int32 ch) override;
    // Selects and loads a built-in wave; the driver's result, the selection recorded
    // unless it is negative.
    int32 set_builtin_arb_wave(int32 index) override;
    int32 get_arb_current_wave() override;
    // Loads a user wave file and records it (also when the load fails); the driver's
    // result.
    int32 load_user_arb_wave(std::string path) override;
    std::string &get_arb_wave_name() override;
    // Removes the ".info" beside the ".bin" of path (the wave file stays).
    void delete_arb_wave_files(std::string path) override;
    int32 set_arb_wave_index(int32 index) override;
    int32 get_arb_wave_source() override;
    int32 set_arb_wave_source(int32 source) override;

    virtual void init(int32 ch);
    // The base lowest-frequency rule for this object's channel.
    virtual long double get_base_min_freq();
    virtual void set_default_limits(int32 ch);
    virtual long double get_stored_max_freq() { return max_freq; }

    void reset_selection();
    void set_wave_name(const std::string &name) { wave_name = name; }
    const std::string &wave_name_value() const { return wave_name; }
    void set_wave_index_only(int32 index) { wave_index = index; }

    // The mount point of the removable storage; tests point it into their folder.
    static std::string &storage_root();

private:
    void copy_user_wave_to_storage(const std::string &path);

    int32 wave_index = 2;
    std::string wave_name;
    int32 wave_source = 0;
    long double max_freq = 0.0L;
    long double max_sample_rate = 0.0L;
    long double min_sample_rate = 0.0L;
};
