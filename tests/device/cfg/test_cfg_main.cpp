// The configuration root: the start-up over the register simulator, the members and
// accessors, the message queue, the channel copy and phase alignment, the progress
// callback.
#include "cfg_builtin_wave_map.h"
#include "cfg_bswv_wave.h"
#include "cfg_ch_couple.h"
#include "cfg_clock_source_main.h"
#include "cfg_config_file.h"
#include "cfg_counter.h"
#include "cfg_drv_info_map.h"
#include "cfg_file_converter.h"
#include "cfg_fixture.h"
#include "cfg_mode_excl.h"
#include "cfg_reapply.h"
#include "cfg_soft_timer.h"
#include "cfg_sync.h"
#include "cfg_sys_option.h"
#include "cfg_time_base_cali_main.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{
using CfgMain = cfg_fixture_t;

std::vector<void *> device_members()
{
    return {cfg_get_counter(),      cfg_get_sync(),          cfg_get_clock_source(),     cfg_get_mode_excl(),
            cfg_get_file_converter(), cfg_get_reapply(),     cfg_get_config_file(),      cfg_get_drv_map(),
            cfg_get_aux_setting(),  cfg_get_builtin_wave_map(), cfg_get_couple(),        cfg_get_time_base_cali()};
}

std::vector<std::vector<int32>> progress_calls;
void record_progress(int32 a, int32 b, int32 c)
{
    progress_calls.push_back({a, b, c});
}
} // namespace

TEST(CfgMainBeforeStart, AccessorsBuildTheRootButNoDeviceMember)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b, cfg_get_wv_main(0)->get_bswv_main());
    EXPECT_EQ(cfg_get_sync(), nullptr);
    for (void *member : device_members())
        EXPECT_EQ(member, nullptr);
    EXPECT_EQ(cfg_main_t::get_instance()->get_current_channel(), 0);
}

TEST_F(CfgMain, StartUpPrintsItsLinesInOrderAndInitialisesBothChannels)
{
    EXPECT_EQ(startup_result, 1);
    const std::vector<std::string> lines = {"cfg_main() \n", "cfg_init() \n", "cfg_init_config_data() \n",
                                            "cfg_init_config_data() 2\n"};
    size_t at = 0;
    for (const std::string &line : lines)
    {
        const size_t found = startup_text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line;
        at = found + line.size();
    }
    // The driver start-up prints between the third and the fourth line; the shared
    // limits once, after them.
    EXPECT_LT(startup_text.find("void drv_spi_init(void)"), startup_text.find("cfg_init_config_data() 2\n"));
    EXPECT_EQ(startup_text.find("_max_freq = 30000000.000000\n"), startup_text.rfind("_max_freq"));

    cfg_main_t *root = cfg_main_t::get_instance();
    EXPECT_EQ(root->get_current_channel(), 0);
    EXPECT_EQ(cfg_get_wv_main(0)->get_channel(), 0);
    EXPECT_EQ(cfg_get_wv_main(1)->get_channel(), 1);
    EXPECT_EQ(root->get_wv_main(1), cfg_get_wv_main(1));
    for (void *member : device_members())
        EXPECT_NE(member, nullptr);
    EXPECT_FALSE(cfg_get_config_file()->is_dirty());
    EXPECT_EQ(typeid(*cfg_get_clock_source()), typeid(cfg_clock_source_main_t));
    EXPECT_EQ(cfg_get_aux_setting()->first, 1);
    EXPECT_EQ(cfg_get_aux_setting()->third, 2);
    EXPECT_TRUE(cfg_get_drv_map()->entries().empty());
    EXPECT_EQ(root->get_root_flag(), 0);
    // Both channels were re-applied inside closed holds.
    EXPECT_EQ(cfg_get_wv_main(0)->get_hold_depth(), 0);
    EXPECT_EQ(cfg_get_wv_main(1)->get_hold_depth(), 0);
}

TEST_F(CfgMain, ChannelAccessorsReachTheChannelsMembers)
{
    for (int32 ch : {0, 1})
    {
        cfg_wv_main_t *w = cfg_get_wv_main(ch);
        EXPECT_EQ(cfg_get_bswv_main(ch), w->get_bswv_main());
        EXPECT_EQ(cfg_get_mod_main(ch), w->get_mod_main());
        EXPECT_EQ(cfg_get_sweep(ch), w->get_sweep());
        EXPECT_EQ(cfg_get_burst(ch), w->get_burst());
        EXPECT_EQ(cfg_get_combine(ch), w->get_combine());
        EXPECT_EQ(cfg_get_pattern(ch), w->get_pattern());
    }
    EXPECT_NE(cfg_get_wv_main(0), cfg_get_wv_main(1));
}

