// The arbitrary waves of channel 0: the API's 50-entry list of built-in waves, keeping
// the channel on the listed wave, and user waves imported from text exports.
#include "awg_ch_port.h"
#include "awg_state.h"

#include "cfg_file_converter.h"
#include "cfg_main.h"

int32 awg_arb_index_map(int32 index)
{
    const uint32 i = static_cast<uint32>(index);
    if (i <= 28)
        return static_cast<int32>(i) + 2;
    if (i <= 44)
        return static_cast<int32>(i) + 5;
    if (i >= 46 && i <= 49)
        return static_cast<int32>(i) + 171;
    // The user-wave slot and everything beyond the list.
    return 2;
}

int32 awg_state_t::set_arb_wave_type(int32 index, bool apply)
{
    current.arb_index = index;
    if (apply) {
        lib_ch_set_wave_type(0, 6);
        lib_ch_set_arb_wave(0, awg_arb_index_map(index));
    }
    return check_arb_wave();
}

int32 awg_state_t::check_arb_wave()
{
    const int32 id = awg_arb_index_map(current.arb_index);
    int held = id;
    lib_ch_get_arb_wave(0, &held);
    if (held != id && current.arb_index != AWG_USER_ARB_INDEX) {
        lib_ch_set_wave_type(0, 6);
        lib_ch_set_arb_wave(0, id);
    }
    return 1;
}

int32 awg_state_t::sync_wave()
{
    if (current.wave_type <= 5) {
        int type = current.wave_type;
        lib_ch_get_wave_type(0, &type);
        if (type != current.wave_type)
            current.wave_type = type;
        return 1;
    }
    // An imported user wave is left on the channel.
    if (current.arb_index == AWG_USER_ARB_INDEX)
        return 1;
    const int32 id = awg_arb_index_map(current.arb_index);
    int held = id;
    lib_ch_get_arb_wave(0, &held);
    if (held != id) {
        lib_ch_set_wave_type(0, 6);
        lib_ch_set_arb_wave(0, id);
    }
    return 1;
}

int32 awg_state_t::set_user_arb_wave(const awg_user_wave_para_t &para, bool)
{
    const std::size_t dot = para.b.rfind('.');
    const std::string ext = dot == std::string::npos ? para.b : para.b.substr(dot + 1);
    set_arb_wave_type(AWG_USER_ARB_INDEX, false);
    if (ext == "csv" || ext == "CSV" || ext == "dat" || ext == "DAT")
        cfg_get_file_converter()->load_outside_wave(0, para.b, para.c);
    else if (ext == "bin" || ext == "BIN")
        lib_ch_load_arb_file(0, para.b);
    return 1;
}
