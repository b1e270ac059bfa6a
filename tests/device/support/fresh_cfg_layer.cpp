// Linked into the configuration-layer test executables: before every test the
// configuration and driver layers are dropped and the default register transport is
// restored, so that a test run in a shared process starts as in a fresh one.
#include "cfg_main.h"
#include "drv_instance_manage.h"

#include <gtest/gtest.h>

namespace
{
class fresh_cfg_layer_t : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        // Top down: the configuration objects point into the drivers.
        cfg_reset_config_layer();
        drv_set_reg_transport_factory({});
        drv_reset_driver_layer();
    }
};

const bool registered = (testing::UnitTest::GetInstance()->listeners().Append(new fresh_cfg_layer_t), true);
} // namespace
