#include "drv_instance_manage.h"
#include "drv_reg_access.h"
#include "sim_reg_transport.h"

#include <gtest/gtest.h>

namespace {

class DrvRegAccess : public testing::Test
{
protected:
    void SetUp() override { sim_install_reg_transport(sim); }

    sim_fpga_t sim;
};

} // namespace

TEST_F(DrvRegAccess, TraceRecordsEachWriteAsAHexLine)
{
    const struct
    {
        uint64 address;
        uint64 value;
        const char *line;
    } cases[] = {
        {0x90, 500, "0x90,0x1f4\n"},
        {0x1f, 3, "0x1f,0x3\n"},
        {0, 0, "0x0,0x0\n"},
        {0x24, static_cast<uint64>(int64(-1)), "0x24,0xffffffffffffffff\n"},
        {0x123456789abcdef0ull, 0xABCD, "0x123456789abcdef0,0xabcd\n"},
    };
    drv_fpga_set_reg_trace(1);
    std::string expected;
    for (const auto &c : cases) {
        EXPECT_EQ(drv_fpga_write_reg(c.address, c.value), 0);
        expected += c.line;
    }
    EXPECT_EQ(*drv_fpga_get_reg_trace(), expected);
    // The transport gets the low 32 bits; the simulator keeps 15 address and 16 value bits.
    EXPECT_EQ(sim.last_write(0x24), 0xFFFF);
    EXPECT_EQ(sim.last_write(0x1f), 3);
}

TEST_F(DrvRegAccess, ReadsAreNeverTracedAndReturnTheTransportValue)
{
    sim.poke(0x1F, 0x1234);
    sim.queue_reads(0x40, {0x8001});
    drv_fpga_set_reg_trace(1);
    EXPECT_EQ(drv_fpga_read_reg(0x1F), 0x1234);
    EXPECT_EQ(drv_fpga_read_reg(0x40), 0x8001);
    EXPECT_EQ(drv_fpga_read_reg(0x40), 0);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "");
    EXPECT_EQ(sim.log(), (std::vector<sim_op_t>{sim_read(0x1F, 0x1234), sim_read(0x40, 0x8001), sim_read(0x40, 0)}));
}

TEST_F(DrvRegAccess, SwitchingTheTraceEmptiesTheSameText)
{
    std::string *trace = drv_fpga_get_reg_trace();
    drv_fpga_write_reg(1, 1);
    EXPECT_EQ(*trace, ""); // off at load
    drv_fpga_set_reg_trace(1);
    drv_fpga_write_reg(2, 2);
    EXPECT_EQ(*trace, "0x2,0x2\n");
    drv_fpga_set_reg_trace(0);
    EXPECT_EQ(trace, drv_fpga_get_reg_trace());
    EXPECT_EQ(*trace, "");
    drv_fpga_write_reg(3, 3);
    EXPECT_EQ(*trace, "");
    drv_fpga_set_reg_trace(1);
    drv_fpga_set_reg_trace(1);
    drv_fpga_write_reg(4, 4);
    EXPECT_EQ(*trace, "0x4,0x4\n");
    EXPECT_EQ(sim.writes_to(3), (std::vector<uint16>{3}));
}

TEST_F(DrvRegAccess, WritesStillTracedWhenTheTransportDropsThem)
{
    drv_reg_spi_t *transport = drv_instance_manage_t::get_instance()->get_reg_transport();
    transport->reg_close_spi_driver();
    drv_fpga_set_reg_trace(1);
    EXPECT_EQ(drv_fpga_write_reg(0x10, 0x20), 0);
    EXPECT_EQ(drv_fpga_read_reg(0x10), 0);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "0x10,0x20\n");
    EXPECT_TRUE(sim.log().empty());
}
