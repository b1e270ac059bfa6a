#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

// Answers every message with a fixed reply.
class reply_device_t : public usbtmc_emulated_device_t
{
public:
    reply_device_t(usb_testbed_t &bed, std::vector<uint8> reply)
        : usbtmc_emulated_device_t(bed, umockdev_tmc_module_t::module_config()), _reply(std::move(reply))
    {
    }

protected:
    bool handle_message(const std::vector<uint8> &, std::vector<uint8> *reply) override
    {
        *reply = _reply;
        return true;
    }

private:
    std::vector<uint8> _reply;
};

std::vector<uint8> bytes_of(const std::string &text)
{
    return std::vector<uint8>(text.begin(), text.end());
}

class Usbtmc : public testing::Test
{
protected:
    reply_device_t &plug(const std::string &reply)
    {
        device = std::make_unique<reply_device_t>(bed, bytes_of(reply));
        device->plug();
        return *device;
    }

    usb_testbed_t bed;
    std::unique_ptr<reply_device_t> device;
};

} // namespace

TEST_F(Usbtmc, WriteSendsHeaderPayloadAndZeroPaddingInOneTransfer)
{
    reply_device_t &module = plug("");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const struct
    {
        std::vector<uint8> payload;
        int64 transferred;
    } cases[] = {
        {{1, 2, 3, 4, 5}, 20}, {{1, 2, 3, 4}, 16}, {{0x1F, 0x00}, 16}, {{7}, 16},
    };
    uint8 tag = 0;
    for (const auto &c : cases) {
        module.clear_records();
        ++tag;
        EXPECT_EQ(client.write(c.payload.data(), c.payload.size()), c.transferred);
        std::vector<uint8> expected = {1, tag, static_cast<uint8>(~tag), 0, static_cast<uint8>(c.payload.size()), 0, 0, 0,
                                       1, 0, 0, 0};
        expected.insert(expected.end(), c.payload.begin(), c.payload.end());
        expected.resize(static_cast<std::size_t>(c.transferred), 0);
        std::vector<usb_bulk_record_t> transfers = module.bulk_out_log();
        ASSERT_EQ(transfers.size(), 1u);
        EXPECT_EQ(transfers[0].endpoint, 0x02);
        EXPECT_EQ(transfers[0].data, expected);
    }
}

TEST_F(Usbtmc, EmptyOrClosedWritesSendNothing)
{
    reply_device_t &module = plug("");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    const uint8 byte = 1;
    EXPECT_EQ(client.write(&byte, 1), -1);
    ASSERT_TRUE(client.open());
    EXPECT_EQ(client.write(&byte, 0), 0);
    module.clear_records();
    client.close();
    EXPECT_EQ(client.write(&byte, 1), -1);
    EXPECT_TRUE(client.read(-1).empty());
    EXPECT_TRUE(module.bulk_out_log().empty());
}

TEST_F(Usbtmc, TagsWrapFrom255ToOne)
{
    reply_device_t &module = plug("");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 byte = 0;
    for (int i = 0; i < 257; ++i)
        ASSERT_EQ(client.write(&byte, 1), 16);
    std::vector<usbtmc_emulated_header_t> headers = module.headers();
    ASSERT_EQ(headers.size(), 257u);
    EXPECT_EQ(headers[0].header.tag, 1);
    EXPECT_EQ(headers[0].header.tag_inverse, 0xFE);
    EXPECT_EQ(headers[254].header.tag, 255);
    EXPECT_EQ(headers[255].header.tag, 1);
    EXPECT_EQ(headers[255].header.tag_inverse, 0xFE);
    EXPECT_EQ(headers[256].header.tag, 2);
}

