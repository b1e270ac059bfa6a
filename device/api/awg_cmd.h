#pragma once
// The API's command records: a builder packs one argument into an awg_cmd_t and sends
// it to the handler of its kind, which runs one operation of the API state. The
// exports reach the set handler through the value builders; the get, adjust and refresh
// handlers and the by-pointer builders stay inside the library.
#include "awg_state.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>

enum awg_cmd_id_t : uint32
{
    AWG_CMD_RUN = 0,
    AWG_CMD_CH_SWITCH = 1,
    AWG_CMD_AUX_2 = 2,
    AWG_CMD_WAVE_TYPE = 3,
    AWG_CMD_ARB_WAVE_TYPE = 4,
    AWG_CMD_USER_ARB_WAVE = 5,
    AWG_CMD_FREQ_MODE = 6,
    AWG_CMD_AMPL_MODE = 7,
    AWG_CMD_OFFSET_MODE = 8,
    AWG_CMD_NOISE_MODE = 9,
    AWG_CMD_AUX_10 = 10,
    AWG_CMD_FREQ = 11,
    AWG_CMD_PERIOD = 12,
    AWG_CMD_WAVE_AMPL = 13,
    AWG_CMD_HIGH_LEVEL = 14,
    AWG_CMD_LOW_LEVEL = 15,
    AWG_CMD_OFFSET = 16,
    AWG_CMD_DUTY = 17,
    AWG_CMD_SYMMETRY = 18,
    AWG_CMD_WIDTH = 19,
    AWG_CMD_STDEV = 20,
    AWG_CMD_MEAN = 21,
    AWG_CMD_LOAD = 22,
    AWG_CMD_AUX_23 = 23,
    AWG_CMD_RESTORE = 24,
    AWG_CMD_OVERLOAD = 25,
    AWG_CMD_STATE = 26,
    AWG_CMD_27 = 27,
};

enum awg_adjust_id_t : uint32
{
    AWG_ADJ_FREQ = 0,
    AWG_ADJ_AMPL = 4,
    AWG_ADJ_OFFSET = 10,
    AWG_ADJ_DUTY = 12,
    AWG_ADJ_SYMMETRY = 13,
    AWG_ADJ_WIDTH = 14,
    AWG_ADJ_STDEV = 15,
    AWG_ADJ_MEAN = 16,
};

// One command, valid for the duration of its send.
struct awg_cmd_t
{
    uint32 cmd;
    void *arg;
    // 1: carry the change through at once (wave type and arbitrary wave only).
    uint8 apply;
};

int32 awg_send_set_cmd(awg_cmd_t *cmd);
int32 awg_send_set_cmd_ptr(awg_cmd_t *cmd);
int32 awg_send_adjust_cmd(awg_cmd_t *cmd);
int32 awg_send_refresh_cmd(const uint16 *code);

// --- Value builders (the argument by value) ---
int32 awg_cmd_run(int32 v);
int32 awg_cmd_ch_switch(int32 v, bool apply);
int32 awg_cmd_aux_2(int32 v);
int32 awg_cmd_wave_type(int32 v, bool apply);
int32 awg_cmd_arb_wave_type(int32 v, bool apply);
int32 awg_cmd_user_arb_wave(const std::string &a, const std::string &b, const std::string &c);
int32 awg_cmd_freq_mode(int32 v);
int32 awg_cmd_ampl_mode(int32 v);
int32 awg_cmd_offset_mode(int32 v);
int32 awg_cmd_noise_mode(int32 v);
int32 awg_cmd_aux_10(int32 v);
int32 awg_cmd_freq(lib_unit_data_t v);
int32 awg_cmd_period(lib_unit_data_t v);
int32 awg_cmd_wave_ampl(lib_unit_data_t v);
int32 awg_cmd_high_level(lib_unit_data_t v);
int32 awg_cmd_low_level(lib_unit_data_t v);
int32 awg_cmd_offset(lib_unit_data_t v);
int32 awg_cmd_duty(long double v);
int32 awg_cmd_symmetry(long double v);
int32 awg_cmd_width(lib_unit_data_t v);
int32 awg_cmd_stdev(lib_unit_data_t v);
int32 awg_cmd_mean(lib_unit_data_t v);
int32 awg_cmd_load(int32 v);
int32 awg_cmd_aux_23(int32 v);
int32 awg_cmd_restore();
int32 awg_cmd_27(int32 v);

// --- By-pointer builders (the caller's argument; apply = 1) ---
int32 awg_cmd_ptr(awg_cmd_id_t code, void *arg);

// --- Adjust builders: n steps ---
int32 awg_adj_freq(int32 n);
int32 awg_adj_ampl(int32 n);
int32 awg_adj_offset(int32 n);
int32 awg_adj_duty(int32 n);
int32 awg_adj_symmetry(int32 n);
int32 awg_adj_width(int32 n);
int32 awg_adj_stdev(int32 n);
int32 awg_adj_mean(int32 n);

// --- Refresh builder: code 0 re-reads wave, frequency, amplitude and offset ---
int32 awg_cmd_refresh(uint16 code);

// The four handlers; stateless.
class awg_set_handler_t
{
public:
    int32 handle(awg_cmd_t *cmd);
};

class awg_get_handler_t
{
public:
    int32 handle(awg_cmd_t *cmd);
};

class awg_adjust_handler_t
{
public:
    int32 handle(awg_cmd_t *cmd);
};

class awg_refresh_handler_t
{
public:
    int32 handle(const uint16 *code);
};
