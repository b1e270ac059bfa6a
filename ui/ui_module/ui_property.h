#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_mouse_func.h"

// What a document window (or the standard-waveform dialog) knows about its waveform
// beside the waveform object: in a document window its sample record is the copy buffer.
class ui_property_t
{
public:
    ui_property_t();
    explicit ui_property_t(lib_wv_type_t type);

    lib_wv_data_t<short int> *get_data() { return &data; }
    bool has_data() const;

    void set_wave_type(lib_wv_type_t type) { wave_type = type; }
    lib_wv_type_t get_wave_type() const { return wave_type; }
    // True for the generated wave types 0..12; false for 13 (none) and above.
    static bool is_wave_type_valid(lib_wv_type_t type);

    int32 set_high_level(float level);
    float get_high_level() const { return high_level; }
    int32 set_low_level(float level);
    float get_low_level() const { return low_level; }

    // 0 the selection zone, 1 the whole waveform, 2 nothing selected.
    void set_select_kind(int32 kind) { select_kind = kind; }
    int32 get_select_kind() const { return select_kind; }
    // 0 prepend, 1 append, 2 replace between the X cursors, 3 insert at the active cursor.
    void set_paste_mode(int32 mode) { paste_mode = mode; }
    int32 get_paste_mode() const { return paste_mode; }
    void set_mouse_func(ui_mouse_func_t func) { mouse_func = func; }
    ui_mouse_func_t get_mouse_func() const { return mouse_func; }
    void set_saved(bool saved_flag) { saved = saved_flag; }
    bool is_saved() const { return saved; }
    void set_window_num(int32 num) { window_num = num; }
    int32 get_window_num() const { return window_num; }

    // Removes the copy buffer's sample file; the owner's destructor calls it.
    void remove_data_file();
    // Takes the other record member by member: both then name the same sample file.
    int32 set_data(const lib_wv_data_t<short int> &other);
    // Back to the normal mouse function, nothing selected, levels 0.
    void reset_state();
    // Empties the sample record.
    void clear_data();

private:
    lib_wv_type_t wave_type;
    lib_wv_data_t<short int> data;
    float high_level;
    float low_level;
    int32 select_kind;
    int32 paste_mode;
    ui_mouse_func_t mouse_func;
    bool saved;
    int32 window_num;
};
