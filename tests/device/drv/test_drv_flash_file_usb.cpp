// The flash record over the emulated module (real libusb under umockdev): the writes
// arrive as data-write frames, the reads as data-read frames answered from the
// emulated flash.
#include "drv_flash_file.h"
#include "drv_instance_manage.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DrvFlashFileUsb, CalibrationRecordRoundTripsThroughTheModulesFlash)
{
    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.set_data_read_length(128);
    module.plug();
    // The waits are recorded apart from the module's own log.
    sim_fpga_t waits;
    sim_os_recorder_t recorder(waits);
    stdout_capture_t capture;
    drv_instance_manage_t::get_instance();
    capture.finish();
    module.sim().poke(24, 0x0203);
    module.sim().clear_log();

    std::vector<uint8> record(1496);
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<uint8>(i * 11 + 7);
    EXPECT_EQ(drv_flash_write(32768, 1496, record.data()), 1);
    std::vector<uint8> stored = module.sim().flash(32768, 1536);
    EXPECT_EQ(std::vector<uint8>(stored.begin(), stored.begin() + 1496), record);
    EXPECT_EQ(std::vector<uint8>(stored.begin() + 1496, stored.end()), std::vector<uint8>(40, 0xFF));
    std::size_t pieces = 0;
    for (const sim_op_t &op : module.sim().log())
        if (op.kind == sim_op_kind_t::byte_write) {
            EXPECT_EQ(op.address, 32768 + 128 * pieces);
            EXPECT_EQ(op.bytes.size(), 128u);
            ++pieces;
        }
    EXPECT_EQ(pieces, 12u);
    EXPECT_EQ(module.sim().writes_to(24), (std::vector<uint16>{0x0103}));
    EXPECT_EQ(module.sim().writes_to(255), (std::vector<uint16>{0xFFFF}));
    EXPECT_EQ(waits.slept_ms(), 10 + 12 * 300 + 10u);

    module.sim().clear_log();
    std::vector<uint8> back(1496, 0);
    EXPECT_EQ(drv_flash_read(32768, 1496, back.data()), 1);
    EXPECT_EQ(back, record);
    std::size_t reads = 0;
    for (const sim_op_t &op : module.sim().log())
        if (op.kind == sim_op_kind_t::byte_read) {
            EXPECT_EQ(op.address, 32768 + 128 * reads);
            ++reads;
        }
    EXPECT_EQ(reads, 12u);
    usbtmc_uninit_driver();
}
