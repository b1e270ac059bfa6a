#include "test_dir.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    std::unique_ptr<QApplication> app;
    {
#ifdef __SANITIZE_ADDRESS__
        // The offscreen platform keeps its screen and cursor for the process's lifetime.
        __lsan::ScopedDisabler platform_allocations;
#endif
        app.reset(new QApplication(argc, argv));
    }
    return RUN_ALL_TESTS();
}
