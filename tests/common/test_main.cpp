#include "test_dir.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    return RUN_ALL_TESTS();
}