TEST_F(CfgMain, SecondInitCreatesNoNewMembers)
{
    const std::vector<void *> before = device_members();
    cfg_get_bswv_main(1)->store_ampl_raw(lib_unit_data_t{1.0L, 14, false});
    cfg_main_t::get_instance()->set_current_channel(1);
    stdout_capture_t capture;
    EXPECT_EQ(cfg_main_t::get_instance()->init(), 1);
    capture.finish();
    EXPECT_EQ(device_members(), before);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_ampl_raw().data, 4.0L);
    EXPECT_EQ(cfg_main_t::get_instance()->get_current_channel(), 0);
}

TEST_F(CfgMain, LayerResetBringsBackTheStateOfAFreshProcess)
{
    cfg_main_t::get_instance()->set_current_channel(1);
    cfg_ch_couple_t::set_sync_done_raw(true);
    soft_timer_add(soft_timer_count(), 5, nullptr);

    cfg_reset_config_layer();

    // A new root that has not started: no device member, channel 0.
    EXPECT_EQ(cfg_main_t::get_instance()->get_current_channel(), 0);
    for (void *member : device_members())
        EXPECT_EQ(member, nullptr);
    EXPECT_FALSE(cfg_ch_couple_t::get_sync_done_raw());
    EXPECT_EQ(soft_timer_count(), 0);

    // A second start-up fills the shared amplitude table again, as the first one did.
    stdout_capture_t capture;
    EXPECT_EQ(cfg_main(), 1);
    EXPECT_NE(capture.finish().find("_max_freq = 30000000.000000\n"), std::string::npos);
    EXPECT_NE(cfg_get_sync(), nullptr);
}

TEST_F(CfgMain, CurrentChannelTakesOnlyZeroOrOne)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    EXPECT_EQ(root->set_current_channel(1), 1);
    EXPECT_EQ(root->get_current_channel(), 1);
    EXPECT_EQ(root->is_first_channel_current(), 0);
    for (int32 bad : {2, -1, -100})
    {
        EXPECT_EQ(root->set_current_channel(bad), -13) << bad;
        EXPECT_EQ(root->get_current_channel(), 1) << bad;
    }
    root->reset_current_channel();
    EXPECT_EQ(root->is_first_channel_current(), 1);
}

TEST_F(CfgMain, QueueHoldsTenMessagesAndTheEleventhEmptiesIt)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    root->take_messages();
    for (int32 i = 1; i <= 10; ++i)
        EXPECT_EQ(root->post_message_words(i, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), i);
    EXPECT_EQ(root->post_message_words(11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 11);
    EXPECT_TRUE(root->take_messages().empty());

    root->post_message(2, 1, 0);
    root->post_message_swapped(5, 9, 7);
    const std::vector<cfg_msg_t> messages = root->take_messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::vector<int32>(messages[0].words, messages[0].words + 11),
              (std::vector<int32>{2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int32>(messages[1].words, messages[1].words + 11),
              (std::vector<int32>{9, 5, 7, 0, 0, 0, 0, 0, 0, 0, 0}));

    // The counter is off: its poll posts nothing.
    EXPECT_EQ(cfg_counter_poll(), 1);
    EXPECT_TRUE(root->take_messages().empty());
}

TEST_F(CfgMain, CopyChannelCopiesEverySettingAndKeepsTheChannelNumber)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_bswv_main_t *src = cfg_get_bswv_main(0);
    src->store_wave_type_raw(2);
    src->store_freq_raw(lib_unit_data_t{12345.0L, 14, false});
    src->store_symmetry_raw(lib_unit_data_t{25.0L, 14, false});
    cfg_get_wv_main(0)->store_polarity(0);
    cfg_get_wv_main(0)->store_run_mode(1);

    EXPECT_EQ(root->copy_channel(1, 0), 1);
    cfg_wv_main_t *dst = cfg_get_wv_main(1);
    cfg_bswv_main_t *copy = cfg_get_bswv_main(1);
    EXPECT_EQ(dst->get_channel(), 1);
    EXPECT_EQ(copy->get_channel(), 1);
    EXPECT_EQ(dst->get_mod_main()->get_channel(), 1);
    EXPECT_EQ(copy->get_wave_type(), 2);
    EXPECT_EQ(copy->get_freq_raw().data, 12345.0L);
    EXPECT_EQ(copy->get_symmetry_raw().data, 25.0L);
    EXPECT_EQ(dst->get_polarity(), 0);
    EXPECT_EQ(dst->get_run_mode(), 1);
    // Each channel keeps parameter objects of its own, bound to its own number.
    EXPECT_NE(cfg_get_bswv_wave(1, 2), cfg_get_bswv_wave(0, 2));
    EXPECT_EQ(cfg_get_bswv_wave(1, 2)->get_channel(), 1);
    EXPECT_EQ(cfg_get_bswv_wave(0, 2)->get_channel(), 0);
    // The refresh wrote the copied polarity to channel 1's bit.
    EXPECT_TRUE(sim.peek(80) & 0x4);
    EXPECT_EQ(dst->get_hold_depth(), 0);
}

