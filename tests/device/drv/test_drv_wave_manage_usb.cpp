// Applies over the real USB transport (real libusb under umockdev): a sine without a
// module traces the golden writes and sends nothing; a modulating wave reaches the
// transport, which refuses its size.
#include "data/sine_apply_golden.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "drv_reg_access.h"
#include "drv_sweep.h"
#include "drv_wave_manage.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"

#include <gtest/gtest.h>

#include <string>

TEST(DrvWaveManageUsb, SineWithoutTheModuleTracesTheGoldenWrites)
{
    usb_testbed_t bed;
    stdout_capture_t capture;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    capture.finish();

    drv_wave_para_t p{};
    p.freq = 1000.0L;
    p.ch0_freq = 1000.0L;
    p.ch1_freq = 2500.0L;
    p.ampl = 2.0L;
    p.offset = 0.5L;
    p.phase = 30.0L;
    p.load = 50.0L;
    drv_fpga_set_reg_trace(1);
    stdout_capture_t apply;
    manager->get_wave_manage()->set_sine_wave(0, 0, &p);
    // The sine table is a whole wave block, so the transport has nothing to refuse.
    EXPECT_EQ(apply.finish().find("[ERROR]"), std::string::npos);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), golden_trace());
    drv_fpga_set_reg_trace(0);
    usbtmc_uninit_driver();
}

TEST(DrvWaveManageUsb, ModulatingWaveIsRefusedByItsSizeAndNotSent)
{
    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.plug();
    stdout_capture_t capture;
    drv_instance_manage_t::get_instance();
    capture.finish();

    stdout_capture_t apply;
    EXPECT_EQ(drv_sweep_set_wave(0, 0, 0, 100.0L, 1000.0L, 1.0L), 1);
    EXPECT_EQ(apply.finish(), "[ERROR]0 = reg_write_fpga_data_block data_size error  size = 4096;\n");
    // The control bit's pulse arrived; no block did.
    EXPECT_EQ(module.sim().writes_to(36), (std::vector<uint16>{0x0000, 0x0002}));
    EXPECT_EQ(module.sim().block(254), nullptr);
    usbtmc_uninit_driver();
}
