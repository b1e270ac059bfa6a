#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_device.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <chrono>
#include <memory>

namespace {

class UsbtmcDevice : public testing::Test
{
protected:
    umockdev_tmc_module_t &plug(const usbtmc_emulated_config_t &config = umockdev_tmc_module_t::module_config())
    {
        auto module = std::make_unique<umockdev_tmc_module_t>(bed, config);
        umockdev_tmc_module_t &plugged = *module;
        modules.push_back(std::move(module));
        plugged.plug();
        return plugged;
    }

    usb_testbed_t bed;
    std::vector<std::unique_ptr<usb_emulated_device_t>> modules;
};

// A device with the module's ids whose only interface is vendor-specific.
usb_device_config_t plain_device(int address)
{
    usb_device_config_t config;
    config.vendor_id = USBTMC_MODULE_VID;
    config.product_id = USBTMC_MODULE_PID;
    config.address = address;
    usb_interface_config_t vendor;
    vendor.endpoints = {{0x01, 2, 512}, {0x82, 2, 512}};
    config.interfaces = {vendor};
    return config;
}

} // namespace

TEST_F(UsbtmcDevice, FindsNothingWithoutTheModule)
{
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    EXPECT_FALSE(device.find_device());
    EXPECT_EQ(device.get_interface_number(), -1);
    EXPECT_EQ(device.get_bulk_in_endpoint(), -1);
    EXPECT_EQ(device.get_bulk_out_endpoint(), -1);
    EXPECT_EQ(device.get_interrupt_endpoint(), -1);
    EXPECT_FALSE(device.open_device());
    EXPECT_FALSE(device.has_handle());
}

TEST_F(UsbtmcDevice, FindsTheModuleAndRecordsItsEndpointsWithoutOpeningIt)
{
    umockdev_tmc_module_t &module = plug();
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    EXPECT_TRUE(device.find_device());
    EXPECT_EQ(device.get_interface_number(), 0);
    EXPECT_EQ(device.get_bulk_in_endpoint(), 1);
    EXPECT_EQ(device.get_bulk_out_endpoint(), 2);
    EXPECT_EQ(device.get_interrupt_endpoint(), 3);
    EXPECT_EQ(device.get_usb488(), 1);
    EXPECT_FALSE(device.has_handle());
    EXPECT_TRUE(module.wait_open_handles(0));
    EXPECT_TRUE(module.control_log().empty());
}

TEST_F(UsbtmcDevice, SkipsADeviceWithoutUsbtmcInterfaceAndGoesOn)
{
    modules.push_back(std::make_unique<usb_emulated_device_t>(bed, plain_device(2)));
    modules.back()->plug();
    usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
    config.address = 3;
    config.bulk_out_endpoint = 0x05;
    config.bulk_in_endpoint = 0x86;
    config.interrupt_endpoint = 0;
    plug(config);
    for (uint16 id : {uint16(0), USBTMC_MODULE_VID}) {
        usbtmc_device_t device(id, id ? USBTMC_MODULE_PID : 0, "");
        EXPECT_TRUE(device.find_device()) << id;
        EXPECT_EQ(device.get_bulk_out_endpoint(), 5) << id;
        EXPECT_EQ(device.get_bulk_in_endpoint(), 6) << id;
        EXPECT_EQ(device.get_interrupt_endpoint(), -1) << id;
    }
}

TEST_F(UsbtmcDevice, UsbtmcOnlyInASecondAlternateSettingIsNotFound)
{
    usb_device_config_t config = plain_device(2);
    usb_interface_config_t alternate;
    alternate.alternate = 1;
    alternate.interface_class = USBTMC_INTERFACE_CLASS;
    alternate.interface_subclass = USBTMC_INTERFACE_SUBCLASS;
    alternate.endpoints = {{0x01, 2, 512}, {0x82, 2, 512}};
    config.interfaces.push_back(alternate);
    modules.push_back(std::make_unique<usb_emulated_device_t>(bed, config));
    modules.back()->plug();
    usbtmc_device_t device(0, 0, "");
    EXPECT_FALSE(device.find_device());
}

