// The main window's Control Panel menu, rebuilt on device changes from the USB search and
// the module's detection, and the control-panel dialog its entries open.
#include "detect_script.h"
#include "instrument_env.h"
#include "lib_app_paths.h"
#include "ui_app_paths.h"
#include "ui_control_panel.h"
#include "ui_device_button.h"
#include "ui_language_resources.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_panel_form.h"
#include "ui_window_counter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct log_capture_t
{
    static QStringList &lines()
    {
        static QStringList list;
        return list;
    }
    QtMessageHandler previous;
    log_capture_t()
    {
        lines().clear();
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { lines() << m; });
    }
    ~log_capture_t() { qInstallMessageHandler(previous); }
};

class PanelMenu : public testing::Test
{
protected:
    void SetUp() override
    {
        ui_register_meta_types();
        g_config_dir = QDir::currentPath();
        g_setting_file_path = g_config_dir + "/Setting.ini";
        g_window_counter = 1;
        window = std::make_unique<ui_ondrix_t>();
        window->show();
        menu = window->commands.panel_menu;
    }

    QStringList entries() const
    {
        QStringList texts;
        for (QAction *a : menu->actions())
            texts << a->text();
        return texts;
    }
    QAction *entry(const QString &text) const
    {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }

    // Every search reaches simulated instruments only; the detection is scripted.
    instrument_env_t instruments;
    detect_script_t detect;
    std::unique_ptr<ui_ondrix_t> window;
    QMenu *menu = nullptr;
};

} // namespace

TEST_F(PanelMenu, DialogIsBuiltHiddenWithTheWindow)
{
    ui_panel_form_t *form = window->panel_form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->parentWidget(), window.get());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->current_page()->objectName(), "page");
    // Nothing has changed yet: the menu is empty and nobody asked for the module.
    EXPECT_TRUE(menu->actions().isEmpty());
    EXPECT_EQ(detect.calls, 0);
}

// The entries: the USB resource names in search order, then the module when it is
// present; "No Device" alone when neither is there. One detection per rebuild, and the
// menu stays disabled.
TEST_F(PanelMenu, EntriesFollowTheDevicesFound)
{
    const QString a = QString::fromStdString(instruments.add_usb(sim_generator_profile(2), "A1"));
    const QString b = QString::fromStdString(instruments.add_usb(sim_scope_profile(2), "B2"));
    instruments.add_tcpip(sim_generator_profile(2), "10.0.0.7");
    struct case_t
    {
        int usb; // how many of a and b are plugged
        int answer;
        QStringList expected;
    };
    const case_t cases[] = {
        {0, 0, {"No Device"}},
        {0, 1, {"MZK1021"}},
        {1, 0, {a}},
        {2, 0, {a, b}},
        {2, 1, {a, b, "MZK1021"}},
        {1, 1, {a, "MZK1021"}},
        {0, 2, {"No Device"}},  // only 1 means present
        {2, -1, {a, b}},
        {0, 0, {"No Device"}},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.expected.join(",").toStdString());
        for (int i = 0; i < 2; ++i) {
            const std::string name = (i == 0 ? a : b).toStdString();
            if (i < c.usb)
                instruments.plug(name);
            else
                instruments.unplug(name);
        }
        detect.answer = c.answer;
        const int calls = detect.calls;
        window->update_panel_menu();
        EXPECT_EQ(entries(), c.expected);
        EXPECT_EQ(detect.calls, calls + 1);
        EXPECT_FALSE(menu->isEnabled());
        EXPECT_FALSE(menu->menuAction()->isEnabled());
    }
}

// A device message refreshes the tree and then rebuilds the menu from the same search
// result the tree saw.
TEST_F(PanelMenu, DeviceMessageRebuildsTheMenu)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    detect.answer = 1;
    ASSERT_TRUE(window->handle_device_message(0x0219, 0x8000));
    EXPECT_EQ(entries(), (QStringList{QString::fromStdString(gen), "MZK1021"}));
    EXPECT_EQ(detect.calls, 1);
    instruments.unplug(gen);
    detect.answer = 0;
    ASSERT_TRUE(window->handle_device_message(0x0219, 0x8004));
    EXPECT_EQ(entries(), QStringList{"No Device"});
    EXPECT_EQ(detect.calls, 2);
}

