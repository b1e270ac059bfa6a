// The module's detection through the device library's real export, with the module
// emulated on a private USB bus (umockdev) and the instruments simulated in process.
#include "instrument_env.h"
#include "lib_app_paths.h"
#include "ui_device_detect.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_window_counter.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QStringList entries(const ui_ondrix_t &window)
{
    QStringList texts;
    for (QAction *a : window.commands.panel_menu->actions())
        texts << a->text();
    return texts;
}

} // namespace

TEST(DeviceDetect, ExportAnswersWhetherTheModuleIsPlugged)
{
    usb_testbed_t bed;
    EXPECT_EQ(ui_device_detected(), 0);
    umockdev_tmc_module_t module(bed);
    module.plug();
    EXPECT_EQ(ui_device_detected(), 1);
    // Detection only looks: the module is never opened.
    EXPECT_TRUE(module.wait_open_handles(0));
    module.unplug();
    EXPECT_EQ(ui_device_detected(), 0);
}

TEST(DeviceDetect, ReplacementAnswersUntilRemoved)
{
    usb_testbed_t bed;
    int calls = 0;
    const ui_device_detect_t previous = ui_set_device_detect([&calls] {
        ++calls;
        return 1;
    });
    EXPECT_FALSE(previous);
    EXPECT_EQ(ui_device_detected(), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(ui_set_device_detect(nullptr));
    EXPECT_EQ(ui_device_detected(), 0);
    EXPECT_EQ(calls, 1);
}

// The main window's menu with nothing replaced: the module's entry follows the bus.
TEST(DeviceDetect, MenuListsTheModuleWhenPlugged)
{
    usb_testbed_t bed;
    instrument_env_t instruments;
    ui_register_meta_types();
    g_config_dir = QDir::currentPath();
    g_window_counter = 1;
    ui_ondrix_t window;
    window.update_panel_menu();
    EXPECT_EQ(entries(window), QStringList{"No Device"});

    umockdev_tmc_module_t module(bed);
    module.plug();
    window.update_panel_menu();
    EXPECT_EQ(entries(window), QStringList{"MZK1021"});
    const QString gen = QString::fromStdString(instruments.add_usb(sim_generator_profile(2)));
    window.update_panel_menu();
    EXPECT_EQ(entries(window), (QStringList{gen, "MZK1021"}));

    module.unplug();
    window.update_panel_menu();
    EXPECT_EQ(entries(window), QStringList{gen});
    EXPECT_TRUE(module.wait_open_handles(0));
}
