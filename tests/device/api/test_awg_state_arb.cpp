// Arbitrary waves through the API: the list-index map, keeping the channel on the listed
// built-in wave, user waves imported from text exports, and raw sample loads.
#include "awg_ch_port.h"
#include "awg_cmd.h"
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"
#include "qelmod.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
namespace fs = std::filesystem;

awg_state_t &state()
{
    return *awg_state_t::get_instance();
}

int channel_type()
{
    int type = -1;
    lib_ch_get_wave_type(0, &type);
    return type;
}

int channel_arb_id()
{
    int id = -1;
    lib_ch_get_arb_wave(0, &id);
    return id;
}
} // namespace

TEST(AwgArbIndexMap, ListIndexToBuiltinId)
{
    const struct
    {
        int32 index;
        int32 id;
    } cases[] = {{0, 2},   {5, 7},    {28, 30},  {29, 34}, {44, 49}, {45, 2},
                 {46, 217}, {49, 220}, {50, 2},  {60, 2},  {-1, 2},  {255, 2}};
    for (const auto &c : cases)
        EXPECT_EQ(awg_arb_index_map(c.index), c.id) << c.index;
}

class AwgStateArb : public cfg_fixture_t
{
protected:
    // The checks of the held id need the channel's built-in selection.
    bool channel_holds_ids()
    {
        lib_ch_set_arb_wave(0, 7);
        const bool holds = channel_arb_id() == 7;
        lib_ch_set_arb_wave(0, 2);
        return holds;
    }
};

TEST_F(AwgStateArb, ApplySelectsTheArbitraryTypeAndStoresTheIndex)
{
    const struct
    {
        int32 index;
        bool apply;
        int type;
    } cases[] = {{0, true, 6}, {46, true, 6}, {60, true, 6}, {45, false, 0}};
    for (const auto &c : cases) {
        lib_ch_set_wave_type(0, 0);
        state().set_arb_wave_type(c.index, c.apply);
        EXPECT_EQ(state().record().arb_index, c.index);
        EXPECT_EQ(channel_type(), c.type) << c.index;
    }
}

TEST_F(AwgStateArb, CheckSendsOnlyWhenTheChannelHoldsAnotherId)
{
    if (!channel_holds_ids())
        GTEST_SKIP() << "the channel keeps no built-in wave id on this branch";
    const struct
    {
        int32 index;
        bool apply;
        int held;
        int type;
        int id;
    } cases[] = {{5, false, 2, 6, 7},     {5, false, 7, 0, 7},    {45, false, 7, 0, 7},
                 {45, true, 7, 6, 2},     {0, true, 2, 6, 2},     {46, true, 2, 6, 217}};
    for (const auto &c : cases) {
        lib_ch_set_arb_wave(0, c.held);
        lib_ch_set_wave_type(0, 0);
        state().set_arb_wave_type(c.index, c.apply);
        EXPECT_EQ(channel_type(), c.type) << c.index << " " << c.apply;
        EXPECT_EQ(channel_arb_id(), c.id) << c.index << " " << c.apply;
    }
}

TEST_F(AwgStateArb, SyncTakesTheChannelsBasicTypeAndLeavesAUserWave)
{
    state().set_wave_type(1, true);
    lib_ch_set_wave_type(0, 3);
    state().sync_wave();
    EXPECT_EQ(state().record().wave_type, 3);

    // A user wave stays on the channel through refreshes.
    state().set_arb_wave_type(45, false);
    state().set_wave_type(6, false);
    lib_ch_set_wave_type(0, 6);
    lib_ch_set_arb_wave(0, 9);
    const int held = channel_arb_id();
    state().refresh_all();
    EXPECT_EQ(channel_arb_id(), held);
    EXPECT_EQ(channel_type(), 6);
}

TEST_F(AwgStateArb, UserWavesTakeTheirRouteByEnding)
{
    std::ofstream("wave.csv") << "Amplitude\n0.5\n-1\n";
    std::ofstream("wave.Csv") << "Amplitude\n0.5\n-1\n";
    std::ofstream("wave.csv.bin") << "xx";
    const struct
    {
        const char *path;
        bool converted;
        int type;
    } cases[] = {{"wave.csv", true, 6}, {"wave.Csv", false, 0}, {"wave.csv.bin", false, 0}, {"", false, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        fs::remove("out\\test.bin");
        state().set_arb_wave_type(3, false);
        lib_ch_set_wave_type(0, 0);
        awg_cmd_user_arb_wave("ignored", c.path, "out");
        EXPECT_EQ(state().record().arb_index, 45);
        EXPECT_EQ(fs::exists("out\\test.bin"), c.converted);
        EXPECT_EQ(channel_type(), c.type);
    }
}
