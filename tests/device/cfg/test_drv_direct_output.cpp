// The direct output-parameter setter: frequency with phase 0, then range, attenuation,
// wave DAC and offset DAC for the open-circuit values at the channel's load, with the
// output relay opened around a range change. Codes from ../drv/data/gen_amp_codes.py.
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"
#include "drv_amp.h"
#include "drv_direct_output.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr uint32_t RELAY = 158;

// The writes of one amplitude change on channel 0: the relay word, the digital gain,
// the wave DAC reference, the offset DAC.
std::vector<sim_op_t> change_writes(int32 word, uint16 gain, uint16 ref, uint16 offset)
{
    return {sim_write(24, static_cast<uint16>(word)), sim_write(33, gain), sim_write(41, ref), sim_write(132, offset)};
}

void append(std::vector<sim_op_t> &log, const std::vector<sim_op_t> &more)
{
    log.insert(log.end(), more.begin(), more.end());
}
} // namespace

using DrvDirectOutput = cfg_fixture_t;

TEST_F(DrvDirectOutput, RegisterTrafficForFrequencyAmplitudeAndOffset)
{
    struct case_t
    {
        long double freq;
        long double ampl;
        long double offset;
        int32 load;
        bool relay_closed;
        int32 word;
        uint16 gain;
        uint16 ref;
        uint16 offset_code;
    };
    const std::vector<case_t> cases = {
        // 2.0 V open circuit: word 4 with 10 dB attenuation, the offset code for 0 V.
        {1000.0L, 1.0L, 0.0L, 50, false, 4, 317, 11661, 100},
        {1000.0L, 1.0L, 0.0L, 50, true, 4, 317, 11661, 100},
        {250000.0L, 0.5L, 0.1L, 50, true, 4, 317, 5857, 659},
        {1e6L, 0.01L, -1.0L, 50, true, 6, 32, 11661, 60040},
        {1e6L, 0.01L, -1.0L, 50, false, 6, 32, 11661, 60040},
    };
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv_amp_t *amp = drv_instance_manage_t::get_instance()->get_amp();
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.ampl) << " V, relay " << c.relay_closed);
        int32 ohms = c.load;
        cfg_get_bswv_main(0)->store_load_raw(&ohms);
        u32 read_load = 0;
        EXPECT_EQ(drv_get_load(0, &read_load), 1);
        EXPECT_EQ(read_load, static_cast<u32>(c.load));

        sim.clear_log();
        drv->set_freq_phase(0, c.freq, 0.0L);
        std::vector<sim_op_t> expected = sim.log();
        ASSERT_FALSE(expected.empty());
        sim.poke(RELAY, c.relay_closed ? 1 : 0);
        const bool opens = c.relay_closed && amp->get_applied_range(0) != c.word;
        expected.push_back(sim_read(RELAY, c.relay_closed ? 1 : 0));
        if (opens)
            append(expected, {sim_read(RELAY, 1), sim_write(RELAY, 0), sim_sleep(3)});
        append(expected, change_writes(c.word, c.gain, c.ref, c.offset_code));
        if (c.relay_closed)
            append(expected, {sim_sleep(3), sim_read(RELAY, opens ? 0 : 1), sim_write(RELAY, 1), sim_sleep(5)});

        sim.clear_log();
        drv_set_output_params(0, c.freq, c.ampl, c.offset);
        std::vector<std::string> got;
        std::vector<std::string> want;
        for (const sim_op_t &op : sim.log())
            got.push_back(sim_op_text(op));
        for (const sim_op_t &op : expected)
            want.push_back(sim_op_text(op));
        EXPECT_EQ(got, want);
        EXPECT_EQ(amp->get_applied_range(0), c.word);
    }
}
