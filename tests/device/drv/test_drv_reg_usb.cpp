#include "drv_instance_manage.h"
#include "drv_reg_access.h"
#include "drv_reg_usb.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>

namespace {

class DrvRegUsb : public testing::Test
{
protected:
    void SetUp() override { plug(); }
    void TearDown() override { usbtmc_uninit_driver(); }

    void plug()
    {
        if (!module)
            module = std::make_unique<umockdev_tmc_module_t>(bed, umockdev_tmc_module_t::module_config());
        module->plug();
    }

    // Opens the transport, then forgets what opening sent.
    drv_reg_usb_t &open()
    {
        EXPECT_EQ(transport.reg_init_spi_driver(), 0);
        module->clear_records();
        module->sim().clear_log();
        return transport;
    }

    // Payloads of the messages the module received since the last clear_records.
    std::vector<std::vector<uint8>> payloads() const
    {
        std::vector<std::vector<uint8>> all;
        for (const usbtmc_emulated_header_t &h : module->headers())
            if (h.header.msg_id == USBTMC_DEV_DEP_MSG_OUT)
                all.push_back(h.payload);
        return all;
    }

    std::vector<std::size_t> transfer_sizes() const
    {
        std::vector<std::size_t> sizes;
        for (const usb_bulk_record_t &r : module->bulk_out_log())
            sizes.push_back(r.data.size());
        return sizes;
    }

    usb_testbed_t bed;
    std::unique_ptr<umockdev_tmc_module_t> module;
    drv_reg_usb_t transport;
};

template <class clock_t = std::chrono::steady_clock> auto elapsed_since(typename clock_t::time_point start)
{
    return clock_t::now() - start;
}

std::string init_lines()
{
    return "int drv_reg_usb_t::reg_init_spi_driver(void) \nusbtmc_init_driver: vid = " +
           std::to_string(USBTMC_MODULE_VID) + "pid = " + std::to_string(USBTMC_MODULE_PID) + "\n";
}

} // namespace

TEST_F(DrvRegUsb, RegisterWriteThroughTheFrontEndArrivesAsFourBytes)
{
    // The instance manager creates the USB transport by default.
    ASSERT_NE(dynamic_cast<drv_reg_usb_t *>(drv_instance_manage_t::get_instance()->get_reg_transport()), nullptr);
    module->clear_records();
    EXPECT_EQ(drv_fpga_write_reg(0x0012, 0xABCD), 0);
    EXPECT_EQ(drv_fpga_write_reg(0x8012, 0xABCD), 0); // bit 15 is not sent
    const std::vector<uint8> frame = {0x12, 0x80, 0xCD, 0xAB};
    EXPECT_EQ(payloads(), (std::vector<std::vector<uint8>>{frame, frame}));
    // The first message of the device carries tag 1.
    const std::vector<uint8> first = {1, 1, 0xFE, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0x12, 0x80, 0xCD, 0xAB};
    std::vector<usb_bulk_record_t> transfers = module->bulk_out_log();
    ASSERT_EQ(transfers.size(), 2u);
    EXPECT_EQ(transfers[0].data, first);
    EXPECT_EQ(transfers[1].data.size(), 16u);
    EXPECT_EQ(module->sim().writes_to(0x12), (std::vector<uint16>{0xABCD, 0xABCD}));
}

TEST_F(DrvRegUsb, RegisterReadSendsTwoBytesAndTakesTheValueFromTheReply)
{
    module->sim().poke(0x001F, 0x1234);
    module->clear_records();
    EXPECT_EQ(drv_fpga_read_reg(0x001F), 0x1234);
    EXPECT_EQ(payloads(), (std::vector<std::vector<uint8>>{{0x1F, 0x00}}));
    // The padded 2-byte message, then the 12-byte request for the reply.
    EXPECT_EQ(transfer_sizes(), (std::vector<std::size_t>{16, 12}));
}

TEST_F(DrvRegUsb, ReplyWithoutAWholeValueReadsZero)
{
    drv_reg_usb_t &usb = open();
    module->sim().poke(0x1F, 0x1234);
    for (std::size_t payload : {0u, 2u, 3u}) {
        module->set_short_in_once(12 + payload);
        EXPECT_EQ(usb.reg_read_fpga_reg(0x1F), 0) << payload;
    }
    EXPECT_EQ(usb.reg_read_fpga_reg(0x1F), 0x1234);
}