// A rebuild only searches and asks for the module: no instrument is opened or
// identified and nothing waits.
TEST_F(PanelMenu, RebuildNeitherOpensNorPauses)
{
    instruments.add_usb(sim_generator_profile(2));
    instruments.add_usb(sim_scope_profile(4));
    instruments.journal().clear();
    const int searches = instruments.searches();
    for (int i = 0; i < 3; ++i)
        window->update_panel_menu();
    EXPECT_EQ(instruments.searches(), searches + 3);
    EXPECT_TRUE(instruments.journal().entries().empty());
    EXPECT_EQ(entries().size(), 2);
}

// While the menu is open on screen a rebuild changes nothing, not even a search; the
// next one after it closed does.
TEST_F(PanelMenu, RebuildWhileTheMenuIsOpenChangesNothing)
{
    const QString a = QString::fromStdString(instruments.add_usb(sim_generator_profile(2)));
    window->update_panel_menu();
    QPointer<QAction> before = entry(a);
    ASSERT_FALSE(before.isNull());
    instruments.add_usb(sim_generator_profile(2));
    detect.answer = 1;
    menu->popup(window->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(menu->isVisible());
    const int searches = instruments.searches();
    const int calls = detect.calls;
    window->update_panel_menu();
    EXPECT_EQ(entries(), QStringList{a});
    EXPECT_EQ(menu->actions().value(0), before.data());
    EXPECT_EQ(instruments.searches(), searches);
    EXPECT_EQ(detect.calls, calls);
    menu->hide();
    window->update_panel_menu();
    EXPECT_EQ(entries().size(), 3);
    EXPECT_TRUE(before.isNull());
}

// Entries of an earlier rebuild are deleted, in bursts too: only the current ones exist.
TEST_F(PanelMenu, EarlierEntriesAreDeleted)
{
    instruments.add_usb(sim_generator_profile(2));
    instruments.add_usb(sim_generator_profile(2));
    detect.answer = 1;
    window->update_panel_menu();
    QList<QPointer<QAction>> first;
    for (QAction *a : menu->actions())
        first << a;
    ASSERT_EQ(first.size(), 3);
    const int window_actions = window->findChildren<QAction *>().size();
    for (int i = 0; i < 25; ++i) {
        detect.answer = i % 2;
        window->update_panel_menu();
    }
    for (const QPointer<QAction> &a : first)
        EXPECT_TRUE(a.isNull());
    EXPECT_EQ(menu->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly).size() - 1,
              menu->actions().size()); // the menu's own title action is its child too
    EXPECT_EQ(window->findChildren<QAction *>().size(), window_actions);
}

// A device change that finds the same devices in the same order keeps the entries as
// they are; any difference replaces them all.
TEST_F(PanelMenu, SameDevicesKeepTheirEntries)
{
    const std::string a = instruments.add_usb(sim_generator_profile(2), "A1");
    const std::string b = instruments.add_usb(sim_generator_profile(2), "B2");
    detect.answer = 1;
    window->update_panel_menu();
    const QList<QAction *> before = menu->actions();
    window->update_panel_menu();
    EXPECT_EQ(menu->actions(), before);
    EXPECT_EQ(detect.calls, 2);
    menu->actions().value(2)->trigger();
    EXPECT_TRUE(window->panel_form()->isVisible());

    QList<QPointer<QAction>> kept;
    for (QAction *x : before)
        kept << x;
    detect.answer = 0;
    window->update_panel_menu();
    EXPECT_EQ(entries(), (QStringList{QString::fromStdString(a), QString::fromStdString(b)}));
    for (const QPointer<QAction> &x : kept)
        EXPECT_TRUE(x.isNull());
}

// Resource names are taken as UTF-8, also when the unchanged list is recognised.
TEST_F(PanelMenu, NamesAreTakenAsUtf8)
{
    const std::string name = instruments.add_usb(sim_generator_profile(2), "\xc3\x84\xce\xa9-7");
    window->update_panel_menu();
    EXPECT_EQ(entries(), QStringList{QString::fromUtf8(name.c_str())});
    EXPECT_TRUE(entries().value(0).contains(QString::fromUtf8("\u00c4\u03a9-7")));
    QAction *first = menu->actions().value(0);
    window->update_panel_menu();
    EXPECT_EQ(menu->actions().value(0), first);
}

