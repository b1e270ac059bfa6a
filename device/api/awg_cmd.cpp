#include "awg_cmd.h"

#include "lib_unit_convert.h"

namespace
{
awg_set_handler_t *set_handler()
{
    static awg_set_handler_t handler;
    return &handler;
}

awg_adjust_handler_t *adjust_handler()
{
    static awg_adjust_handler_t handler;
    return &handler;
}

awg_refresh_handler_t *refresh_handler()
{
    static awg_refresh_handler_t handler;
    return &handler;
}

template <typename T>
int32 send_value(uint32 code, T v, uint8 apply = 0)
{
    awg_cmd_t cmd = {code, &v, apply};
    return awg_send_set_cmd(&cmd);
}

int32 send_adjust(uint32 code, int32 n)
{
    awg_cmd_t cmd = {code, &n, 0};
    return awg_send_adjust_cmd(&cmd);
}

int32 as_int(const awg_cmd_t *cmd)
{
    return *static_cast<const int32 *>(cmd->arg);
}

// A value record brought to the API's base index.
long double as_value(const awg_cmd_t *cmd)
{
    return lib_unit_prefix_convert(*static_cast<const lib_unit_data_t *>(cmd->arg), LIB_UNIT_API_BASE);
}

bool in_level_group(int32 mode)
{
    return static_cast<uint32>(mode) == 2 || static_cast<uint32>(mode) == 3;
}

bool in_ampl_group(int32 mode)
{
    return static_cast<uint32>(mode) <= 1;
}
} // namespace

int32 awg_send_set_cmd(awg_cmd_t *cmd)
{
    return set_handler()->handle(cmd);
}

int32 awg_send_set_cmd_ptr(awg_cmd_t *cmd)
{
    return set_handler()->handle(cmd);
}

int32 awg_send_adjust_cmd(awg_cmd_t *cmd)
{
    return adjust_handler()->handle(cmd);
}

int32 awg_send_refresh_cmd(const uint16 *code)
{
    return refresh_handler()->handle(code);
}

// --- Builders ---

int32 awg_cmd_run(int32 v) { return send_value(AWG_CMD_RUN, v); }
int32 awg_cmd_ch_switch(int32 v, bool apply) { return send_value(AWG_CMD_CH_SWITCH, v, apply ? 1 : 0); }
int32 awg_cmd_aux_2(int32 v) { return send_value(AWG_CMD_AUX_2, v); }
int32 awg_cmd_wave_type(int32 v, bool apply) { return send_value(AWG_CMD_WAVE_TYPE, v, apply ? 1 : 0); }
int32 awg_cmd_arb_wave_type(int32 v, bool apply) { return send_value(AWG_CMD_ARB_WAVE_TYPE, v, apply ? 1 : 0); }

int32 awg_cmd_user_arb_wave(const std::string &a, const std::string &b, const std::string &c)
{
    return send_value(AWG_CMD_USER_ARB_WAVE, awg_user_wave_para_t{a, b, c}, 1);
}

int32 awg_cmd_freq_mode(int32 v) { return send_value(AWG_CMD_FREQ_MODE, v); }
int32 awg_cmd_ampl_mode(int32 v) { return send_value(AWG_CMD_AMPL_MODE, v); }
int32 awg_cmd_offset_mode(int32 v) { return send_value(AWG_CMD_OFFSET_MODE, v); }
int32 awg_cmd_noise_mode(int32 v) { return send_value(AWG_CMD_NOISE_MODE, v); }
int32 awg_cmd_aux_10(int32 v) { return send_value(AWG_CMD_AUX_10, v); }
int32 awg_cmd_freq(lib_unit_data_t v) { return send_value(AWG_CMD_FREQ, v); }
int32 awg_cmd_period(lib_unit_data_t v) { return send_value(AWG_CMD_PERIOD, v); }
int32 awg_cmd_wave_ampl(lib_unit_data_t v) { return send_value(AWG_CMD_WAVE_AMPL, v); }
int32 awg_cmd_high_level(lib_unit_data_t v) { return send_value(AWG_CMD_HIGH_LEVEL, v); }
int32 awg_cmd_low_level(lib_unit_data_t v) { return send_value(AWG_CMD_LOW_LEVEL, v); }
int32 awg_cmd_offset(lib_unit_data_t v) { return send_value(AWG_CMD_OFFSET, v); }
int32 awg_cmd_duty(long double v) { return send_value(AWG_CMD_DUTY, v); }
int32 awg_cmd_symmetry(long double v) { return send_value(AWG_CMD_SYMMETRY, v); }
int32 awg_cmd_width(lib_unit_data_t v) { return send_value(AWG_CMD_WIDTH, v); }
int32 awg_cmd_stdev(lib_unit_data_t v) { return send_value(AWG_CMD_STDEV, v); }
int32 awg_cmd_mean(lib_unit_data_t v) { return send_value(AWG_CMD_MEAN, v); }
int32 awg_cmd_load(int32 v) { return send_value(AWG_CMD_LOAD, v); }
int32 awg_cmd_aux_23(int32 v) { return send_value(AWG_CMD_AUX_23, v); }
int32 awg_cmd_restore() { return send_value(AWG_CMD_RESTORE, 0); }
int32 awg_cmd_27(int32 v) { return send_value(AWG_CMD_27, v); }

