// The driver delays truncate to whole milliseconds and end in the OS layer's sleep.
#include "drv_delay.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<uint32> sleeps(const sim_fpga_t &sim)
{
    std::vector<uint32> ms;
    for (const sim_op_t &op : sim.log())
        if (op.kind == sim_op_kind_t::sleep)
            ms.push_back(op.value);
    return ms;
}

} // namespace

TEST(DrvDelay, WaitsAreTruncatedToWholeMilliseconds)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    struct
    {
        std::string call;
        std::function<void()> wait;
        std::vector<uint32> ms;
    } cases[] = {
        {"msleep 2.9", [] { drv_msleep(2.9L); }, {2}},
        {"msleep 0.9", [] { drv_msleep(0.9L); }, {0}},
        {"msleep 500", [] { drv_msleep(500); }, {500}},
        {"msleep -1", [] { drv_msleep(-1); }, {0}},
        {"msleep NaN", [&] { drv_msleep(nan); }, {0}},
        {"msleep inf", [&] { drv_msleep(inf); }, {0}},
        {"msleep 5e9", [] { drv_msleep(5e9L); }, {0}},
        {"usleep 999", [] { drv_usleep(999); }, {0}},
        {"usleep 1000", [] { drv_usleep(1000); }, {1}},
        {"usleep 1500", [] { drv_usleep(1500); }, {1}},
        {"usleep max", [] { drv_usleep(4294967295u); }, {4294967}},
        {"sleep 0", [] { drv_sleep(0); }, {0}},
        {"sleep 2", [] { drv_sleep(2); }, {2000}},
        {"sleep 4294967", [] { drv_sleep(4294967); }, {4294967000u}},
        {"sleep 4294968", [] { drv_sleep(4294968); }, {4294967295u}},
        {"mdelay 0", [] { drv_mdelay(0); }, {}},
        {"mdelay 3", [] { drv_mdelay(3); }, {1, 1, 1}},
    };
    for (const auto &c : cases) {
        sim_fpga_t sim;
        sim_os_recorder_t recorder(sim);
        c.wait();
        EXPECT_EQ(sleeps(sim), c.ms) << c.call;
    }
}
