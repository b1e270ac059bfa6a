// Test main of the widget tests that talk to emulated USB devices: enters
// umockdev-wrapper first, then runs the tests offscreen in a temporary working directory.
#include "test_dir.h"
#include "usb_testbed.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    std::string error = usb_testbed_enter_wrapper(argc, argv);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
