// Linked into the API test executables: before every test the API, configuration and
// driver layers are dropped and the default register transport is restored, so that a
// test run in a shared process starts as in a fresh one.
#include "awg_state.h"
#include "cfg_main.h"
#include "drv_instance_manage.h"

#include <gtest/gtest.h>

namespace
{
class fresh_api_layer_t : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        // Top down: each layer points into the one below.
        awg_reset_api_layer();
        cfg_reset_config_layer();
        drv_set_reg_transport_factory({});
        drv_reset_driver_layer();
    }
};

const bool registered = (testing::UnitTest::GetInstance()->listeners().Append(new fresh_api_layer_t), true);
} // namespace
