// The Help menu under the "DUVARN" brand: only the About entry is offered.
#include "lib_app_paths.h"
#include "sim_visa_env.h"
#include "ui_instr_model_form.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_url_opener.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

TEST(HelpMenuBrand, DuvarnOffersOnlyAbout)
{
    ui_register_meta_types();
    g_config_dir = QDir::currentPath();
    g_config_file_path = g_config_dir + "/ondrix_config.xml";
    g_setting_file_path = g_config_dir + "/Setting.ini";
    int opened = 0;
    ui_set_url_opener([&opened](const QUrl &) {
        ++opened;
        return true;
    });
    sim_visa_env_t instruments; // the window's first scan finds the simulated (empty) set
    ui_ondrix_t window;
    window.show();
    ASSERT_EQ(factory_brand, "DUVARN");
    QStringList entries;
    for (QAction *a : window.commands.help_menu->actions())
        entries << a->text();
    EXPECT_EQ(entries, QStringList{"About Ondrix"});
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::qWait(50);
    EXPECT_EQ(opened, 0) << "the help key does nothing without its entry";
    ui_set_url_opener(nullptr);
}
