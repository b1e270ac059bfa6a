// The command records and their handlers: the set path's table rows, the selector group
// rule, codes without a row, the value conversion, and the get, adjust and refresh
// handlers.
#include "awg_ch_port.h"
#include "awg_cmd.h"
#include "cfg_fixture.h"
#include "cfg_wv_main.h"
#include "drv_fpga_reg.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
awg_state_t &state()
{
    return *awg_state_t::get_instance();
}

lib_unit_data_t api_value(long double v, int32 unit = LIB_UNIT_API_BASE)
{
    return lib_unit_data_t{v, unit, false};
}

bool same_record(const awg_state_record_t &a, const awg_state_record_t &b)
{
    const int32 ints_a[] = {a.run, a.output, a.aux2, a.wave_type, a.arb_index, a.freq_mode,
                            a.ampl_mode, a.offset_mode, a.noise_mode, a.aux10, a.load, a.aux23};
    const int32 ints_b[] = {b.run, b.output, b.aux2, b.wave_type, b.arb_index, b.freq_mode,
                            b.ampl_mode, b.offset_mode, b.noise_mode, b.aux10, b.load, b.aux23};
    const long double lds_a[] = {a.freq, a.period, a.ampl, a.high_level, a.low_level, a.offset,
                                 a.width, a.duty, a.symmetry, a.stdev, a.mean};
    const long double lds_b[] = {b.freq, b.period, b.ampl, b.high_level, b.low_level, b.offset,
                                 b.width, b.duty, b.symmetry, b.stdev, b.mean};
    return std::memcmp(ints_a, ints_b, sizeof ints_a) == 0 && std::equal(lds_a, lds_a + 11, lds_b);
}
} // namespace

class AwgCmd : public cfg_fixture_t
{
};

TEST_F(AwgCmd, SelectorsStayInOneGroup)
{
    const struct
    {
        const char *name;
        awg_cmd_id_t code;
        int32 start_ampl;
        int32 start_offset;
        int32 v;
        int32 ampl_mode;
        int32 offset_mode;
    } cases[] = {
        {"ampl 2 moves offset to 2", AWG_CMD_AMPL_MODE, 0, 0, 2, 2, 2},
        {"ampl 0 moves offset 3 to 0", AWG_CMD_AMPL_MODE, 2, 3, 0, 0, 0},
        {"ampl 1 keeps offset 0", AWG_CMD_AMPL_MODE, 0, 0, 1, 1, 0},
        {"ampl 3 keeps offset 2", AWG_CMD_AMPL_MODE, 2, 2, 3, 3, 2},
        {"ampl 5 moves offset to 2", AWG_CMD_AMPL_MODE, 0, 0, 5, 5, 2},
        {"negative ampl is the level group", AWG_CMD_AMPL_MODE, 0, 0, -1, -1, 2},
        {"offset 3 moves ampl to 2", AWG_CMD_OFFSET_MODE, 0, 0, 3, 2, 3},
        {"offset 1 moves ampl 2 to 0", AWG_CMD_OFFSET_MODE, 2, 2, 1, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        state().set_ampl_mode(c.start_ampl);
        state().set_offset_mode(c.start_offset);
        if (c.code == AWG_CMD_AMPL_MODE)
            awg_cmd_ampl_mode(c.v);
        else
            awg_cmd_offset_mode(c.v);
        EXPECT_EQ(state().record().ampl_mode, c.ampl_mode);
        EXPECT_EQ(state().record().offset_mode, c.offset_mode);
    }
}

TEST_F(AwgCmd, CodesWithoutARowChangeNothing)
{
    awg_cmd_freq(api_value(1234.0L));
    const awg_state_record_t before = state().get_current();
    sim.clear_log();
    for (uint32 code : {25u, 26u, 27u, 99u}) {
        int32 v = 1;
        awg_cmd_t cmd = {code, &v, 1};
        EXPECT_EQ(awg_send_set_cmd(&cmd), 1);
    }
    EXPECT_EQ(awg_cmd_27(5), 1);
    EXPECT_TRUE(same_record(before, state().get_current()));
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(AwgCmd, SwitchRunAndStoredFields)
{
    // The switch is sent whatever the record's apply flag.
    awg_cmd_ch_switch(1, false);
    EXPECT_EQ(state().record().output, 1);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);
    // RUN 0 forgets the output in the state only.
    awg_cmd_run(0);
    EXPECT_EQ(state().record().output, 0);
    EXPECT_EQ(state().record().run, 0);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);
    // RUN 2 stores the field and does nothing more.
    awg_cmd_run(2);
    EXPECT_EQ(state().record().run, 2);

    awg_cmd_aux_2(11);
    awg_cmd_aux_10(12);
    awg_cmd_aux_23(13);
    awg_cmd_freq_mode(3);
    awg_cmd_noise_mode(1);
    EXPECT_EQ(state().record().aux2, 11);
    EXPECT_EQ(state().record().aux10, 12);
    EXPECT_EQ(state().record().aux23, 13);
    EXPECT_EQ(state().record().freq_mode, 3);
    EXPECT_EQ(state().record().noise_mode, 1);
}

