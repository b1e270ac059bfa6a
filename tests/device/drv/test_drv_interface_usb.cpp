// The driver interface's start-up over the emulated module (real libusb under
// umockdev): the calibration record travels in data-read and data-write frames.
#include "cali.h"
#include "cali_record.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "lib_number.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::size_t count_ops(const sim_fpga_t &sim, sim_op_kind_t kind)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == kind;
    return n;
}

const std::string k_erased_name = "cali_all_data.forever_data.name =" + std::string(16, '\xff') + "\n";
const std::string k_name = "cali_all_data.forever_data.name =new forever\n";

} // namespace

TEST(DrvInterfaceUsb, InitOnAnErasedFlashWritesTheRecordAndTheNextInitLoadsIt)
{
    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.set_data_read_length(128);
    module.plug();
    sim_fpga_t waits;
    sim_os_recorder_t recorder(waits);

    stdout_capture_t capture;
    EXPECT_FALSE(drv_interface_t::get_instance()->init());
    const std::string text = capture.finish();
    EXPECT_NE(text.find(k_erased_name + k_name), std::string::npos) << text;

    const std::vector<uint8> record = module.sim().flash(32768, CALI_RECORD_SIZE);
    EXPECT_TRUE(lib_checksum_verify(record.data() + 4, CALI_RECORD_SIZE - 4, cali_u32_read(record.data())));
    EXPECT_EQ(cali_u32_read(record.data() + 4), CALI_RECORD_SIZE);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(record.data() + 8)), "new forever");
    // Load and the save's read-back: 2 x 12 read frames; the save: 12 write frames.
    EXPECT_EQ(count_ops(module.sim(), sim_op_kind_t::byte_read), 24u);
    EXPECT_EQ(count_ops(module.sim(), sim_op_kind_t::byte_write), 12u);
    // The wave DAC trim of channel 0 from the record.
    EXPECT_EQ(module.sim().last_write(44), 100);

    // A record saved with another value: the next start-up loads it (its defaults
    // would say 120) and writes nothing.
    cali_get_instance()->set_adder_delta(0, 999.0L);
    stdout_capture_t saving;
    ASSERT_TRUE(cali_get_instance()->save());
    saving.finish();
    const std::vector<uint8> saved = module.sim().flash(32768, CALI_RECORD_SIZE);
    module.sim().clear_log();
    stdout_capture_t again;
    EXPECT_FALSE(drv_interface_t::get_instance()->init());
    const std::string second = again.finish();
    EXPECT_NE(second.find(k_name), std::string::npos) << second;
    EXPECT_EQ(second.find(k_erased_name), std::string::npos);
    EXPECT_EQ(count_ops(module.sim(), sim_op_kind_t::byte_read), 12u);
    EXPECT_EQ(count_ops(module.sim(), sim_op_kind_t::byte_write), 0u);
    EXPECT_EQ(cali_get_instance()->get_adder_delta(0), 999.0L);
    EXPECT_EQ(module.sim().flash(32768, CALI_RECORD_SIZE), saved);
    usbtmc_uninit_driver();
}

TEST(DrvInterfaceUsb, InitWithoutTheModuleKeepsTheDefaultsAndReturns)
{
    usb_testbed_t bed;
    sim_fpga_t waits;
    sim_os_recorder_t recorder(waits);
    cali_get_instance()->set_adder_delta(0, 999.0L);

    stdout_capture_t capture;
    EXPECT_FALSE(drv_interface_t::get_instance()->init());
    const std::string text = capture.finish();
    // The reads deliver zeros: an empty name, the record rejected, the defaults saved
    // into a transport that drops them.
    EXPECT_NE(text.find("cali_all_data.forever_data.name =\n" + k_name), std::string::npos) << text;
    EXPECT_EQ(cali_get_instance()->get_adder_delta(0), 120.0L);
    EXPECT_EQ(cali_get_instance()->get_ctl_delta(), 22);
    usbtmc_uninit_driver();
}
