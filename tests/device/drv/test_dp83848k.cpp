// The second platform's Ethernet PHY check against id files on disk.
#include "dp83848k.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(Dp83848k, IdFileMustHoldExactlyTheIdOnItsFirstLine)
{
    struct
    {
        std::string content;
        int32 result;
    } cases[] = {
        {"0x20005c90\n", 1},
        {"0x20005c90", 1},
        {"0x20005c90\nsomething else\n", 1},
        {"0x20005c90x\n", 0},
        {"0x20005c9\n", 0},
        {" 0x20005c90\n", 0},
        {"", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.content);
        std::ofstream("phy_id", std::ios::binary | std::ios::trunc) << c.content;
        EXPECT_EQ(dp83848k_t::check_phy_id_file("phy_id"), c.result);
    }
    EXPECT_EQ(dp83848k_t::check_phy_id_file("no_such_phy_id"), 0);
    EXPECT_EQ(dp83848k_t::get_instance(), dp83848k_t::get_instance());
}
