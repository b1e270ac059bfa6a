// The relay word: the base class's serial shift-out and the module's register-24 word
// with its wave-path line, range bits and checks.
#include "drv_fpga.h"
#include "drv_hc595.h"
#include "drv_hc595_vextral.h"
#include "drv_reg_access.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using DrvHc595 = sim_driver_fixture_t;

} // namespace

TEST_F(DrvHc595, BaseClassShiftsTheWordOutOnSerialDeviceOne)
{
    drv_hc595_t base;
    EXPECT_EQ(base.get_word(), 0);
    base.update_word(7, 0x8001);
    EXPECT_EQ(base.get_word(), 0x8001);
    ASSERT_EQ(sim.log().size(), 3u);
    EXPECT_EQ(sim.log()[0], sim_word_list({0xFFFE}));
    EXPECT_EQ(sim.log()[1].words.size(), 33u);
    EXPECT_EQ(sim.log()[1].words.front(), 0xFFEA);
    EXPECT_EQ(sim.log()[2], sim_word_list({0xFFFE}));

    // The rest answers without writing.
    sim.clear_log();
    EXPECT_EQ(base.set_range_bit(0, 1, 2), 1);
    EXPECT_EQ(base.set_range_word(0, 6), 1);
    EXPECT_EQ(base.set_relay_defaults(0), 1);
    EXPECT_EQ(base.check_coarse_word(0, 6), 1);
    base.set_wave_type_relay(0, 1);
    base.set_path_relay(0, 0);
    base.set_ext_relay(1);
    base.set_counter_relay_a(1);
    base.set_counter_relay_b(1);
    base.set_spare_relay_a(1);
    base.set_spare_relay_b(0, 1);
    base.set_cali_relay(0, 1);
    base.set_spare_relay_c(0, 1);
    base.reset();
    base.set_word_shadow(0x1234);
    EXPECT_EQ(base.get_word(), 0x1234);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvHc595, RangeWordAndBitsChangeTheShadowAndWriteRegister24)
{
    drv_hc595_t *relays = manager->get_hc595();
    ASSERT_NE(dynamic_cast<drv_hc595_vextral_t *>(relays), nullptr);
    relays->set_word_shadow(0x0021);
    struct
    {
        const char *name;
        std::function<int32()> call;
        u16 word;
    } cases[] = {
        {"range 6", [&] { return relays->set_range_word(0, 6); }, 0x0027},
        {"range 0", [&] { return relays->set_range_word(0, 0); }, 0x0021},
        {"range 4", [&] { return relays->set_range_word(0, 4); }, 0x0025},
        {"relay 4 off", [&] { return relays->set_range_bit(0, 0, 32); }, 0x0005},
        {"bit 2 with on 2 clears", [&] { return relays->set_range_bit(0, 2, 4); }, 0x0001},
        {"bit 1 on", [&] { return relays->set_range_bit(0, 1, 2); }, 0x0003},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.clear_log();
        EXPECT_EQ(c.call(), 1);
        EXPECT_EQ(relays->get_word(), c.word);
        EXPECT_TRUE(log_is({sim_write(24, c.word)}));
    }
    // One word serves the module: channel 1 changes nothing.
    sim.clear_log();
    EXPECT_EQ(relays->set_range_word(1, 6), 1);
    EXPECT_EQ(relays->set_range_bit(1, 1, 32), 1);
    EXPECT_EQ(relays->get_word(), 0x0003);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvHc595, RelayWordIsNotTraced)
{
    drv_fpga_set_reg_trace(1);
    manager->get_hc595()->write_word(0x0102);
    manager->get_hc595()->update_word(0, 0x0103);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "");
    EXPECT_EQ(sim.writes_to(24), (std::vector<uint16>{0x0102, 0x0103}));
    drv_fpga_set_reg_trace(0);
}

TEST_F(DrvHc595, WavePathLineIsWrittenOnlyWhenSineChangesToAnotherWave)
{
    drv_hc595_t *relays = manager->get_hc595();
    relays->set_word_shadow(0x0006);
    // The first call always writes (no remembered state yet).
    relays->set_wave_type_relay(0, 0);
    EXPECT_TRUE(log_is({sim_read(158, 0), sim_write(24, 0x0006)}));
    sim.clear_log();
    relays->set_wave_type_relay(1, 0);
    EXPECT_TRUE(log_is({}));

    // With channel 0's output relay closed: open, line, 3 ms, close (which waits 5 ms).
    sim.poke(158, 0x0015);
    relays->set_wave_type_relay(0, 1);
    EXPECT_TRUE(log_is({sim_read(158, 0x0015), sim_read(158, 0x0015), sim_write(158, 0x0014), sim_write(24, 0x0007),
                        sim_sleep(3), sim_read(158, 0x0014), sim_write(158, 0x0015), sim_sleep(5)}));

    // Other non-sine waves keep the line; back to sine with channel 1's relay open.
    sim.clear_log();
    for (int32 type : {2, 3, 4, 5, 6})
        relays->set_wave_type_relay(0, type);
    EXPECT_TRUE(log_is({}));
    relays->set_wave_type_relay(1, 0);
    EXPECT_TRUE(log_is({sim_read(158, 0x0015), sim_write(24, 0x0006)}));

    sim.clear_log();
    relays->set_path_relay(1, 0);
    relays->set_path_relay(0, 1);
    EXPECT_TRUE(log_is({sim_write(24, 0x0007), sim_write(24, 0x0006)}));
}

TEST_F(DrvHc595, FirstNonSineWaveSetsThePathLine)
{
    drv_hc595_t *relays = manager->get_hc595();
    relays->set_wave_type_relay(1, 6);
    EXPECT_EQ(relays->get_word(), 0x0001);
    EXPECT_TRUE(log_is({sim_read(158, 0), sim_write(24, 0x0001)}));
}

TEST_F(DrvHc595, CoarseWordCheckAcceptsTheTwoRangesOfChannelZero)
{
    drv_hc595_t *relays = manager->get_hc595();
    struct
    {
        int32 ch, word, result;
        const char *text;
    } cases[] = {
        {0, 2, 2, ""}, {0, 4, 4, ""}, {0, 6, 0, "Not support such coarse_word!\n"},
        {0, 0, 0, "Not support such coarse_word!\n"}, {1, 2, 0, ""}, {1, 6, 0, ""},
    };
    for (const auto &c : cases) {
        stdout_capture_t capture;
        EXPECT_EQ(relays->check_coarse_word(c.ch, c.word), c.result) << c.ch << ", " << c.word;
        EXPECT_EQ(capture.finish(), c.text) << c.ch << ", " << c.word;
    }
}

TEST_F(DrvHc595, HooksOfTheModuleDoNothing)
{
    drv_hc595_t *relays = manager->get_hc595();
    relays->set_ext_relay(1);
    relays->set_counter_relay_a(1);
    relays->set_counter_relay_b(0);
    relays->set_spare_relay_a(1);
    relays->set_spare_relay_b(0, 1);
    relays->set_cali_relay(1, 1);
    relays->set_spare_relay_c(1, 1);
    EXPECT_EQ(relays->set_relay_defaults(0), 1);
    relays->reset();
    EXPECT_EQ(relays->get_word(), 0);
    EXPECT_TRUE(log_is({}));
}
