// The FPGA driver's flash: sector geometry, the base protocol through registers and
// block ports (erase with its status poll, page program, read transaction) and the
// base chunking, over the register simulator. The module's own transfer path is in
// test_drv_fpga_vextral.cpp.
#include "drv_flash_chunk.h"
#include "drv_fpga.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using DrvFpgaFlash = sim_driver_fixture_t;

// The accesses of one status poll that reads status.
std::vector<sim_op_t> status_poll(uint16 status)
{
    return {sim_write(12, 0), sim_read(106, status)};
}

std::vector<uint8> pattern(std::size_t n)
{
    std::vector<uint8> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8>(i * 7 + 3);
    return bytes;
}

} // namespace

TEST(DrvFpgaFlashGeometry, SectorCalculatorCountsEverySectorTheRangeTouches)
{
    struct
    {
        uint32 addr, len;
        int32 result;
        uint32 first, count;
    } cases[] = {
        {32768, 1496, 1, 0, 1},
        {65000, 2000, 1, 0, 2},
        {0, 131072, 1, 0, 2},
        {0, 131073, 1, 0, 3},
        {0, 0, 1, 0, 1},
        {65536, 65536, 1, 1, 1},
        {0x7FFFF, 2, 1, 7, 2}, // not limited to the sectors that exist
        {0x80000, 1, 0, 99, 99},
        {0xFFFFFFFF, 1, 0, 99, 99},
    };
    drv_fpga_t fpga;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "addr " << c.addr << ", len " << c.len);
        uint32 first = 99, count = 99;
        EXPECT_EQ(fpga.calc_flash_sectors(c.addr, c.len, &first, &count), c.result);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(count, c.count);
    }
    uint32 value = 99;
    EXPECT_EQ(drv_fpga_t::addr_to_sector(0x7FFFF, &value), 1);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(drv_fpga_t::sector_to_addr(7, &value), 1);
    EXPECT_EQ(value, 0x70000u);
    EXPECT_EQ(drv_fpga_t::sector_to_addr(8, &value), 0);
    EXPECT_EQ(value, 0x70000u);
}

TEST_F(DrvFpgaFlash, SectorErasePollsTheBusyStatusElevenTimesHalfASecondApart)
{
    struct
    {
        uint32 sector;
        std::vector<uint16> statuses;
        int32 result;
    } cases[] = {
        {3, {0}, 1},
        {0, {2, 2, 2, 0}, 1},
        {7, {0x01, 0x80, 0x0300}, 1}, // only the low byte counts
        {9, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "sector " << c.sector);
        sim.clear_log();
        std::vector<sim_op_t> expected{sim_write(13, 0)};
        if (c.sector < 8)
            expected.push_back(sim_write(15 + 2 * c.sector, 0));
        for (uint16 status : c.statuses) {
            sim.queue_reads(106, {status});
            for (const sim_op_t &op : status_poll(status))
                expected.push_back(op);
            if (status & 0xFF)
                expected.push_back(sim_sleep(500));
        }
        EXPECT_EQ(fpga->erase_flash_sector(c.sector), c.result);
        EXPECT_TRUE(log_is(expected));
    }
    EXPECT_EQ(sim.slept_ms(), 5500u);
}