TEST_F(CfgMain, CopyChannelRefusesChannelsAboveOne)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_get_bswv_main(0)->store_freq_raw(lib_unit_data_t{777.0L, 14, false});
    sim.clear_log();
    for (auto pair : {std::make_pair(2, 0), std::make_pair(0, 2), std::make_pair(-1, 0), std::make_pair(1, -1)})
        EXPECT_EQ(root->copy_channel(pair.first, pair.second), -12);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_freq_raw().data, 1000.0L);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(CfgMain, CopyChannelRefusesWhileACouplingIsOn)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_get_bswv_main(0)->store_freq_raw(lib_unit_data_t{777.0L, 14, false});
    // The switches alone, without the coupling they would start.
    cfg_ch_couple_t *couple = cfg_get_couple();
    const auto set_switch = [couple](int32 kind, int32 on) {
        if (kind == 0)
            couple->set_freq_couple_en_raw(on);
        else if (kind == 1)
            couple->set_ampl_couple_en_raw(on);
        else
            couple->set_phase_couple_en_raw(on);
    };
    for (int32 kind : {0, 1, 2})
    {
        set_switch(kind, 1);
        EXPECT_EQ(root->copy_channel(1, 0), -12) << kind;
        EXPECT_EQ(cfg_get_bswv_main(1)->get_freq_raw().data, 1000.0L) << kind;
        set_switch(kind, 0);
    }
    EXPECT_EQ(root->copy_channel(1, 0), 1);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_freq_raw().data, 777.0L);
}

TEST_F(CfgMain, AlignPhaseRefusesUnderPhaseCouplingOrTracking)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_get_bswv_main(0)->store_phase_raw(lib_unit_data_t{30.0L, 14, false});
    // The switches alone, without the coupling or copy they would start.
    cfg_get_couple()->set_phase_couple_en_raw(1);
    EXPECT_EQ(root->align_phase(), -12);
    cfg_get_couple()->set_phase_couple_en_raw(0);
    cfg_get_couple()->set_track_en_raw(1);
    EXPECT_EQ(root->align_phase(), -12);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, 0.0L);
    // Frequency coupling alone does not stop it.
    cfg_get_couple()->set_track_en_raw(0);
    cfg_get_couple()->set_freq_couple_en_raw(1);
    EXPECT_EQ(root->align_phase(), 1);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, 30.0L);
}

TEST_F(CfgMain, AlignPhaseGivesBothChannelsTheCurrentChannelsPhase)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_get_bswv_main(1)->store_phase_raw(lib_unit_data_t{120.0L, 14, false});
    root->set_current_channel(1);
    EXPECT_EQ(root->align_phase(), 1);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_phase_raw().data, 120.0L);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, 120.0L);
}

TEST_F(CfgMain, RestoreClockKeepsTheOverloadReset)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    cfg_get_reapply()->set_overload_reset(1);
    EXPECT_EQ(root->restore_clock(5), 0);
    EXPECT_EQ(cfg_get_reapply()->get_overload_reset(), 1);
}

TEST_F(CfgMain, NullProgressCallbackIsRefusedAndThePreviousKept)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    root->report_progress(1, 2, 3); // none set: nothing happens
    root->set_progress_callback(record_progress);
    stdout_capture_t capture;
    root->set_progress_callback(nullptr);
    EXPECT_EQ(capture.finish(), "set_progress_callback:func = null\n");
    root->report_progress(4, 5, 6);
    EXPECT_EQ(progress_calls, (std::vector<std::vector<int32>>{{4, 5, 6}}));
}

