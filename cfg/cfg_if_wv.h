#pragma once
#include "cfg_wv_types.h"
#include "lib_wv_data.h"

#include <string>

// One waveform: its parameters, its instrument model and channel, and its samples in a
// file-backed record. Each waveform kind derives from it and fills the samples in
// create_wv_data; arbitrary samples use wave type LIB_WV_NONE.
class cfg_if_wv_t
{
public:
    cfg_if_wv_t();
    virtual ~cfg_if_wv_t();
    cfg_if_wv_t(const cfg_if_wv_t &) = delete;
    cfg_if_wv_t &operator=(const cfg_if_wv_t &) = delete;

    virtual void release_wv_data(bool remove_file);
    virtual int set_amp(const float &value);
    virtual float *get_amp();
    virtual int set_offset(const float &value);
    virtual float *get_offset();
    virtual int set_high_level(const float &value);
    virtual float *get_high_level();
    virtual int set_low_level(const float &value);
    virtual float *get_low_level();
    virtual int set_high_low_level(const float &high, const float &low);
    virtual int set_amp_offset(const float &amplitude, const float &offset);
    virtual int set_freq(const double &value);
    virtual double *get_freq();
    virtual int set_period(const float &value);
    virtual float *get_period();
    virtual int set_cycle(const uint32 &value);
    virtual uint32 *get_cycle();
    virtual int set_phase(const float &value);
    virtual float *get_phase();
    virtual int set_wv_len(const uint32 &value);
    virtual uint32 *get_wv_len();
    virtual int set_srate(const float &value);
    virtual float *get_srate();
    virtual int set_freq_by_srate(const float &sample_rate);
    virtual int set_srate_by_freq(const float &frequency);
    virtual range_data_t get_cycle_range();
    virtual float get_limit_amp();
    virtual float get_limit_freq();
    virtual int create_wv_data() = 0;
    // 0, or 3 when the samples could not be copied whole (they are then unchanged).
    virtual int set_wv_data(const lib_wv_data_t<short int> &data);

    void set_clear_on_release(int value) { clear_on_release = value; }
    lib_wv_data_t<short int> *get_wv_data() { return &wv_data; }
    int update_wv_data(const lib_wv_data_t<short int> &data) { return set_wv_data(data); }
    lib_wv_type_t get_wv_type() const { return wv_type; }
    void set_wv_type(lib_wv_type_t type);
    instr_zqw_t get_instr_type() const { return instr_type; }
    void set_instr_type(instr_zqw_t type) { instr_type = type; }
    int get_wv_mode() const { return wv_mode; }
    void set_wv_mode(int mode) { wv_mode = mode; }
    void reset_wv_mode();
    lib_ch_t get_ch() const { return ch; }
    void set_ch(lib_ch_t channel) { ch = channel; }
    bool is_srate_series() const;
    void reset_params();
    void reset_all();
    std::string get_wv_template_path(lib_wv_type_t type) const;
    int get_wv_max_min(short int &maximum, short int &minimum);
    void resize_wv_data(uint32 count);
    // Takes the other object's parameters exactly (through the setters, without limit
    // checks), its samples, model, mode and channel; the wave type stays.
    void copy_params_from(cfg_if_wv_t &src);

protected:
    int clear_on_release;
    float amp;
    float offset;
    float high_level;
    float low_level;
    double freq;
    float period;
    uint32 cycle;
    float phase;
    uint32 wv_len;
    float srate;
    lib_wv_data_t<short int> wv_data;
    instr_zqw_t instr_type;
    int wv_mode;
    lib_ch_t ch;
    lib_wv_type_t wv_type;
};