int32 awg_cmd_ptr(awg_cmd_id_t code, void *arg)
{
    awg_cmd_t cmd = {code, arg, 1};
    return awg_send_set_cmd_ptr(&cmd);
}

int32 awg_adj_freq(int32 n) { return send_adjust(AWG_ADJ_FREQ, n); }
int32 awg_adj_ampl(int32 n) { return send_adjust(AWG_ADJ_AMPL, n); }
int32 awg_adj_offset(int32 n) { return send_adjust(AWG_ADJ_OFFSET, n); }
int32 awg_adj_duty(int32 n) { return send_adjust(AWG_ADJ_DUTY, n); }
int32 awg_adj_symmetry(int32 n) { return send_adjust(AWG_ADJ_SYMMETRY, n); }
int32 awg_adj_width(int32 n) { return send_adjust(AWG_ADJ_WIDTH, n); }
int32 awg_adj_stdev(int32 n) { return send_adjust(AWG_ADJ_STDEV, n); }
int32 awg_adj_mean(int32 n) { return send_adjust(AWG_ADJ_MEAN, n); }

int32 awg_cmd_refresh(uint16 code)
{
    return awg_send_refresh_cmd(&code);
}

// --- Handlers ---

int32 awg_set_handler_t::handle(awg_cmd_t *cmd)
{
    awg_state_t *state = awg_state_t::get_instance();
    switch (cmd->cmd) {
    case AWG_CMD_RUN: {
        const int32 v = as_int(cmd);
        state->set_run_field(v);
        if (v == 1)
            state->run();
        else if (v == 0)
            state->clear_output();
        break;
    }
    case AWG_CMD_CH_SWITCH:
        state->set_output(as_int(cmd), true);
        break;
    case AWG_CMD_AUX_2:
        state->set_aux2(as_int(cmd));
        break;
    case AWG_CMD_WAVE_TYPE:
        state->set_wave_type(as_int(cmd), cmd->apply != 0);
        break;
    case AWG_CMD_ARB_WAVE_TYPE:
        state->set_arb_wave_type(as_int(cmd), cmd->apply != 0);
        break;
    case AWG_CMD_USER_ARB_WAVE: {
        // The handler works on a copy of its own.
        const awg_user_wave_para_t copy = *static_cast<const awg_user_wave_para_t *>(cmd->arg);
        state->set_user_arb_wave(copy, cmd->apply != 0);
        break;
    }
    case AWG_CMD_FREQ_MODE:
        state->set_freq_mode(as_int(cmd));
        break;
    case AWG_CMD_AMPL_MODE: {
        const int32 v = as_int(cmd);
        state->set_ampl_mode(v);
        const int32 offset_mode = state->record().offset_mode;
        if (in_ampl_group(v) && !in_ampl_group(offset_mode))
            state->set_offset_mode(0);
        else if (!in_ampl_group(v) && !in_level_group(offset_mode))
            state->set_offset_mode(2);
        break;
    }
    case AWG_CMD_OFFSET_MODE: {
        const int32 v = as_int(cmd);
        state->set_offset_mode(v);
        const int32 ampl_mode = state->record().ampl_mode;
        if (in_ampl_group(v) && !in_ampl_group(ampl_mode))
            state->set_ampl_mode(0);
        else if (!in_ampl_group(v) && !in_level_group(ampl_mode))
            state->set_ampl_mode(2);
        break;
    }
    case AWG_CMD_NOISE_MODE:
        state->set_noise_mode(as_int(cmd));
        break;
    case AWG_CMD_AUX_10:
        state->set_aux10(as_int(cmd));
        break;
    case AWG_CMD_FREQ:
        state->set_freq(as_value(cmd));
        break;
    case AWG_CMD_PERIOD:
        state->set_period(as_value(cmd));
        break;
    case AWG_CMD_WAVE_AMPL:
        state->set_ampl(as_value(cmd));
        break;
    case AWG_CMD_HIGH_LEVEL:
        state->set_high_level(as_value(cmd));
        break;
    case AWG_CMD_LOW_LEVEL:
        state->set_low_level(as_value(cmd));
        break;
    case AWG_CMD_OFFSET:
        state->set_offset(as_value(cmd));
        break;
    case AWG_CMD_DUTY:
        state->set_duty(*static_cast<const long double *>(cmd->arg));
        break;
    case AWG_CMD_SYMMETRY:
        state->set_symmetry(*static_cast<const long double *>(cmd->arg));
        break;
    case AWG_CMD_WIDTH:
        state->set_width(as_value(cmd));
        break;
    case AWG_CMD_STDEV:
        state->set_stdev(as_value(cmd));
        break;
    case AWG_CMD_MEAN:
        state->set_mean(as_value(cmd));
        break;
    case AWG_CMD_LOAD:
        state->set_load(as_int(cmd));
        break;
    case AWG_CMD_AUX_23:
        state->set_aux23(as_int(cmd));
        break;
    case AWG_CMD_RESTORE:
        state->restore();
        break;
    default:
        break;
    }
    return 1;
}

