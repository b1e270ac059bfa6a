// The instance manager over the emulated module (real libusb under umockdev).
#include "drv_bus.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_reg_access.h"
#include "drv_reg_usb.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>

#include <string>

TEST(DrvInstanceManageUsb, BuildingOpensTheModuleOnceAndSpiInitChangesNothing)
{
    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.plug();

    stdout_capture_t capture;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    EXPECT_EQ(capture.finish(), "drv_instance_manage_t::drv_instance_manage_t()\n"
                                "produce_id: 14100 \n"
                                "(DRV_PRODUCT_VEXTRAL)\n"
                                "_drv_product=4\n"
                                "drv_instance_manage_t::_init_vextral_instance() \n"
                                "int drv_reg_usb_t::reg_init_spi_driver(void) \n"
                                "usbtmc_init_driver: vid = " +
                                    std::to_string(USBTMC_MODULE_VID) + "pid = " + std::to_string(USBTMC_MODULE_PID) +
                                    "\n");
    ASSERT_NE(dynamic_cast<drv_reg_usb_t *>(manager->get_reg_transport()), nullptr);
    EXPECT_EQ(module.claim_log().size(), 1u);
    EXPECT_EQ(module.open_handles(), 1);

    const std::size_t setups = module.control_log().size();
    stdout_capture_t again;
    drv_spi_init();
    EXPECT_EQ(again.finish(), "void drv_spi_init(void) \n"
                              "void drv_spi_init(void)  2\n"
                              "int drv_reg_usb_t::reg_init_spi_driver(void) \n");
    EXPECT_EQ(module.claim_log().size(), 1u);
    EXPECT_EQ(module.open_handles(), 1);
    EXPECT_EQ(module.control_log().size(), setups);

    // The FPGA driver reaches the module through it.
    manager->get_fpga()->set_freq_word(0, 2251799813u);
    EXPECT_EQ(module.sim().writes_to(16), (std::vector<uint16>{48389}));
    EXPECT_EQ(module.sim().writes_to(18), (std::vector<uint16>{34359}));
    EXPECT_EQ(module.sim().writes_to(20), (std::vector<uint16>{0}));
    usbtmc_uninit_driver();
}

TEST(DrvInstanceManageUsb, WithoutTheModuleFpgaWritesAreTracedAndReadsAnswerZero)
{
    usb_testbed_t bed;
    stdout_capture_t capture;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    EXPECT_FALSE(manager->init());
    capture.finish();
    drv_fpga_set_reg_trace(1);
    drv_fpga_t *fpga = manager->get_fpga();
    fpga->update();
    EXPECT_EQ(fpga->set_freq_word(1, 0x123456789ABCull), 1);
    EXPECT_EQ(fpga->get_freq_word(1), 0u);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "0xa,0x8000\n0xa,0x9000\n0xa,0x8000\n0xa,0x0\n"
                                         "0x30,0x9abc\n0x32,0x5678\n0x34,0x1234\n");
    usbtmc_uninit_driver();
}