TEST_F(CfgMain, SaveAndLoadPassesWriteNothing)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    sim.clear_log();
    root->save_config("usr/config/JQZ_config.xml");
    root->load_config("usr/config/JQZ_config.xml");
    EXPECT_EQ(cfg_get_config_file()->save_to("usr/config/JQZ_config.xml"), 1);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(CfgMain, StartUpEndsWithEachChannelsRefreshInsideItsOutputHold)
{
    // apply_all refreshes channel 0 and then channel 1: each with its output disabled
    // (bit 11 of its control register, 0x24 and 0x44) from the combining bit through
    // the run mode to the polarity write to register 80, then the saved enable bit
    // restored. The outputs are off, so no wave reaches the driver. Channel 1's hold
    // follows channel 0's at once; after it only device-wide settings are re-applied
    // (counter, sync output, coupling, amplitude ranges): no control register again.
    const std::vector<sim_op_t> &log = startup_log;
    const auto hold_begin = [](std::uint32_t ctrl) {
        return std::vector<sim_op_t>{sim_read(ctrl, 0x0000), sim_read(ctrl, 0x0000), sim_write(ctrl, 0x0800),
                                     sim_read(0x56, 0x0000), sim_write(0x56, 0x0000)};
    };
    const auto is_write_to = [](const sim_op_t &op, std::uint32_t reg) {
        return op.kind == sim_op_kind_t::write && op.address == reg;
    };
    // Checks one channel's hold starting at 'from'; returns the index after its end.
    const auto check_hold = [&](std::size_t from, std::uint32_t ctrl) -> std::size_t {
        const std::vector<sim_op_t> begin = hold_begin(ctrl);
        if (from + begin.size() > log.size())
            return log.size();
        const std::vector<sim_op_t> head(log.begin() + static_cast<std::ptrdiff_t>(from),
                                         log.begin() + static_cast<std::ptrdiff_t>(from + begin.size()));
        EXPECT_EQ(sim_fpga_t::diff(begin, head), "");
        std::size_t end = from + begin.size();
        while (end < log.size() && !(is_write_to(log[end], ctrl) && (log[end].value & 0x0800) == 0))
        {
            EXPECT_FALSE(log[end].kind == sim_op_kind_t::block) << "a wave block inside the hold";
            for (std::uint32_t reg : {0x10, 0x12, 0x14, 0x30, 0x32, 0x34})
                EXPECT_FALSE(is_write_to(log[end], reg)) << sim_op_text(log[end]);
            ++end;
        }
        if (end >= log.size() || end < from + begin.size() + 3)
        {
            ADD_FAILURE() << "the hold of register " << ctrl << " never ends";
            return log.size();
        }
        // The polarity, then the enable bit put back as it was read.
        EXPECT_EQ(log[end - 3], sim_read(0x50, 0x0000)) << sim_op_text(log[end - 3]);
        EXPECT_EQ(log[end - 2], sim_write(0x50, 0x0000)) << sim_op_text(log[end - 2]);
        EXPECT_EQ(log[end - 1].kind, sim_op_kind_t::read);
        EXPECT_EQ(log[end - 1].address, ctrl);
        EXPECT_EQ(log[end].value, log[end - 1].value & ~0x0800u);
        return end + 1;
    };
    const std::vector<sim_op_t> first = hold_begin(0x24);
    const auto at = std::search(log.begin(), log.end(), first.begin(), first.end());
    ASSERT_NE(at, log.end()) << "channel 0 is never held";
    const std::size_t after_ch0 = check_hold(static_cast<std::size_t>(at - log.begin()), 0x24);
    const std::size_t after_ch1 = check_hold(after_ch0, 0x44);
    ASSERT_LT(after_ch1, log.size()) << "the device-wide re-apply is missing";
    for (std::size_t i = after_ch1; i < log.size(); ++i)
    {
        EXPECT_FALSE(is_write_to(log[i], 0x24) || is_write_to(log[i], 0x44)) << sim_op_text(log[i]);
        EXPECT_FALSE(log[i].kind == sim_op_kind_t::block) << "a wave block after the refreshes";
    }
}
