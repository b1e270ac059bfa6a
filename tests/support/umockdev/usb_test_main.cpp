// Test main of the executables that talk to emulated USB devices: enters
// umockdev-wrapper first, then runs the tests in a temporary working directory.
#include "test_dir.h"
#include "usb_testbed.h"

#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    std::string error = usb_testbed_enter_wrapper(argc, argv);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    return RUN_ALL_TESTS();
}
