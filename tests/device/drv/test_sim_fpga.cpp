// The simulator other tests read their results from.
#include "gos.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"

#include <gtest/gtest.h>

TEST(SimFpga, ScriptedReadsComeFirstThenTheStoredValue)
{
    sim_fpga_t sim;
    sim.write_reg(0x8010, 7); // 15-bit addresses
    sim.queue_reads(0x10, {1, 2});
    EXPECT_EQ(sim.read_reg(0x10), 1);
    EXPECT_EQ(sim.read_reg(0x10), 2);
    EXPECT_EQ(sim.read_reg(0x10), 7);
    EXPECT_EQ(sim.compact(), "0x10=0x7");
    EXPECT_EQ(sim.last_write(0x11), std::nullopt);
}

TEST(SimFpga, FlashIsErasedAndKeepsByteWrites)
{
    sim_fpga_t sim;
    const uint8 data[3] = {1, 2, 3};
    sim.write_bytes(0x8000, data, 3, false);
    EXPECT_EQ(sim.flash(0x7FFF, 5), (std::vector<uint8>{0xFF, 1, 2, 3, 0xFF}));
    uint8 back[2] = {};
    sim.read_bytes(sim_fpga_t::FLASH_SIZE - 1, back, 2);
    EXPECT_EQ(back[0], 0xFF);
    EXPECT_EQ(back[1], 0xFF);
}

TEST(SimFpga, DiffMarksMissingAndExtraOperations)
{
    std::vector<sim_op_t> expected = {sim_write(1, 1), sim_write(2, 2), sim_sleep(5)};
    std::vector<sim_op_t> actual = {sim_write(1, 1), sim_sleep(5), sim_shell("sync")};
    EXPECT_EQ(sim_fpga_t::diff(expected, expected), "");
    EXPECT_EQ(sim_fpga_t::diff(expected, actual), "  write 0x0001 = 0x0001\n"
                                                  "- write 0x0002 = 0x0002\n"
                                                  "  sleep 5 ms\n"
                                                  "+ shell \"sync\"\n");
}

TEST(SimFpga, OneLogHoldsTransportSleepAndShellEntries)
{
    sim_fpga_t sim;
    sim_reg_transport_t transport(sim);
    sim_os_recorder_t recorder(sim, 3);
    transport.reg_write_fpga_reg(1, 1); // not open yet: dropped
    EXPECT_EQ(transport.reg_init_spi_driver(), 0);
    transport.reg_write_fpga_reg(0x24, 8);
    gos_usleep(5000);
    EXPECT_EQ(gos_system("sync"), 3);
    const uint16 odd_block[3] = {1, 2, 3};
    EXPECT_EQ(transport.reg_write_fpga_words(0x100, odd_block, 3), 1);
    std::vector<sim_op_t> expected = {sim_write(0x24, 8), sim_sleep(5), sim_shell("sync")};
    sim_op_t block;
    block.kind = sim_op_kind_t::block;
    block.address = 0x100;
    block.words = {1, 2, 3};
    expected.push_back(block);
    EXPECT_EQ(sim_fpga_t::diff(expected, sim.log()), "");
}
