// The FPGA driver with the real USB transport and no module present (real libusb
// under umockdev, an empty bus): nothing hangs, and reads give their failure values.
#include "drv_flash_file.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "stdout_capture.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

TEST(DrvFpgaUsb, WithoutTheModuleTheConverterPollGivesUpAndFlashReadsGiveZeros)
{
    usb_testbed_t bed;
    stdout_capture_t capture;
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    capture.finish();

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(fpga->read_adc(), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    // Nothing arrives: a single request leaves its buffer's 0xFF, pieces their cleared
    // bytes. (The flash path's waits are real here, 10 ms each.)
    std::vector<uint8> one(100, 0x55);
    EXPECT_EQ(drv_flash_read(32768, 100, one.data()), 1);
    EXPECT_EQ(one, std::vector<uint8>(100, 0xFF));
    std::vector<uint8> two(200, 0x55);
    EXPECT_EQ(drv_flash_read(32768, 200, two.data()), 1);
    EXPECT_EQ(two, std::vector<uint8>(200, 0));
    usbtmc_uninit_driver();
}