TEST_F(DrvFpgaFlash, BasePageProgramSendsAWholePageAndWaitsForDone)
{
    drv_fpga_t base;
    const std::vector<uint8> data = pattern(10);
    sim.poke(94, 0x0004);
    sim.queue_reads(94, {0x0004, 0x0000, 0x0002});
    EXPECT_EQ(base.write_flash_page(0x123456, 10, data.data()), 1);
    // A short buffer is padded with 0xFF, never read past.
    std::vector<uint16> page(256, 0xFF);
    for (std::size_t i = 0; i < data.size(); ++i)
        page[i] = data[i];
    EXPECT_TRUE(log_is({sim_read(94, 0x0004), sim_write(94, 0x0005), sim_write(94, 0x0004), sim_write(94, 0x0005),
                        sim_block(92, page), sim_write(13, 0), sim_write(1, 0x3456), sim_write(3, 0x12),
                        sim_write(5, 0), sim_sleep(0), sim_read(94, 0x0000), sim_read(94, 0x0002)}));

    // Done never comes: 1001 reads, then 0.
    sim.poke(94, 0);
    sim.clear_log();
    EXPECT_EQ(base.write_flash_page(0, 256, pattern(256).data()), 0);
    EXPECT_EQ(sim.writes_to(94).size(), 3u);
    std::size_t done_reads = 0;
    for (const sim_op_t &op : sim.log())
        done_reads += op.kind == sim_op_kind_t::read && op.address == 94;
    EXPECT_EQ(done_reads, 1 + 1001u);

    sim.clear_log();
    EXPECT_EQ(base.write_flash_page(0, 256, nullptr), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaFlash, BaseReadTransactionRefusesMoreThan1024Bytes)
{
    drv_fpga_t base;
    std::vector<uint8> out(2048, 0x55);
    sim.queue_reads(94, {2});
    EXPECT_EQ(base.read_flash_data(0x012345, 100, out.data()), 1);
    EXPECT_TRUE(log_is({sim_write(108, 848), sim_write(7, 0x2345), sim_write(9, 0x01), sim_read(94, 2),
                        sim_block_read(11, 100)}));

    sim.clear_log();
    sim.queue_reads(94, {2});
    EXPECT_EQ(base.read_flash_data(0, 1025, out.data()), 0);
    EXPECT_TRUE(log_is({sim_write(108, 8248), sim_write(7, 0), sim_write(9, 0), sim_read(94, 2)}));
}

TEST_F(DrvFpgaFlash, BaseChunkedWritePadsTheLastPageWithFF)
{
    drv_fpga_t base;
    const drv_flash_chunk_t chunks = {1024, 256};
    const std::vector<uint8> data = pattern(600);
    sim.poke(94, 2);
    EXPECT_EQ(base.write_flash(0x10000, 600, data.data(), &chunks), 1);
    std::vector<std::vector<uint16>> pages;
    for (const sim_op_t &op : sim.log())
        if (op.kind == sim_op_kind_t::block)
            pages.push_back(op.words);
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t i = 0; i < 600; ++i)
        EXPECT_EQ(pages[i / 256][i % 256], data[i]) << i;
    for (std::size_t i = 600; i < 768; ++i)
        EXPECT_EQ(pages[2][i % 256], 0xFF) << i;
    EXPECT_EQ(sim.writes_to(1), (std::vector<uint16>{0x0000, 0x0100, 0x0200}));
    EXPECT_EQ(sim.writes_to(3), (std::vector<uint16>{1, 1, 1}));

    // Shorter than a page: one page of the bytes and 0xFF.
    sim.clear_log();
    EXPECT_EQ(base.write_flash(0x20, 3, data.data(), &chunks), 1);
    EXPECT_EQ(sim.writes_to(1), (std::vector<uint16>{0x20}));
    const std::vector<uint16> *page = sim.block(92);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ((*page)[2], data[2]);
    EXPECT_EQ((*page)[3], 0xFF);
}

TEST_F(DrvFpgaFlash, BaseChunkedReadAsksWholePiecesAndCopiesOnlyTheRange)
{
    drv_fpga_t base;
    const drv_flash_chunk_t chunks = {1024, 256};
    sim.poke(94, 2);
    // The block port delivers nothing here, so the pieces' cleared buffers arrive.
    std::vector<uint8> out(1500 + 16, 0x55);
    EXPECT_EQ(base.read_flash(0x1000, 1500, out.data(), &chunks), 1);
    EXPECT_EQ(sim.writes_to(108), (std::vector<uint16>{8240, 8240}));
    EXPECT_EQ(sim.writes_to(7), (std::vector<uint16>{0x1000, 0x1400}));
    for (std::size_t i = 0; i < 1500; ++i)
        ASSERT_EQ(out[i], 0) << i;
    for (std::size_t i = 1500; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0x55) << i;

    // A single request asks exactly the length, its buffer filled with 0xFF first.
    sim.clear_log();
    std::vector<uint8> small(100, 0x55);
    EXPECT_EQ(base.read_flash(0x40, 100, small.data(), &chunks), 1);
    EXPECT_EQ(sim.writes_to(108), (std::vector<uint16>{848}));
    EXPECT_EQ(small, std::vector<uint8>(100, 0xFF));
}

TEST_F(DrvFpgaFlash, NullBuffersMissingSizesAndEmptyRangesSendNothing)
{
    drv_fpga_t base;
    const drv_flash_chunk_t chunks = {1024, 256};
    const drv_flash_chunk_t zero = {0, 0};
    uint8 byte = 0x5A;
    struct
    {
        const char *name;
        int32 result, expected;
    } cases[] = {
        {"write null data", base.write_flash(0, 10, nullptr, &chunks), 0},
        {"write null sizes", base.write_flash(0, 10, &byte, nullptr), 0},
        {"write zero size", base.write_flash(0, 1, &byte, &zero), 0},
        {"write nothing", base.write_flash(0, 0, &byte, &chunks), 1},
        {"read null buffer", base.read_flash(0, 10, nullptr, &chunks), 0},
        {"read null sizes", base.read_flash(0, 1, &byte, nullptr), 0},
        {"read zero size", base.read_flash(0, 1, &byte, &zero), 0},
        {"read nothing", base.read_flash(0, 0, &byte, &chunks), 1},
        {"block write null", base.write_block_bytes(92, 4, nullptr), 0},
        {"block read null", base.read_block_bytes(11, 4, nullptr), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, c.expected) << c.name;
    EXPECT_EQ(byte, 0x5A);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaFlash, BlockBytesTravelInTheLowHalvesOfAtMost256Words)
{
    const std::vector<uint8> data = pattern(300);
    EXPECT_EQ(fpga->write_block_bytes(92, 300, data.data()), 1);
    const std::vector<uint16> *block = sim.block(92);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->size(), 256u);
    EXPECT_EQ((*block)[255], data[255]);
    EXPECT_EQ(fpga->pulse_reg_bit(94, 0), 1);
    EXPECT_EQ(sim.writes_to(94), (std::vector<uint16>{1, 0, 1}));
}
