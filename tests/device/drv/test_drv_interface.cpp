// The driver interface's object and start-up.
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>

TEST(DrvInterface, InstanceCreatesNothingElseAndInitStartsTheDrivers)
{
    sim_fpga_t sim;
    sim_os_recorder_t recorder(sim);
    sim_install_reg_transport(sim);
    stdout_capture_t capture;
    drv_interface_t *interface = drv_interface_t::get_instance();
    EXPECT_EQ(drv_interface_t::get_instance(), interface);
    EXPECT_EQ(capture.finish(), "");

    stdout_capture_t start;
    EXPECT_FALSE(interface->init());
    EXPECT_EQ(start.finish(), "drv_instance_manage_t::drv_instance_manage_t()\n"
                              "produce_id: 14100 \n"
                              "(DRV_PRODUCT_VEXTRAL)\n"
                              "_drv_product=4\n"
                              "drv_instance_manage_t::_init_vextral_instance() \n"
                              "bool drv_instance_manage_t::init()\n"
                              "void drv_instance_manage_t::_init_chip_vextral() \n"
                              "void drv_spi_init(void) \n"
                              "void drv_spi_init(void)  2\n"
                              "cali_all_data.forever_data.name =" +
                                  std::string(16, '\xff') +
                                  "\n"
                                  "cali_all_data.forever_data.name =new forever\n");
    EXPECT_TRUE(drv_instance_manage_t::get_instance()->is_init());
}
