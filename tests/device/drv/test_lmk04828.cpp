// The second platform's clock distributor: its accesses reach the SPI transport's
// clock-chip operations, which carry no value, so the chip check fails here.
#include "lmk04828.h"
#include "sim_dma_windows.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

TEST(Lmk04828, WriteClearsTheTransportBitsAndWaitsAndTheCheckFailsOnZero)
{
    sim_fpga_t sim;
    sim_os_recorder_t recorder(sim);
    sim_dma_windows_t windows;
    windows.reg(16) = 0xFFFF;
    lmk04828_t *clock = lmk04828_t::get_instance();
    EXPECT_EQ(clock, lmk04828_t::get_instance());
    clock->write_reg(0x143, 0x11);
    EXPECT_EQ(windows.reg(16), 0xDFEFu);
    EXPECT_EQ(sim.log(), (std::vector<sim_op_t>{sim_sleep(1)}));
    EXPECT_EQ(clock->read_reg(3), 0);

    stdout_capture_t capture;
    EXPECT_EQ(clock->check_chip(), 0);
    EXPECT_EQ(capture.finish(), "chip not ok! ,read_value:0,default is:6\n");
}