TEST_F(UsbtmcDevice, InterfaceInThirdPlaceIsClaimedAndReleasedAsTwo)
{
    usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
    config.interfaces_before = 2;
    umockdev_tmc_module_t &module = plug(config);
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(device.open_device());
    EXPECT_EQ(device.get_interface_number(), 2);
    EXPECT_EQ(module.claim_log(), (std::vector<uint8>{2}));
    // Interface 0 is always checked, then the USB-TMC interface itself.
    EXPECT_EQ(module.kernel_driver_queries(), (std::vector<uint8>{0, 2}));
    device.close_device();
    EXPECT_EQ(module.release_log(), (std::vector<uint8>{2}));
    EXPECT_FALSE(device.has_handle());
    EXPECT_TRUE(module.wait_open_handles(0));
}

TEST_F(UsbtmcDevice, KernelDriverOnTheUsbtmcInterfaceIsDetachedBeforeTheClaim)
{
    usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
    config.interfaces_before = 2;
    umockdev_tmc_module_t &module = plug(config);
    module.set_kernel_driver(2, "usbtmc", true);
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    EXPECT_TRUE(device.open_device());
    EXPECT_EQ(module.detach_log(), (std::vector<uint8>{2}));
    EXPECT_EQ(module.claimed_interfaces(), (std::multiset<uint8>{2}));
    device.close_device();
}

TEST_F(UsbtmcDevice, RefusedClaimKeepsNoHandle)
{
    const struct
    {
        bool busy;
        bool stuck_driver;
    } cases[] = {{true, false}, {false, true}};
    for (const auto &c : cases) {
        umockdev_tmc_module_t &module = plug();
        module.set_claim_busy(c.busy);
        if (c.stuck_driver)
            module.set_kernel_driver(0, "usbtmc", false);
        usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
        stdout_capture_t capture;
        EXPECT_FALSE(device.open_device());
        EXPECT_EQ(capture.finish(), "Can not claim the interface.\n");
        EXPECT_FALSE(device.has_handle());
        EXPECT_TRUE(module.wait_open_handles(0));
        EXPECT_TRUE(module.claimed_interfaces().empty());
        modules.clear();
    }
}

TEST_F(UsbtmcDevice, OpeningAgainReleasesTheHeldHandleFirst)
{
    umockdev_tmc_module_t &module = plug();
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(device.open_device());
    ASSERT_TRUE(device.open_device());
    EXPECT_EQ(module.claim_log(), (std::vector<uint8>{0, 0}));
    EXPECT_EQ(module.release_log(), (std::vector<uint8>{0}));
    EXPECT_TRUE(module.wait_open_handles(1));
    EXPECT_EQ(module.claimed_interfaces(), (std::multiset<uint8>{0}));
    // A scan while open records the same numbers and keeps the handle.
    EXPECT_TRUE(device.find_device());
    EXPECT_TRUE(device.has_handle());
    EXPECT_EQ(device.get_bulk_out_endpoint(), 2);
    device.close_device();
}

TEST_F(UsbtmcDevice, ScanThatMissesLeavesTheOpenDevicesEndpoints)
{
    umockdev_tmc_module_t &module = plug();
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(device.open_device());
    module.hide();
    EXPECT_FALSE(device.find_device());
    EXPECT_EQ(device.get_interface_number(), 0);
    EXPECT_EQ(device.get_bulk_out_endpoint(), 2);
    EXPECT_EQ(device.get_bulk_in_endpoint(), 1);
    std::vector<uint8> message;
    const uint8 frame[4] = {0x12, 0x80, 0xCD, 0xAB};
    device.build_msg_out(frame, sizeof frame, USBTMC_ATTR_EOM, &message);
    EXPECT_EQ(device.bulk_write(message.data(), static_cast<int64>(message.size())), 16);
    EXPECT_EQ(module.sim().last_write(0x12), 0xABCD);
    device.close_device();
}

TEST_F(UsbtmcDevice, SerialNumberMustMatchExactly)
{
    usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
    config.serial = "SN-0042";
    umockdev_tmc_module_t &module = plug(config);
    const struct
    {
        const char *serial;
        bool found;
    } cases[] = {{"SN-0042", true}, {"SN-0043", false}, {"SN-004", false}, {"", true}};
    for (const auto &c : cases) {
        usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, c.serial);
        EXPECT_EQ(device.find_device(), c.found) << c.serial;
    }
    EXPECT_TRUE(module.wait_open_handles(0)); // the probes closed again
    module.set_string_descriptor_raw(3, {40, 3, 'S', 0, 'N', 0});
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "SN");
    EXPECT_FALSE(device.find_device());
}