int32 awg_get_handler_t::handle(awg_cmd_t *cmd)
{
    const awg_state_t *state = awg_state_t::get_instance();
    const awg_state_record_t &r = state->record();
    int32 *out = static_cast<int32 *>(cmd->arg);
    switch (cmd->cmd) {
    case AWG_CMD_RUN:
        *out = r.run;
        break;
    case AWG_CMD_CH_SWITCH:
        *out = r.output;
        break;
    case AWG_CMD_AUX_2:
        *out = r.aux2;
        break;
    case AWG_CMD_WAVE_TYPE:
        *out = r.wave_type;
        break;
    case AWG_CMD_ARB_WAVE_TYPE:
        *out = r.arb_index;
        break;
    case AWG_CMD_FREQ_MODE:
        *out = r.freq_mode;
        break;
    case AWG_CMD_AMPL_MODE:
        *out = r.ampl_mode;
        break;
    case AWG_CMD_OFFSET_MODE:
        *out = r.offset_mode;
        break;
    case AWG_CMD_NOISE_MODE:
        *out = r.noise_mode;
        break;
    case AWG_CMD_AUX_10:
        *out = r.aux10;
        break;
    case AWG_CMD_FREQ:
        *static_cast<long double *>(cmd->arg) = r.freq;
        break;
    case AWG_CMD_LOAD:
        *out = r.load;
        break;
    case AWG_CMD_AUX_23:
        *out = r.aux23;
        break;
    case AWG_CMD_RESTORE:
        *static_cast<awg_state_record_t *>(cmd->arg) = state->get_saved();
        break;
    case AWG_CMD_OVERLOAD:
        *static_cast<bool *>(cmd->arg) = state->get_overload() != 0;
        break;
    case AWG_CMD_STATE:
        *static_cast<awg_state_record_t *>(cmd->arg) = state->get_current();
        break;
    default:
        break;
    }
    return 1;
}

int32 awg_adjust_handler_t::handle(awg_cmd_t *cmd)
{
    awg_state_t *state = awg_state_t::get_instance();
    const awg_state_record_t &r = state->record();
    const int32 n = as_int(cmd);
    const auto fine = [](int32 mode) { return mode == 1 || mode == 3 ? 1 : 0; };
    switch (cmd->cmd) {
    case AWG_ADJ_FREQ:
        if (r.freq_mode == 0 || r.freq_mode == 1)
            state->adjust_freq(n, fine(r.freq_mode));
        else if (r.freq_mode == 2 || r.freq_mode == 3)
            state->adjust_period(n, fine(r.freq_mode));
        break;
    case AWG_ADJ_AMPL:
        if (r.ampl_mode == 0 || r.ampl_mode == 1)
            state->adjust_ampl(n, fine(r.ampl_mode));
        else if (r.ampl_mode == 2 || r.ampl_mode == 3)
            state->adjust_high_level(n, fine(r.ampl_mode));
        break;
    case AWG_ADJ_OFFSET:
        if (r.offset_mode == 0 || r.offset_mode == 1)
            state->adjust_offset(n, fine(r.offset_mode));
        else if (r.offset_mode == 2 || r.offset_mode == 3)
            state->adjust_low_level(n, fine(r.offset_mode));
        break;
    case AWG_ADJ_DUTY:
        state->adjust_duty(n);
        break;
    case AWG_ADJ_SYMMETRY:
        state->adjust_symmetry(n);
        break;
    case AWG_ADJ_WIDTH:
        state->adjust_width(n);
        break;
    case AWG_ADJ_STDEV:
        if (r.noise_mode == 0 || r.noise_mode == 1)
            state->adjust_stdev(n, r.noise_mode);
        break;
    case AWG_ADJ_MEAN:
        if (r.noise_mode == 0 || r.noise_mode == 1)
            state->adjust_mean(n, r.noise_mode);
        break;
    default:
        break;
    }
    return 1;
}

int32 awg_refresh_handler_t::handle(const uint16 *code)
{
    if (*code != 0)
        return 1;
    awg_state_t *state = awg_state_t::get_instance();
    state->sync_wave();
    state->read_freq();
    state->read_ampl();
    state->read_offset();
    return 1;
}
