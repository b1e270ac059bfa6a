#include "drv_reg_progress.h"
#include "drv_reg_spi.h"
#include "drv_reg_spi_arm.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Keeps every raw SPI transfer; reads answer byte i = 0x10 + i.
template <class base_t> class raw_spi_t : public base_t
{
public:
    struct transfer_t
    {
        int32 device;
        std::vector<uint8> bytes;
    };

    void reg_write_spi_raw(int32 device, const uint8 *data, uint32 length) override
    {
        writes.push_back({device, std::vector<uint8>(data, data + length)});
    }
    void reg_read_spi_raw(int32 device, uint8 *data, uint32 length) override
    {
        reads.push_back({device, std::vector<uint8>(length)});
        for (uint32 i = 0; i < length; ++i)
            data[i] = static_cast<uint8>(0x10 + i);
    }

    std::vector<transfer_t> writes;
    std::vector<transfer_t> reads;
};

// A transport that only counts its block writes, to see operation 11 reach operation 7.
class block_counter_t : public drv_reg_spi_t
{
public:
    int32 reg_write_block(uint32 address, const uint16 *, uint32 count) override
    {
        calls.push_back({address, count});
        return 7;
    }
    std::vector<std::pair<uint32, uint32>> calls;
};

} // namespace

TEST(DrvRegSpi, DefaultBodiesAnswerWithoutMovingData)
{
    drv_reg_spi_t base;
    uint8 data[4] = {9, 9, 9, 9};
    const uint16 words[2] = {1, 2};
    EXPECT_EQ(base.reg_init_spi_driver(), 1);
    EXPECT_EQ(base.reg_read_fpga_reg(5), 1);
    EXPECT_EQ(base.reg_write_fpga_reg(5, 6), 1);
    EXPECT_EQ(base.reg_write_block(0, words, 2), 1);
    EXPECT_EQ(base.reg_read_block(0, data, 4), 1);
    EXPECT_EQ(base.reg_write_fpga_words(0, words, 2), 1);
    EXPECT_EQ(base.reg_write_clock_chip(1, 2), 1);
    EXPECT_EQ(base.reg_read_clock_chip(1), 1);
    EXPECT_EQ(base.reg_write_fpga_data_by_byte(uint16(1), data, 4), 1);
    EXPECT_EQ(base.reg_write_fpga_data_by_byte(uint32(1), data, 4), 1);
    EXPECT_EQ(base.reg_read_fpga_data(uint16(1), data, 4), 1);
    EXPECT_EQ(std::vector<uint8>(data, data + 4), (std::vector<uint8>{9, 9, 9, 9}));
    EXPECT_FALSE(base.replaces_reg_init_spi_driver());
    EXPECT_FALSE(base.replaces_reg_close_spi_driver());
    EXPECT_FALSE(base.replaces_reg_read_fpga_reg());
}

TEST(DrvRegSpi, WaveWordsGoThroughTheBlockWrite)
{
    block_counter_t transport;
    const uint16 words[3] = {1, 2, 3};
    EXPECT_EQ(transport.reg_write_fpga_words(0x40, words, 3), 7);
    EXPECT_EQ(transport.calls, (std::vector<std::pair<uint32, uint32>>{{0x40, 3}}));
}

TEST(DrvRegSpi, DefaultSpiBlocksFrameAddressAndData)
{
    raw_spi_t<drv_reg_spi_t> transport;
    const uint16 words[2] = {0x0201, 0x0403};
    EXPECT_EQ(transport.reg_write_fpga_data_block(3, 0x1A5, words, 2), 1);
    ASSERT_EQ(transport.writes.size(), 2u);
    EXPECT_EQ(transport.writes[0].device, 3);
    EXPECT_EQ(transport.writes[0].bytes, (std::vector<uint8>{0xC0, 0xA5}));
    EXPECT_EQ(transport.writes[1].bytes, (std::vector<uint8>{1, 2, 3, 4}));

    uint8 data[3] = {};
    EXPECT_EQ(transport.reg_read_fpga_data_block(3, 0x07, data, 3), 1);
    EXPECT_EQ(transport.writes[2].bytes, (std::vector<uint8>{0x40, 0x07}));
    EXPECT_EQ(transport.reads[0].bytes.size(), 6u);
    // The second byte of each received pair.
    EXPECT_EQ(std::vector<uint8>(data, data + 3), (std::vector<uint8>{0x11, 0x13, 0x15}));
}

TEST(DrvRegSpiArm, OpensNothingAndSendsBlocksAsDeviceMinusOne)
{
    raw_spi_t<drv_reg_spi_arm_t> transport;
    EXPECT_EQ(transport.reg_init_spi_driver(), 0);
    EXPECT_EQ(transport.reg_read_fpga_reg(3), 0);
    EXPECT_EQ(transport.reg_write_fpga_reg(3, 4), 0);
    const uint16 word = 0xBEEF;
    transport.reg_write_fpga_word_list(&word, 1);
    EXPECT_TRUE(transport.writes.empty());
    EXPECT_EQ(transport.reg_write_block(0x22, &word, 1), 1);
    ASSERT_EQ(transport.writes.size(), 2u);
    EXPECT_EQ(transport.writes[0].device, -1);
    EXPECT_EQ(transport.writes[0].bytes, (std::vector<uint8>{0xC0, 0x22}));
    uint8 data = 0;
    EXPECT_EQ(transport.reg_read_block(0x22, &data, 1), 1);
    EXPECT_EQ(transport.reads.at(0).device, -1);
    EXPECT_TRUE(transport.replaces_reg_init_spi_driver());
    EXPECT_TRUE(transport.replaces_reg_close_spi_driver());
    EXPECT_TRUE(transport.replaces_reg_read_fpga_reg());
}

namespace {

std::vector<std::vector<int32>> s_progress;

void record_progress(int32 a, int32 b, int32 c)
{
    s_progress.push_back({a, b, c});
}

} // namespace

TEST(DrvRegProgress, CallsTheStoredCallbackOnly)
{
    reg_call_progress_callback(1, 2, 3);
    reg_set_progress_callback(record_progress);
    reg_call_progress_callback(2, 50, 0);
    reg_set_progress_callback(nullptr);
    reg_call_progress_callback(4, 5, 6);
    EXPECT_EQ(s_progress, (std::vector<std::vector<int32>>{{2, 50, 0}}));
}
