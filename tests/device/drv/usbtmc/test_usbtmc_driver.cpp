#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class UsbtmcDriver : public testing::Test
{
protected:
    void TearDown() override { usbtmc_uninit_driver(); }

    umockdev_tmc_module_t &plug()
    {
        module = std::make_unique<umockdev_tmc_module_t>(bed, umockdev_tmc_module_t::module_config());
        module->plug();
        return *module;
    }

    usb_testbed_t bed;
    std::unique_ptr<umockdev_tmc_module_t> module;
};

} // namespace

TEST_F(UsbtmcDriver, FirstCreationPrintsItsLineOnce)
{
    stdout_capture_t capture;
    usbtmc_init_driver(0x1234, 0x15678);
    usbtmc_init_driver(1, 2);
    EXPECT_EQ(usbtmc_device_detected(), 0);
    usbtmc_setinit(0);
    EXPECT_EQ(capture.finish(), "usbtmc_init_driver: vid = 4660pid = 87672\n");
}

TEST_F(UsbtmcDriver, WithoutADeviceEveryFunctionFailsSafely)
{
    char buffer[8] = "keep";
    int32 length = 99;
    EXPECT_FALSE(usbtmc_open());
    usbtmc_close();
    EXPECT_EQ(usbtmc_write("ab", 2), -1);
    usbtmc_read(buffer, sizeof buffer, &length);
    EXPECT_EQ(length, 0);
    length = 99;
    stdout_capture_t capture;
    usbtmc_query("ab", 2, buffer, sizeof buffer, &length);
    EXPECT_EQ(capture.finish(), "usbtmc_query:cmd = ab\nusbtmc_query: back_buffer = \n");
    EXPECT_EQ(length, 0);
    EXPECT_STREQ(buffer, "keep");
}

TEST_F(UsbtmcDriver, DetectionScansWithoutOpening)
{
    EXPECT_EQ(usbtmc_device_detected(), 0);
    umockdev_tmc_module_t &module = plug();
    EXPECT_EQ(usbtmc_device_detected(), 1);
    EXPECT_TRUE(module.wait_open_handles(0));
    EXPECT_TRUE(module.control_log().empty());
}

TEST_F(UsbtmcDriver, DetectionLeavesAnOpenDeviceWorking)
{
    umockdev_tmc_module_t &module = plug();
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    ASSERT_TRUE(usbtmc_open());
    const char frame[4] = {0x12, char(0x80), 0x01, 0x00};
    EXPECT_EQ(usbtmc_write(frame, 4), 16);
    EXPECT_EQ(usbtmc_device_detected(), 1);
    EXPECT_EQ(usbtmc_write(frame, 4), 16);
    module.hide();
    EXPECT_EQ(usbtmc_device_detected(), 0);
    EXPECT_EQ(usbtmc_write(frame, 4), 16);
    EXPECT_EQ(module.sim().writes_to(0x12).size(), 3u);
}

TEST_F(UsbtmcDriver, ReadCopiesAtMostTheMaximumAndWriteOfNothingSendsNothing)
{
    umockdev_tmc_module_t &module = plug();
    module.set_data_read_length(6);
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    ASSERT_TRUE(usbtmc_open());
    const char request[4] = {0, 0, 0, 0};
    const struct
    {
        int32 max_length;
        int32 copied;
    } cases[] = {{4, 4}, {-1, 12}, {100, 12}, {0, 0}};
    for (const auto &c : cases) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        int32 length = -5;
        ASSERT_EQ(usbtmc_write(request, 4), 16);
        usbtmc_read(buffer, c.max_length, &length);
        // 4 echoed bytes, 6 erased flash bytes, 2 alignment bytes.
        EXPECT_EQ(length, c.copied) << c.max_length;
        EXPECT_EQ(buffer[length], '#') << c.max_length;
    }
    module.clear_records();
    EXPECT_EQ(usbtmc_write(request, 0), 0);
    EXPECT_TRUE(module.bulk_out_log().empty());
}

TEST_F(UsbtmcDriver, QueryPrintsTheCommandAndTheCopiedReply)
{
    umockdev_tmc_module_t &module = plug();
    module.sim().poke(0x4241, 0x4443); // "AB" reads register 0x4241; reply "ABCD"
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    ASSERT_TRUE(usbtmc_open());
    char reply[8] = {};
    int32 length = 0;
    stdout_capture_t capture;
    usbtmc_query("AB", 2, reply, 3, &length);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::string(reply, 3), "ABC");
    usbtmc_query("AB", 2, reply, sizeof reply, &length);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(capture.finish(), "usbtmc_query:cmd = AB\nusbtmc_query: back_buffer = ABC\n"
                                "usbtmc_query:cmd = AB\nusbtmc_query: back_buffer = ABCD\n");
}

TEST_F(UsbtmcDriver, SetinitClosesUntilTheNextOpenWhichClaimsAgain)
{
    umockdev_tmc_module_t &module = plug();
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    ASSERT_TRUE(usbtmc_open());
    const char frame[4] = {0x20, char(0x80), 0x05, 0x00};
    usbtmc_setinit(7);
    EXPECT_EQ(usbtmc_write(frame, 4), -1);
    ASSERT_TRUE(usbtmc_open());
    EXPECT_EQ(usbtmc_write(frame, 4), 16);
    EXPECT_TRUE(module.wait_open_handles(1));
    EXPECT_EQ(module.claimed_interfaces(), (std::multiset<uint8>{0}));
    EXPECT_EQ(module.release_log(), (std::vector<uint8>{0}));
    usbtmc_close();
    EXPECT_TRUE(module.wait_open_handles(0));
}
