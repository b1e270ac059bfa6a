#include "drv_instance_manage.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

TEST(DrvInstanceManage, FirstAccessorBuildsItOnceAndOpensTheTransport)
{
    sim_fpga_t sim;
    int made = 0;
    drv_set_reg_transport_factory([&] {
        ++made;
        return std::make_unique<sim_reg_transport_t>(sim);
    });
    stdout_capture_t capture;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    drv_reg_spi_t *transport = manager->get_reg_transport();
    EXPECT_EQ(drv_instance_manage_t::get_instance(), manager);
    EXPECT_EQ(manager->get_reg_transport(), transport);
    EXPECT_EQ(capture.finish(), "drv_instance_manage_t::drv_instance_manage_t()\n"
                                "produce_id: 14100 \n"
                                "(DRV_PRODUCT_VEXTRAL)\n"
                                "_drv_product=4\n"
                                "drv_instance_manage_t::_init_vextral_instance() \n");
    EXPECT_EQ(made, 1);
    EXPECT_EQ(manager->get_product_id(), DRV_PRODUCT_VEXTRAL);
    ASSERT_NE(dynamic_cast<sim_reg_transport_t *>(transport), nullptr);
    EXPECT_TRUE(static_cast<sim_reg_transport_t *>(transport)->is_open());
}

TEST(DrvInstanceManage, FactoryIsReadOnlyWhenTheManagerIsBuilt)
{
    sim_fpga_t first;
    sim_fpga_t second;
    sim_install_reg_transport(first);
    drv_reg_spi_t *transport = drv_instance_manage_t::get_instance()->get_reg_transport();
    sim_install_reg_transport(second);
    EXPECT_EQ(drv_instance_manage_t::get_instance()->get_reg_transport(), transport);
    transport->reg_write_fpga_reg(1, 2);
    EXPECT_EQ(first.writes_to(1), (std::vector<uint16>{2}));
    EXPECT_TRUE(second.log().empty());
}
