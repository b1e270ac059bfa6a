#include "test_dir.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