TEST_F(DrvRegUsb, DataWritesCarryTheAddressPrefix)
{
    drv_reg_usb_t &usb = open();
    const uint8 data[3] = {0x0A, 0x0B, 0x0C};
    EXPECT_EQ(usb.reg_write_fpga_data_by_byte(uint16(0x1234), data, 3), 0);
    EXPECT_EQ(usb.reg_write_fpga_data_by_byte(uint32(0x051234), data, 3), 0);
    EXPECT_EQ(payloads(), (std::vector<std::vector<uint8>>{{0x00, 0x80, 0x34, 0x12, 0x0A, 0x0B, 0x0C},
                                                           {0x05, 0x80, 0x34, 0x12, 0x0A, 0x0B, 0x0C}}));
    std::vector<usb_bulk_record_t> transfers = module->bulk_out_log();
    ASSERT_EQ(transfers.size(), 2u);
    EXPECT_EQ(transfers[0].data.size(), 20u);
    EXPECT_EQ(transfers[0].data.back(), 0); // one alignment byte
    EXPECT_EQ(module->sim().flash(0x1234, 3), (std::vector<uint8>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(module->sim().flash(0x051234, 3), (std::vector<uint8>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(module->sim().log().back().kind, sim_op_kind_t::byte_write24);
}

TEST_F(DrvRegUsb, DataReadCopiesTheBytesAfterTheReplysFirstFour)
{
    drv_reg_usb_t &usb = open();
    const uint8 stored[6] = {1, 2, 3, 4, 5, 6};
    module->sim().write_bytes(0x0100, stored, 6, false);
    uint8 data[8];
    std::memset(data, 0x55, sizeof data);
    EXPECT_EQ(usb.reg_read_fpga_data(uint16(0x0100), data, 6), 0);
    EXPECT_EQ(std::vector<uint8>(data, data + 8), (std::vector<uint8>{1, 2, 3, 4, 5, 6, 0x55, 0x55}));
    EXPECT_EQ(payloads(), (std::vector<std::vector<uint8>>{{0x00, 0x00, 0x00, 0x01}}));

    module->set_data_read_length(2); // a shorter reply: the rest reads 0
    std::memset(data, 0x55, sizeof data);
    usb.reg_read_fpga_data(uint16(0x0100), data, 6);
    EXPECT_EQ(std::vector<uint8>(data, data + 6), (std::vector<uint8>{1, 2, 0, 0, 0, 0}));
}

TEST_F(DrvRegUsb, DataReadLongerThanAnyReplyEndsInZeros)
{
    drv_reg_usb_t &usb = open();
    const uint8 stored[2] = {0xA1, 0xA2};
    module->sim().write_bytes(0, stored, 2, false);
    // The module answers up to the end of its 512 KiB flash; nothing answers beyond 1 MiB.
    const std::size_t length = 1536 * 1024;
    std::vector<uint8> data(length, 0x55);
    usb.reg_read_fpga_data(uint16(0), data.data(), static_cast<uint32>(length));
    EXPECT_EQ(data[0], 0xA1);
    EXPECT_EQ(data[1], 0xA2);
    EXPECT_EQ(data[sim_fpga_t::FLASH_SIZE - 1], 0xFF);
    EXPECT_EQ(std::count(data.begin() + sim_fpga_t::FLASH_SIZE, data.end(), 0), static_cast<long>(length - sim_fpga_t::FLASH_SIZE));
}

TEST_F(DrvRegUsb, OnlyWholeWaveBlocksAreSent)
{
    drv_reg_usb_t &usb = open();
    std::vector<uint16> words(16385);
    std::iota(words.begin(), words.end(), uint16(0));
    EXPECT_EQ(usb.reg_write_fpga_words(0x40, words.data(), 16384), 1);
    ASSERT_EQ(transfer_sizes(), (std::vector<std::size_t>{32780}));
    ASSERT_NE(module->sim().block(0), nullptr);
    EXPECT_EQ(*module->sim().block(0), std::vector<uint16>(words.begin(), words.begin() + 16384));

    for (uint32 count : {16383u, 16385u, 0u}) {
        module->clear_records();
        stdout_capture_t capture;
        EXPECT_EQ(usb.reg_write_block(0x40, words.data(), count), 1);
        EXPECT_EQ(capture.finish(),
                  "[ERROR]0 = reg_write_fpga_data_block data_size error  size = " + std::to_string(count) + ";\n");
        EXPECT_TRUE(module->bulk_out_log().empty()) << count;
    }
}

TEST_F(DrvRegUsb, WordListBecomesOneRegister240WritePerWord)
{
    drv_reg_usb_t &usb = open();
    const uint16 words[3] = {0xFFFE, 0xFFEA, 0xFFEB};
    usb.reg_write_fpga_word_list(words, 3);
    EXPECT_EQ(module->sim().writes_to(0xF0), (std::vector<uint16>{0xFFFE, 0xFFEA, 0xFFEB}));
    EXPECT_EQ(payloads().size(), 3u);
    uint8 none = 0;
    EXPECT_EQ(usb.reg_read_block(0, &none, 1), 1);
    EXPECT_EQ(payloads().size(), 3u);
}

TEST_F(DrvRegUsb, NullDataIsReportedAndNothingSent)
{
    drv_reg_usb_t &usb = open();
    stdout_capture_t capture;
    EXPECT_EQ(usb.reg_write_fpga_data_by_byte(uint16(1), nullptr, 4), 0);
    EXPECT_EQ(usb.reg_write_fpga_data_by_byte(uint32(1), nullptr, 4), 0);
    EXPECT_EQ(usb.reg_read_fpga_data(uint16(1), nullptr, 4), 0);
    EXPECT_EQ(capture.finish(), "[ERROR]0 = reg_write_fpga_data_by_byte g_usb error;\n"
                                "[ERROR]0 = reg_write_fpga_data_by_byte g_usb error;\n"
                                "[ERROR]0 = reg_read_fpga_data g_usb error;\n");
    EXPECT_TRUE(module->bulk_out_log().empty());
}

TEST_F(DrvRegUsb, NothingIsSentBeforeInitOrAfterClose)
{
    const uint8 data[2] = {1, 2};
    uint8 back[2] = {7, 7};
    for (int pass = 0; pass < 2; ++pass) {
        module->clear_records();
        EXPECT_EQ(transport.reg_write_fpga_reg(0x12, 1), 0);
        EXPECT_EQ(transport.reg_read_fpga_reg(0x12), 0);
        EXPECT_EQ(transport.reg_write_fpga_data_by_byte(uint16(0), data, 2), 0);
        EXPECT_EQ(transport.reg_read_fpga_data(uint16(0), back, 2), 0);
        EXPECT_TRUE(module->bulk_out_log().empty()) << pass;
        EXPECT_EQ(back[0], 7);
        if (pass == 0) {
            open();
            transport.reg_close_spi_driver();
            EXPECT_TRUE(module->wait_open_handles(0));
        }
    }
}

TEST_F(DrvRegUsb, SecondInitPrintsAgainAndOnlyKeepsTheDeviceOpen)
{
    stdout_capture_t capture;
    EXPECT_EQ(transport.reg_init_spi_driver(), 0);
    EXPECT_EQ(capture.finish(), init_lines());
    std::size_t setups = module->control_log().size();
    stdout_capture_t again;
    EXPECT_EQ(transport.reg_init_spi_driver(), 0);
    EXPECT_EQ(again.finish(), "int drv_reg_usb_t::reg_init_spi_driver(void) \n");
    EXPECT_EQ(module->control_log().size(), setups);
    EXPECT_EQ(module->claimed_interfaces(), (std::multiset<uint8>{0}));
}

TEST_F(DrvRegUsb, NoReplyCostsOneTimeOutAndReadsZero)
{
    drv_reg_usb_t &usb = open();
    module->sim().poke(0x1F, 0x1234);
    module->set_no_in_reply(true);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(usb.reg_read_fpga_reg(0x1F), 0);
    EXPECT_LT(elapsed_since(start), std::chrono::milliseconds(2500));
    uint8 data[4] = {9, 9, 9, 9};
    usb.reg_read_fpga_data(uint16(0), data, 4);
    EXPECT_EQ(std::vector<uint8>(data, data + 4), (std::vector<uint8>{0, 0, 0, 0}));
    module->set_no_in_reply(false);
    EXPECT_EQ(usb.reg_read_fpga_reg(0x1F), 0x1234);
}

TEST_F(DrvRegUsb, UnpluggedModuleFailsFastAndSetinitRecoversAfterReplug)
{
    drv_reg_usb_t &usb = open();
    usb.reg_write_fpga_reg(0x10, 1);
    module->unplug();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(usb.reg_write_fpga_reg(0x10, 2), 0);
    EXPECT_EQ(usb.reg_read_fpga_reg(0x10), 0);
    uint8 data[2] = {5, 5};
    usb.reg_read_fpga_data(uint16(0), data, 2);
    EXPECT_EQ(data[0], 0);
    EXPECT_LT(elapsed_since(start), std::chrono::milliseconds(500));

    plug();
    EXPECT_EQ(usb.reg_read_fpga_reg(0x10), 0); // the stale handle is dead
    usbtmc_setinit(0);
    usb.reg_write_fpga_reg(0x10, 3);
    EXPECT_EQ(usb.reg_read_fpga_reg(0x10), 3);
    EXPECT_EQ(module->sim().writes_to(0x10), (std::vector<uint16>{1, 3}));
    EXPECT_TRUE(module->wait_open_handles(1));
    EXPECT_EQ(module->claimed_interfaces(), (std::multiset<uint8>{0}));
}

TEST_F(DrvRegUsb, DetectionWhileTheTransportHoldsTheModule)
{
    drv_reg_usb_t &usb = open();
    EXPECT_EQ(usbtmc_device_detected(), 1);
    usb.reg_write_fpga_reg(0x33, 0x44);
    EXPECT_EQ(usb.reg_read_fpga_reg(0x33), 0x44);
}

TEST(DrvRegUsbAbsent, WritesAreTracedButNothingIsSent)
{
    usb_testbed_t bed;
    stdout_capture_t capture;
    drv_reg_spi_t *transport = drv_instance_manage_t::get_instance()->get_reg_transport();
    std::string lines = capture.finish();
    EXPECT_NE(dynamic_cast<drv_reg_usb_t *>(transport), nullptr);
    EXPECT_NE(lines.find("drv_instance_manage_t::_init_vextral_instance() \n" + init_lines()), std::string::npos);
    EXPECT_EQ(transport->reg_init_spi_driver(), -1);
    drv_fpga_set_reg_trace(1);
    EXPECT_EQ(drv_fpga_write_reg(0x24, 8), 0);
    EXPECT_EQ(drv_fpga_read_reg(0x24), 0);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "0x24,0x8\n");
    usbtmc_uninit_driver();
}