// Choosing an entry adds its device once, brings its page forward and shows the dialog;
// the module's entry also says so in the log.
TEST_F(PanelMenu, EntryOpensItsDevicePage)
{
    const QString gen = QString::fromStdString(instruments.add_usb(sim_generator_profile(2)));
    detect.answer = 1;
    window->update_panel_menu();
    ui_panel_form_t *form = window->panel_form();
    struct case_t
    {
        QString entry;
        int buttons;
        bool module_line;
    };
    const case_t cases[] = {
        {gen, 1, false},
        {gen, 1, false},
        {"MZK1021", 2, true},
        {gen, 2, false},
        {"MZK1021", 2, true},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        log_capture_t log;
        QAction *action = entry(c.entry);
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_TRUE(form->isVisible());
        ASSERT_NE(form->device_page(c.entry), nullptr);
        EXPECT_EQ(form->current_page(), form->device_page(c.entry));
        EXPECT_EQ(form->findChildren<ui_device_button_t *>().size(), c.buttons);
        EXPECT_EQ(log.lines().contains("MZK1021 detected!"), c.module_line);
    }
    // The module's button brings its page back after another page came forward.
    entry(gen)->trigger();
    for (ui_device_button_t *b : form->findChildren<ui_device_button_t *>())
        if (b->device() == "MZK1021")
            QTest::mouseClick(b->picture_button(), Qt::LeftButton);
    EXPECT_EQ(form->current_page(), form->device_page("MZK1021"));
    // Closing only hides: the next choice shows every page again.
    form->close();
    EXPECT_FALSE(form->isVisible());
    entry(gen)->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->findChildren<ui_device_button_t *>().size(), 2);
}

// "No Device" leads nowhere; an unplugged device keeps its page and button.
TEST_F(PanelMenu, NoDeviceEntryDoesNothingAndPagesOutliveTheirDevice)
{
    window->update_panel_menu();
    ASSERT_EQ(entries(), QStringList{"No Device"});
    entry("No Device")->trigger();
    EXPECT_FALSE(window->panel_form()->isVisible());
    EXPECT_EQ(window->panel_form()->findChildren<ui_device_button_t *>().size(), 0);

    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    window->update_panel_menu();
    entry(QString::fromStdString(gen))->trigger();
    instruments.unplug(gen);
    window->update_panel_menu();
    EXPECT_EQ(entries(), QStringList{"No Device"});
    EXPECT_NE(window->panel_form()->device_page(QString::fromStdString(gen)), nullptr);
    EXPECT_EQ(window->panel_form()->findChildren<ui_device_button_t *>().size(), 1);
}

// Looked at as a user would: the menu bar with the greyed Control Panel title, and the
// menu's entries as the rebuild made them. The program installs its style sheet before it
// builds the window, and so does this test.
TEST_F(PanelMenu, RendersTheMenu)
{
    ui_install_style_sheet();
    window = std::make_unique<ui_ondrix_t>();
    window->show();
    menu = window->commands.panel_menu;
    instruments.add_usb(sim_generator_profile(2));
    detect.answer = 1;
    window->update_panel_menu();
    const QString dir = qEnvironmentVariable("ONDRIX_PANEL_PNG_DIR", QDir::currentPath());
    EXPECT_TRUE(window->menuBar()->grab().save(dir + "/panel_menu_bar.png"));
    menu->popup(window->mapToGlobal(QPoint(200, 30)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_TRUE(menu->grab().save(dir + "/panel_menu.png"));
    menu->hide();
    window.reset();
    qApp->setStyleSheet(QString());
}

// In Chinese the menu's only translated entry and the dialog's title are Chinese; device
// names and the module's name stay as they are.
TEST_F(PanelMenu, ChineseTextsComeFromTheCatalogue)
{
    ASSERT_TRUE(ui_install_language(true));
    window = std::make_unique<ui_ondrix_t>();
    menu = window->commands.panel_menu;
    window->update_panel_menu();
    EXPECT_EQ(entries(), QStringList{QString::fromUtf8("无设备")});
    EXPECT_EQ(window->panel_form()->windowTitle(), QString::fromUtf8("对话框"));
    detect.answer = 1;
    window->update_panel_menu();
    EXPECT_EQ(entries(), QStringList{"MZK1021"});
    window.reset();
    ASSERT_TRUE(ui_install_language(false));
}
