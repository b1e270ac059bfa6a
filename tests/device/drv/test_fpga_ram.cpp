// The FPGA memory self-test: status decoding and the test sequence.
#include "fpga_ram.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using FpgaRam = sim_driver_fixture_t;

} // namespace

TEST(FpgaRamStatus, TheFirstBitWithoutItsRequiredValueNamesTheFailure)
{
    struct
    {
        uint32 status;
        int32 result;
        std::string text;
    } cases[] = {
        {0x0666, 1, ""},
        {0x0E66, 1, ""},           // bit 11 (ready) is not checked
        {0x0662, 0, "b2-m2 test;"},
        {0x0000, 0, "b10-m2 rdy;"},
        {0x0466, 0, "b9-m1 rdy;"},
        {0x0766, 0, "b8-m2 cal;"},
        {0x06E6, 0, "b7-m1 cal;"},
        {0x0626, 0, "b6-m2 cal;"},
        {0x0646, 0, "b5-m1 cal;"},
        {0x0676, 0, "b4-m2 test;"},
        {0x066E, 0, "b3-m1 test;"},
        {0x0664, 0, "b1-m1 test;"},
        {0x07FF, 0, "b8-m2 cal;"}, // bits 8, 7, 4, 3 all wrong: the first in order
    };
    fpga_ram_t *ram = fpga_ram_t::get_instance();
    for (const auto &c : cases) {
        ram->set_chip_info("stale");
        EXPECT_EQ(ram->decode_status(&c.status), c.result) << std::hex << c.status;
        EXPECT_EQ(ram->get_chip_info(), c.text) << std::hex << c.status;
    }
    ram->set_chip_info("kept");
    EXPECT_EQ(ram->decode_status(nullptr), 0);
    EXPECT_EQ(ram->get_chip_info(), "kept");
}

TEST_F(FpgaRam, TestStartsWithZeroThenOneAndReadsTheStatusFiveSecondsLater)
{
    fpga_ram_t *ram = fpga_ram_t::get_instance();
    EXPECT_EQ(ram, fpga_ram_t::get_instance());
    sim.queue_reads(161, {0x0E62});
    EXPECT_EQ(ram->check_chip(), 0);
    EXPECT_EQ(ram->get_chip_info(), "b2-m2 test;");
    EXPECT_TRUE(log_is({sim_write(161, 0), sim_write(161, 1), sim_sleep(5000), sim_read(161, 0x0E62)}));

    sim.queue_reads(161, {0x0E66});
    EXPECT_EQ(ram->check_chip(), 1);
    EXPECT_EQ(ram->get_chip_info(), "");

    sim.poke(161, 0x0800);
    EXPECT_EQ(ram->is_ready(), 1);
    sim.poke(161, 0x07FF);
    EXPECT_EQ(ram->is_ready(), 0);
    sim.clear_log();
    ram->init();
    EXPECT_TRUE(log_is({}));
}