TEST_F(UsbtmcDevice, StringDescriptorIsReadAsLowBytesOfWhatCame)
{
    usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
    config.serial = "AB12";
    umockdev_tmc_module_t &module = plug(config);
    libusb_context *context = nullptr;
    ASSERT_EQ(libusb_init(&context), 0);
    libusb_device_handle *handle = libusb_open_device_with_vid_pid(context, USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    ASSERT_NE(handle, nullptr);
    usbtmc_device_t device(0, 0, "");
    EXPECT_EQ(device.get_string_descriptor(handle, 3), "AB12");
    const struct
    {
        std::vector<uint8> raw;
        const char *text;
    } cases[] = {
        {{7, 3, 'A', 0, 'B', 0, 'C'}, "AB"},       // odd count: whole code units only
        {{4, 3, 'X', 0x01, 'Y', 0}, "XY"},         // bLength below the count is fine; high bytes dropped
        {{40, 3, 'A', 0, 'B', 0}, ""},             // bLength beyond what came
        {{6, 2, 'A', 0, 'B', 0}, ""},              // not a string descriptor
        {{2, 3}, ""},                              // too short, and so is the ASCII retry
    };
    for (const auto &c : cases) {
        module.set_string_descriptor_raw(3, c.raw);
        EXPECT_EQ(device.get_string_descriptor(handle, 3), c.text) << c.raw.size();
    }
    module.set_string_requests_fail(true);
    EXPECT_EQ(device.get_string_descriptor(handle, 3), "");
    libusb_close(handle);
    libusb_exit(context);
}

TEST_F(UsbtmcDevice, CapabilitiesAreDecodedFromTheUsbtmcInterface)
{
    const struct
    {
        uint8 protocol;
        bool usb488_bits;
    } cases[] = {{1, true}, {0, false}};
    for (const auto &c : cases) {
        usbtmc_emulated_config_t config = umockdev_tmc_module_t::module_config();
        config.interfaces_before = 2;
        config.protocol = c.protocol;
        umockdev_tmc_module_t &module = plug(config);
        std::vector<uint8> block(24, 0);
        block[4] = 0x06; // INDICATOR_PULSE, talk-only
        block[5] = 0x01;
        block[14] = 0x05;
        block[15] = 0x0A;
        module.set_capabilities(block);
        usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
        ASSERT_TRUE(device.open_device());
        device.get_capabilities();
        const usbtmc_capabilities_t &caps = device.get_capability_flags();
        EXPECT_TRUE(caps.indicator_pulse);
        EXPECT_TRUE(caps.talk_only);
        EXPECT_FALSE(caps.listen_only);
        EXPECT_TRUE(caps.term_char);
        EXPECT_EQ(caps.usb488_2, c.usb488_bits);
        EXPECT_FALSE(caps.remote_local);
        EXPECT_EQ(caps.trigger, c.usb488_bits);
        EXPECT_EQ(caps.scpi, c.usb488_bits);
        EXPECT_FALSE(caps.sr1);
        EXPECT_EQ(caps.rl1, c.usb488_bits);
        EXPECT_FALSE(caps.dt1);
        std::vector<usb_setup_t> setups = module.control_log();
        ASSERT_FALSE(setups.empty());
        EXPECT_EQ(setups.back().request_type, 0xA1);
        EXPECT_EQ(setups.back().request, 7);
        EXPECT_EQ(setups.back().index, 2);
        EXPECT_EQ(setups.back().length, 24);
        device.close_device();
        modules.clear();
    }
}

TEST_F(UsbtmcDevice, FailedCapabilitiesLeaveTheFlags)
{
    umockdev_tmc_module_t &module = plug();
    module.set_capabilities_fail(true);
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(device.open_device());
    stdout_capture_t capture;
    device.get_capabilities();
    EXPECT_EQ(capture.finish(), "Get Capabilities failed.\n");
    EXPECT_FALSE(device.get_capability_flags().scpi);
    device.close_device();
}

TEST_F(UsbtmcDevice, BulkReadThatTimesOutFailsAfterOneTimeOut)
{
    umockdev_tmc_module_t &module = plug();
    module.set_no_in_reply(true);
    usbtmc_device_t device(USBTMC_MODULE_VID, USBTMC_MODULE_PID, "");
    ASSERT_TRUE(device.open_device());
    uint8 buffer[64];
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.bulk_read(buffer, sizeof buffer), -1);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(900));
    EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
    device.close_device();
}
