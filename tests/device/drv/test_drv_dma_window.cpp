// The second platform's memory windows on heap memory (and their null state without
// one), the memory address and value registers through the register transport, the
// DMA length remainder and the byte swaps.
#include "drv_dma_window.h"
#include "sim_dma_windows.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

TEST(DrvDmaWindow, RegisterAndControllerWordsReachTheirWindows)
{
    sim_dma_windows_t windows;
    EXPECT_EQ(drv_reg_window_write(17, 0xDEADBEEF), 1);
    EXPECT_EQ(windows.reg(17), 0xDEADBEEFu);
    EXPECT_EQ(drv_reg_window_read(17), 0xDEADBEEFu);

    struct
    {
        int32 selector;
        int ch;
    } cases[] = {{0, 0}, {1, 1}, {-3, 1}, {2, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.selector);
        EXPECT_EQ(drv_dma_write(c.selector, DRV_DMA_TAIL_DESC, 0x1000u + static_cast<uint32>(c.selector)), 1);
        EXPECT_EQ(windows.dma(c.ch, DRV_DMA_TAIL_DESC), 0x1000u + static_cast<uint32>(c.selector));
        EXPECT_EQ(drv_dma_read(c.selector, DRV_DMA_TAIL_DESC), 0x1000u + static_cast<uint32>(c.selector));
    }
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), 0u);
}

TEST(DrvDmaWindow, WithoutWindowsReadsGiveZeroAndWritesDoNothing)
{
    drv_dma_reset_windows();
    EXPECT_EQ(drv_reg_window_write(16, 5), 1);
    EXPECT_EQ(drv_reg_window_read(16), 0u);
    EXPECT_EQ(drv_dma_write(1, 0, 5), 1);
    EXPECT_EQ(drv_dma_read(1, 0), 0u);
    for (int32 which = 0; which < 3; ++which)
        EXPECT_EQ(drv_dma_window_descriptor(which), -1);

    // A reset keeps the installed windows (they are the platform's mapping).
    sim_dma_windows_t windows;
    windows.reg(3) = 77;
    drv_dma_reset_windows();
    EXPECT_EQ(drv_reg_window_read(3), 77u);
}

using DrvMemRegisters = sim_driver_fixture_t;

TEST_F(DrvMemRegisters, AddressAndValueGoThroughTheTransportWithTheirLoadPulses)
{
    EXPECT_EQ(drv_mem_set_address(0x0305, 99, 0x12345678), 1);
    EXPECT_TRUE(log_is({sim_write(0xB1, 0x0305), sim_write(0xB3, 0x1234), sim_write(0xB5, 0x5678),
                        sim_read(0xB1, 0x0305), sim_write(0xB1, 0x0305), sim_write(0xB1, 0x2305),
                        sim_write(0xB1, 0x0305)}));

    sim.clear_log();
    sim.queue_reads(0xB1, {0x3001});
    sim.queue_reads(0xB7, {0xCAFE});
    sim.queue_reads(0xB9, {0x0042});
    EXPECT_EQ(drv_mem_read_value(0x2001), 0xCAFE0042u);
    EXPECT_TRUE(log_is({sim_write(0xB1, 0x2001), sim_read(0xB1, 0x3001), sim_write(0xB1, 0x2001),
                        sim_write(0xB1, 0x3001), sim_write(0xB1, 0x2001), sim_read(0xB7, 0xCAFE),
                        sim_read(0xB9, 0x0042)}));
}

TEST(DrvDmaWindow, LengthRemainderIsZeroForLengthsTheControllerTakesWhole)
{
    struct
    {
        int32 x, remainder;
    } cases[] = {
        {0, 0},
        {2097151, 0},   // 8x = 0xFFFFF8
        {2097152, 0},   // 8x = 0x1000000, a multiple of 4
        {2097153, 1},   // above 0xFFFFFD, not a multiple of 4
        {2097155, 3},
        {4194303, 7},   // 8x = 0x1FFFFF8
        {4194300, 0},   // 8x = 0x1FFFFE0, a multiple of 4
        {4194308, 4},   // a multiple of 4 but 8x above 0x1FFFFFB
        {52428800, 0},  // 8x beyond 32 bits: the remainder of a multiple of 8
        {52428806, 6},
        {-5, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(drv_dma_length_remainder(c.x), c.remainder) << c.x;
}

TEST(DrvDmaWindow, ByteSwapsReverseTheirWidth)
{
    EXPECT_EQ(drv_swap16(0x1234), 0x3412);
    EXPECT_EQ(drv_swap16(0x00FF), 0xFF00);
    EXPECT_EQ(drv_swap24(0x123456u), 0x563412u);
    EXPECT_EQ(drv_swap24(0xAA123456u), 0x563412u);
    EXPECT_EQ(drv_swap32(0x12345678u), 0x78563412u);
    EXPECT_EQ(drv_swap32(0x000000FFu), 0xFF000000u);
    EXPECT_EQ(drv_swap64(0x0123456789ABCDEFull), 0xEFCDAB8967452301ull);
    EXPECT_EQ(drv_swap64(0xFFull), 0xFF00000000000000ull);
}
