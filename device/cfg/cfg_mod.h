#pragma once
// cfg_mod_t: the settings of one modulation type on one channel (modulating frequency,
// depth or deviation, source, modulating wave), clamped to the type's limits and sent
// to the driver while the channel produces a modulated output. The eight types derive
// from it and override only where they differ; the channel's modulation manager owns
// one object of each.
//
// Clamping setters never refuse: a value above the maximum is stored as the maximum
// (-10), one below the minimum as the minimum (-11), the maximum tested first; 1 when
// the value was inside.
#include "lib_types.h"
#include "lib_unit_data.h"

#include <map>
#include <string>
#include <vector>

class cfg_mod_t
{
public:
    // Type ids, which are also the mode values the driver takes.
    static constexpr int32 MOD_OFF = 0;
    static constexpr int32 MOD_AM = 1;
    static constexpr int32 MOD_FM = 2;
    static constexpr int32 MOD_PM = 3;
    static constexpr int32 MOD_ASK = 4;
    static constexpr int32 MOD_FSK = 5;
    static constexpr int32 MOD_PSK = 6;
    static constexpr int32 MOD_DSB_AM = 7;
    static constexpr int32 MOD_PWM = 8;
    // Sources.
    static constexpr int32 SOURCE_INTERNAL = 0;
    static constexpr int32 SOURCE_EXTERNAL = 1;
    // The shape that stands for the user wave.
    static constexpr int32 SHAPE_USER = 6;
    // Limits of every modulating frequency and key rate, before the carrier bound.
    static constexpr long double MIN_MOD_FREQ = 0.001L;
    static constexpr long double MAX_MOD_FREQ = 1000000.0L;

    static const char DEFAULT_WAVE[];
    static const char DEFAULT_USER_WAVE[];
    // The wave that ASK, FSK and PSK always key with.
    static const char KEY_WAVE[];

    cfg_mod_t() = default;
    virtual ~cfg_mod_t() = default;
    cfg_mod_t(const cfg_mod_t &) = default;
    cfg_mod_t &operator=(const cfg_mod_t &) = default;

    virtual void init(int32 ch, int32 type);
    virtual void save_config(const char *path);
    virtual void load_config(const char *path);
    // The stored settings clamped again to the limits of the moment; nothing is sent.
    virtual void recheck();
    virtual int32 set_deviation(lib_unit_data_t rec);
    virtual lib_unit_data_t get_deviation();
    // Every setting to the driver, then the carrier re-applied; nothing while the
    // object is not active.
    virtual void apply(int32 type, bool flag);
    // Modulating frequency and deviation only, while active.
    virtual void push(int32 type);
    virtual void reset_deviation();
    virtual long double get_min_rate();
    virtual long double get_min_mod_freq();
    // The carrier-bounded maximum: the carrier frequency, within the frequency limits.
    virtual long double get_max_mod_freq();
    virtual long double get_min_freq_limit();
    virtual long double get_max_freq_limit();
    virtual long double get_min_deviation();
    virtual long double get_max_deviation();

    // rec's value is clamped in place, then the whole record stored.
    int32 set_mod_freq(lib_unit_data_t &rec);
    // Stored, then applied; 1.
    int32 set_source(int32 source);
    // The shape's wave (the user wave for 6, no name for a shape without an entry)
    // sent to the driver and the carrier re-applied, active or not; 1.
    int32 set_shape(int32 shape);
    // Stored; the id follows the name when the wave store knows it.
    void set_user_wave_name(const std::string &name);
    // The file name after the last "/" becomes the user and the current wave (shape
    // 6); 1, or 0 and nothing changed when the path holds no ".bin". Nothing is sent.
    int32 set_user_wave_path(const std::string &path);
    // The samples of the current wave; 1.
    int32 get_wave_samples(std::vector<int16> &out);
    // "AM" ... "PWM" for 1 to 8, else empty.
    static std::string get_type_name(int32 type);
    // The channel's output (or either channel's combining) is on and it runs
    // modulation.
    bool is_active() const;

    // Plain accessors: no check, nothing sent.
    void set_channel(int32 ch) { channel = ch; }
    int32 get_channel() const { return channel; }
    int32 get_type_id() const { return type_id; }
    int32 get_source() const { return source; }
    void store_source(int32 s) { source = s; }
    int32 get_shape() const { return shape; }
    void store_shape(int32 s) { shape = s; }
    const std::string &get_wave_name() const { return wave_name; }
    void store_wave_name(const std::string &name) { wave_name = name; }
    void reset_wave_name() { wave_name = DEFAULT_WAVE; }
    const std::string &get_user_wave_name() const { return user_wave_name; }
    int32 get_user_wave_id() const { return user_wave_id; }
    void store_user_wave_id(int32 id) { user_wave_id = id; }
    lib_unit_data_t get_mod_freq() const { return mod_freq; }
    void store_mod_freq(const lib_unit_data_t &rec) { mod_freq = rec; }
    void reset_mod_freq();
    void store_deviation(const lib_unit_data_t &rec) { deviation = rec; }
    void reset_shape_and_source()
    {
        shape = 0;
        source = SOURCE_INTERNAL;
    }
    const std::map<int32, std::string> &get_shape_list() const { return shape_list; }

protected:
    // The clamp rule on value: 1, -10 or -11.
    static int32 clamp(long double &value, long double min, long double max);
    static lib_unit_data_t base_record(long double value);
    // The channel's carrier re-applied with the hold rule the flag selects.
    void apply_carrier(bool flag);

    std::map<int32, std::string> shape_list;
    int32 source = SOURCE_INTERNAL;
    std::string wave_name;
    std::string user_wave_name;
    int32 user_wave_id = 0;
    int32 shape = 0;
    lib_unit_data_t mod_freq{};
    lib_unit_data_t deviation{};
    int32 type_id = 0;
    int32 channel = 0;
    long double min_mod_freq = 0.0L;
    long double max_mod_freq = 0.0L;
};
