// The exports end to end over the emulated module (real libusb under umockdev): the
// start-up creates the calibration record in the module's flash, a scripted sequence of
// exports puts on the wire what it puts into the register simulator, raw samples arrive
// as one wave block, and an unplugged module costs nothing but the lost writes.
#include "awg_state.h"
#include "cfg_main.h"
#include "qelmod.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// The writes of a log, one line each. A wave block goes over the wire without its
// address, so blocks are compared by their words alone.
std::vector<std::string> writes(const std::vector<sim_op_t> &log)
{
    std::vector<std::string> lines;
    for (const sim_op_t &op : log) {
        if (op.kind == sim_op_kind_t::block) {
            std::uint32_t hash = 2166136261u;
            for (std::uint16_t w : op.words)
                hash = (hash ^ w) * 16777619u;
            lines.push_back("block of " + std::to_string(op.words.size()) + " words, hash " +
                            std::to_string(hash));
        } else if (op.kind != sim_op_kind_t::read && op.kind != sim_op_kind_t::byte_read &&
                   op.kind != sim_op_kind_t::block_read && op.kind != sim_op_kind_t::sleep) {
            lines.push_back(sim_op_text(op));
        }
    }
    return lines;
}

void run_sequence()
{
    awg_set_wave_type(0, true);
    awg_set_freqency(1000.0L);
    awg_set_wave_ampl(2.0L);
    awg_set_offset(0.25L);
    awg_set_ch_switch(1, true);
    awg_set_wave_type(1, false);
    awg_set_duty(30);
    awg_set_load(0);
    awg_set_wave_type(2, true);
    awg_set_symmetry(20);
    awg_set_arb_wave_type(46, true);
    awg_set_wave_type(0, true);
}

// The sequence's writes over the register simulator, taken in a child process so that
// this process's library starts fresh over USB.
std::vector<std::string> sequence_over_simulator()
{
    const std::string path = "sim_writes.txt";
    const pid_t child = fork();
    if (child == 0) {
        sim_fpga_t sim;
        sim_install_reg_transport(sim);
        sim_os_recorder_t recorder(sim);
        stdout_capture_t quiet;
        awg_cfg_init();
        sim.clear_log();
        run_sequence();
        std::ofstream out(path);
        for (const std::string &line : writes(sim.log()))
            out << line << "\n";
        out.close();
        _exit(out ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::vector<std::string> lines;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class QelmodUsb : public testing::Test
{
protected:
    void SetUp() override
    {
        module.set_data_read_length(128);
        module.plug();
        stdout_capture_t capture;
        init_result = awg_cfg_init();
        init_text = capture.finish();
        module.sim().clear_log();
    }
    void TearDown() override { usbtmc_uninit_driver(); }

    usb_testbed_t bed;
    umockdev_tmc_module_t module{bed};
    sim_fpga_t waits;
    sim_os_recorder_t recorder{waits};
    int init_result = 0;
    std::string init_text;
};
} // namespace

TEST(QelmodUsbSequence, WireCarriesWhatTheSimulatorReceives)
{
    const std::vector<std::string> expected = sequence_over_simulator();
    ASSERT_FALSE(expected.empty());

    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.set_data_read_length(128);
    module.plug();
    sim_fpga_t waits;
    sim_os_recorder_t recorder(waits);
    stdout_capture_t quiet;
    EXPECT_EQ(awg_cfg_init(), 1);
    // The start-up created the calibration record in the module's flash.
    EXPECT_NE(module.sim().flash(32768, 16), std::vector<uint8>(16, 0xff));
    module.sim().clear_log();
    run_sequence();
    quiet.finish();
    const std::vector<std::string> wire = writes(module.sim().log());
    EXPECT_EQ(wire, expected);
    usbtmc_uninit_driver();
}

TEST_F(QelmodUsb, StartsAndSetsASine)
{
    EXPECT_EQ(init_result, 1);
    EXPECT_EQ(init_text.rfind("awg_cfg_init()\n", 0), 0u) << init_text;
    EXPECT_EQ(awg_set_wave_type(0, true), 1);
    EXPECT_EQ(awg_set_freqency(2.0e9L), 1);
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 25e6L);
    module.sim().clear_log();
    const awg_state_record_t before = awg_state_t::get_instance()->get_current();
    for (long double bad : {NAN, INFINITY, -INFINITY}) {
        EXPECT_EQ(awg_set_freqency(bad), 1);
        EXPECT_EQ(awg_set_wave_ampl(bad), 1);
        EXPECT_EQ(awg_set_offset(bad), 1);
    }
    EXPECT_TRUE(module.sim().log().empty());
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, before.freq);
    EXPECT_EQ(awg_state_t::get_instance()->record().ampl, before.ampl);
}

TEST_F(QelmodUsb, RawSamplesArriveAsOneWaveBlock)
{
    std::vector<uint16_t> samples(16384);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<uint16_t>(i * 3);
    vextral_loadData_toFpga(samples.data(), static_cast<int>(samples.size()));
    std::size_t blocks = 0;
    for (const sim_op_t &op : module.sim().log())
        if (op.kind == sim_op_kind_t::block) {
            ++blocks;
            EXPECT_EQ(op.words.size(), samples.size());
        }
    EXPECT_EQ(blocks, 1u);

    // Any other count: the transport's size message, and no block.
    module.sim().clear_log();
    stdout_capture_t capture;
    vextral_loadData_toFpga(samples.data(), 100);
    const std::string text = capture.finish();
    EXPECT_NE(text.find("data_size error"), std::string::npos) << text;
    for (const sim_op_t &op : module.sim().log())
        EXPECT_NE(op.kind, sim_op_kind_t::block);
}

TEST_F(QelmodUsb, UnplugAndReplugBetweenExports)
{
    const std::vector<uint16_t> samples(16384, 0x1234);
    module.unplug();
    stdout_capture_t capture;
    EXPECT_EQ(awg_set_freqency(2000.0L), 1);
    EXPECT_EQ(awg_set_ch_switch(1, true), 1);
    vextral_loadData_toFpga(samples.data(), 16384);
    capture.finish();
    module.plug();
    vextral_setinit(0);
    module.sim().clear_log();
    vextral_loadData_toFpga(samples.data(), 16384);
    std::size_t blocks = 0;
    for (const sim_op_t &op : module.sim().log())
        blocks += op.kind == sim_op_kind_t::block ? 1 : 0;
    EXPECT_EQ(blocks, 1u);
}