TEST_F(AwgCmd, ValueRecordsAreConvertedToTheBaseIndex)
{
    awg_cmd_freq(api_value(2.5L, 9));
    EXPECT_EQ(state().record().freq, 2500.0L);
    awg_cmd_wave_ampl(api_value(500.0L, 7));
    EXPECT_EQ(state().record().ampl, 0.5L);
    awg_cmd_duty(33.0L);
    EXPECT_EQ(state().record().duty, 33.0L);
    int32 load = 0;
    awg_cmd_ptr(AWG_CMD_LOAD, &load);
    EXPECT_EQ(state().record().load, 0);
    EXPECT_EQ(lib_ch_get_load(0), 50);
}

TEST_F(AwgCmd, GetHandlerReportsTheRecord)
{
    awg_cmd_freq(api_value(4321.0L));
    awg_cmd_aux_23(9);
    awg_get_handler_t get;
    long double freq = 0;
    awg_cmd_t cmd = {AWG_CMD_FREQ, &freq, 0};
    get.handle(&cmd);
    EXPECT_EQ(freq, 4321.0L);
    int32 aux = 0;
    cmd = {AWG_CMD_AUX_23, &aux, 0};
    get.handle(&cmd);
    EXPECT_EQ(aux, 9);
    // The query answers whether the module reports status 0: true while bit 1 of the
    // status register is clear, false while it is set (the module then reports none).
    const struct
    {
        uint16 reg;
        bool answer;
    } overload_cases[] = {{0x0000, true}, {0x0002, false}, {0x0004, true}, {0x0006, false}};
    for (const auto &c : overload_cases) {
        sim.poke(DRV_FPGA_REG_OVERLOAD_STATUS, c.reg);
        bool overload = !c.answer;
        cmd = {AWG_CMD_OVERLOAD, &overload, 0};
        get.handle(&cmd);
        EXPECT_EQ(overload, c.answer) << c.reg;
    }
    awg_state_record_t saved = {};
    cmd = {AWG_CMD_RESTORE, &saved, 0};
    get.handle(&cmd);
    EXPECT_EQ(saved.freq, 1000.0L);
    awg_state_record_t current = {};
    cmd = {AWG_CMD_STATE, &current, 0};
    get.handle(&cmd);
    EXPECT_TRUE(same_record(current, state().get_current()));
    int32 untouched = -5;
    cmd = {AWG_CMD_PERIOD, &untouched, 0};
    get.handle(&cmd);
    EXPECT_EQ(untouched, -5);
}

TEST_F(AwgCmd, AdjustFollowsTheSelectors)
{
    const struct
    {
        int32 freq_mode;
        long double freq;
    } cases[] = {{0, 1534.0L}, {1, 1234.03L}, {5, 1234.0L}};
    for (const auto &c : cases) {
        awg_cmd_freq(api_value(1234.0L));
        awg_cmd_freq_mode(c.freq_mode);
        awg_adj_freq(3);
        EXPECT_NEAR(static_cast<double>(state().record().freq), static_cast<double>(c.freq), 1e-9) << c.freq_mode;
    }
    awg_cmd_freq_mode(2);
    awg_cmd_freq(api_value(1000.0L));
    awg_adj_freq(0);
    EXPECT_EQ(state().record().period, 1.0L / 1000.0L);
    awg_cmd_ampl_mode(0);
    awg_adj_ampl(2147483647);
    EXPECT_EQ(state().record().ampl, 6.0L);
}

TEST_F(AwgCmd, RefreshRereadsTheChannel)
{
    lib_ch_set_freq(0, 777.0L, LIB_UNIT_BASE);
    lib_ch_set_ampl(0, 1.5L, LIB_UNIT_BASE);
    EXPECT_EQ(awg_cmd_refresh(1), 1);
    EXPECT_EQ(state().record().freq, 1000.0L);
    EXPECT_EQ(awg_cmd_refresh(0), 1);
    EXPECT_EQ(state().record().freq, 777.0L);
    EXPECT_EQ(state().record().ampl, 1.5L);
}