TEST_F(Usbtmc, ReplyInSeveralTransfersIsJoinedUntilEom)
{
    reply_device_t &module = plug("HELLO, WORLD");
    module.set_reply_chunk(4);
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 command[] = {'?'};
    EXPECT_EQ(client.query(command, 1), bytes_of("HELLO, WORLD"));
    std::vector<usbtmc_emulated_header_t> headers = module.headers();
    ASSERT_EQ(headers.size(), 4u); // the command, then three requests
    EXPECT_EQ(headers[1].header.msg_id, USBTMC_REQUEST_DEV_DEP_MSG_IN);
    EXPECT_EQ(headers[1].header.transfer_size, 1048576u);
    EXPECT_EQ(headers[2].header.transfer_size, 1048576u - 4);
    EXPECT_EQ(headers[3].header.transfer_size, 1048576u - 8);
}

TEST_F(Usbtmc, ReplyPaddingStaysInTheReply)
{
    plug("ABCDE");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 command[] = {'?'};
    std::vector<uint8> expected = bytes_of("ABCDE");
    expected.resize(8, 0);
    EXPECT_EQ(client.query(command, 1), expected);
}

TEST_F(Usbtmc, ReplyWithoutEomEndsAfterOneMebibyte)
{
    reply_device_t &module = plug(std::string(65536, 'x'));
    module.set_never_eom(true);
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 command[] = {'?'};
    EXPECT_EQ(client.query(command, 1).size(), 1048576u);
}

TEST_F(Usbtmc, ReadFailingPartWayReturnsNothing)
{
    reply_device_t &module = plug("0123456789");
    module.set_reply_chunk(4);
    module.set_reply_transfers_left(1);
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 command[] = {'?'};
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(client.query(command, 1).empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));

    module.set_reply_transfers_left(-1);
    module.set_short_in_once(11); // shorter than a header
    EXPECT_TRUE(client.query(command, 1).empty());
}

TEST_F(Usbtmc, EmptyQueryStillAsksForTheReply)
{
    reply_device_t &module = plug("R");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    const uint8 command[] = {'?'};
    client.write(command, 1);
    module.clear_records();
    std::vector<uint8> expected = {'R', 0, 0, 0};
    EXPECT_EQ(client.query(nullptr, 0), expected);
    std::vector<usbtmc_emulated_header_t> headers = module.headers();
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].header.msg_id, USBTMC_REQUEST_DEV_DEP_MSG_IN);
}

TEST_F(Usbtmc, OpenTwiceSendsNothingAndCloseReleases)
{
    reply_device_t &module = plug("");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    EXPECT_EQ(module.control_log().size(), 1u); // GET_CAPABILITIES
    EXPECT_TRUE(client.open());
    EXPECT_EQ(module.control_log().size(), 1u);
    EXPECT_EQ(client.get_usb488(), 1);
    client.close();
    EXPECT_FALSE(client.is_open());
    EXPECT_TRUE(module.wait_open_handles(0));
    EXPECT_EQ(module.release_log(), (std::vector<uint8>{0}));
}

TEST_F(Usbtmc, SetClosedKeepsTheHandleUntilTheNextOpen)
{
    reply_device_t &module = plug("");
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(client.open());
    client.set_closed();
    EXPECT_FALSE(client.is_open());
    EXPECT_TRUE(module.wait_open_handles(1));
    const uint8 byte = 1;
    EXPECT_EQ(client.write(&byte, 1), -1);
    ASSERT_TRUE(client.open());
    EXPECT_TRUE(module.wait_open_handles(1));
    EXPECT_EQ(module.claimed_interfaces(), (std::multiset<uint8>{0}));
    EXPECT_EQ(module.control_log().size(), 2u);
    EXPECT_EQ(client.write(&byte, 1), 16);
}

TEST_F(Usbtmc, OpenWithoutTheDeviceFailsAndCapabilityFailureDoesNot)
{
    usbtmc_t absent(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    EXPECT_FALSE(absent.open());
    EXPECT_FALSE(absent.is_open());

    reply_device_t &module = plug("");
    module.set_capabilities_fail(true);
    usbtmc_t client(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    stdout_capture_t capture;
    EXPECT_TRUE(client.open());
    EXPECT_EQ(capture.finish(), "Get Capabilities failed.\n");
    EXPECT_FALSE(client.is_talk_only());
    EXPECT_FALSE(client.is_listen_only());
}
