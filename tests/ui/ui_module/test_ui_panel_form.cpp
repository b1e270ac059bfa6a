// The control-panel dialog on its own: device pages and buttons, the page layout, the
// device names from the USB search, and how it looks.
#include "instrument_env.h"
#include "ui_app_paths.h"
#include "ui_control_panel.h"
#include "ui_device_button.h"
#include "ui_menu_bar.h"
#include "ui_panel_form.h"
#include "ui_parameter_widget.h"
#include "ui_status_widget.h"
#include "ui_waveform_widget.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The debug lines written while it lives.
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

QStackedWidget *control_area(ui_panel_form_t &form) { return form.findChild<QStackedWidget *>("control_area"); }

QList<ui_device_button_t *> device_buttons(ui_panel_form_t &form)
{
    return form.findChild<QScrollArea *>("device_list")->findChildren<ui_device_button_t *>();
}

ui_device_button_t *device_button(ui_panel_form_t &form, const QString &device)
{
    for (ui_device_button_t *b : device_buttons(form))
        if (b->device() == device)
            return b;
    return nullptr;
}

class PanelForm : public testing::Test
{
protected:
    QWidget owner;
    ui_panel_form_t *form = new ui_panel_form_t(&owner);
};

} // namespace

TEST_F(PanelForm, StartsEmptyAndHidden)
{
    EXPECT_EQ(form->parentWidget(), &owner);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Dialog");
    EXPECT_EQ(form->size(), QSize(800, 480));
    EXPECT_EQ(form->maximumSize(), QSize(800, 480));
    QStackedWidget *area = control_area(*form);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->count(), 2);
    EXPECT_EQ(area->currentWidget()->objectName(), "page");
    EXPECT_TRUE(device_buttons(*form).isEmpty());
    EXPECT_EQ(form->findChild<QWidget *>("scrollAreaWidgetContents")->children().size(), 0);
}

// A name is added once: a second add neither adds a page or a button nor changes the
// current page, and the dialog stays hidden.
TEST_F(PanelForm, AddsEachDeviceOnce)
{
    form->add_device("USB0::0x1::0x2::A::INSTR");
    form->add_device("MZK1021");
    form->add_device("USB0::0x1::0x2::A::INSTR");
    QStackedWidget *area = control_area(*form);
    EXPECT_EQ(area->count(), 4);
    EXPECT_EQ(device_buttons(*form).size(), 2);
    EXPECT_EQ(area->currentWidget()->objectName(), "page");
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(form->device_page("MZK1021"), nullptr);
    EXPECT_NE(form->device_page("MZK1021"), form->device_page("USB0::0x1::0x2::A::INSTR"));
    EXPECT_EQ(form->device_page("MZK1021")->parentWidget(), area);
}

TEST_F(PanelForm, OpenPanelBringsTheNamedPageForward)
{
    form->add_device("A");
    form->add_device("B");
    struct case_t
    {
        const char *name;
        const char *current; // the device whose page is current afterwards
        const char *logged;
    };
    const case_t cases[] = {
        {"B", "B", nullptr},
        {"A", "A", nullptr},
        {"C", "A", "No matching device named C"},
        {"a", "A", "No matching device named a"},
        {"", "A", "No matching device named "},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        log_capture_t log;
        form->open_panel(c.name);
        EXPECT_EQ(form->current_page(), form->device_page(c.current));
        EXPECT_EQ(log.lines(), c.logged ? QStringList{c.logged} : QStringList{});
        EXPECT_FALSE(form->isVisible());
    }
}

// Each button asks for its own device's page; a resource name too long for the label is
// shortened there but asked for whole.
TEST_F(PanelForm, DeviceButtonBringsItsOwnPageForward)
{
    const QString usb = "USB0::0x0AB1::0x0641::DG4E123456789::INSTR";
    form->add_device("MZK1021");
    form->add_device(usb);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));

    ui_device_button_t *module = device_button(*form, "MZK1021");
    ui_device_button_t *instrument = device_button(*form, usb);
    ASSERT_NE(module, nullptr);
    ASSERT_NE(instrument, nullptr);
    EXPECT_EQ(module->name_label()->text(), "MZK1021");
    EXPECT_TRUE(module->name_label()->toolTip().isEmpty());
    const QString shown = instrument->name_label()->text();
    EXPECT_TRUE(shown.startsWith(QChar(0x2026)) && shown.endsWith("789::INSTR")) << shown.toStdString();
    EXPECT_LE(instrument->name_label()->fontMetrics().horizontalAdvance(shown), 120);
    EXPECT_EQ(instrument->name_label()->toolTip(), usb);

    QSignalSpy asked(instrument, SIGNAL(selected(QString)));
    QTest::mouseClick(instrument->picture_button(), Qt::LeftButton);
    EXPECT_EQ(form->current_page(), form->device_page(usb));
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked[0][0].toString(), usb);
    QTest::mouseClick(module->picture_button(), Qt::LeftButton);
    EXPECT_EQ(form->current_page(), form->device_page("MZK1021"));
}

TEST_F(PanelForm, DeviceButtonsFormARowOfPictures)
{
    for (const char *name : {"MZK1021", "B", "C"})
        form->add_device(name);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    const QList<ui_device_button_t *> buttons = device_buttons(*form);
    ASSERT_EQ(buttons.size(), 3);
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *picture = buttons[i]->picture_button();
        EXPECT_EQ(picture->objectName(), "device_button");
        EXPECT_EQ(picture->size(), QSize(120, 60));
        EXPECT_EQ(picture->iconSize(), QSize(100, 50));
        EXPECT_FALSE(picture->icon().isNull());
        EXPECT_EQ(buttons[i]->name_label()->size(), QSize(120, 20));
        EXPECT_GT(picture->mapTo(form, QPoint()).y(), control_area(*form)->geometry().bottom());
        if (i > 0) {
            EXPECT_GT(buttons[i]->x(), buttons[i - 1]->geometry().right()) << i;
        }
    }
    EXPECT_EQ(buttons[0]->x(), 20 + form->findChild<QScrollArea *>("device_list")->frameWidth());
}

// Two channel tabs, each with the three titled areas over the five function buttons.
TEST_F(PanelForm, PageHoldsTwoChannelTabs)
{
    form->add_device("MZK1021");
    ui_control_panel_t *page = form->device_page("MZK1021");
    QTabWidget *tabs = page->channel_tab();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "CH1");
    EXPECT_EQ(tabs->tabText(1), "CH2");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->geometry(), QRect(0, 0, 800, 378));
    for (int t = 0; t < 2; ++t) {
        SCOPED_TRACE(t);
        QWidget *channel = tabs->widget(t);
        const auto *waveform = channel->findChild<ui_waveform_widget_t *>();
        const auto *status = channel->findChild<ui_status_widget_t *>();
        const auto *parameter = channel->findChild<ui_parameter_widget_t *>();
        ASSERT_TRUE(waveform && status && parameter);
        struct area_case_t
        {
            const QWidget *widget;
            QLabel *title;
            QWidget *area;
            const char *text;
            QSize size;
        };
        const area_case_t areas[] = {
            {waveform, waveform->title(), waveform->area(), "Waveform", QSize(235, 220)},
            {status, status->title(), status->area(), "Status", QSize(130, 220)},
            {parameter, parameter->title(), parameter->area(), "Parameter", QSize(370, 220)},
        };
        for (const area_case_t &a : areas) {
            EXPECT_EQ(a.widget->size(), a.size) << a.text;
            EXPECT_EQ(a.title->text(), a.text);
            EXPECT_EQ(a.title->objectName(), "title");
            EXPECT_EQ(a.area->objectName(), "area");
        }
        QStringList status_texts;
        for (QLabel *l : status->area()->findChildren<QLabel *>())
            status_texts << l->text();
        EXPECT_EQ(status_texts, (QStringList{"Mod", "Sweep", "Burst", "All off", "Output"}));
        EXPECT_TRUE(waveform->area()->children().isEmpty());
        EXPECT_TRUE(parameter->area()->children().isEmpty());

        const auto *bar = channel->findChild<ui_menu_bar_t *>();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->size(), QSize(600, 40));
        QStringList names;
        for (QPushButton *b : bar->buttons()) {
            names << b->text();
            EXPECT_EQ(b->objectName(), "menu_button");
            EXPECT_EQ(b->maximumHeight(), 40);
        }
        EXPECT_EQ(names, (QStringList{"Waveform", "Modulation", "Sweep", "Burst", "Utility"}));
    }
}

// The pages are a shell: their buttons and tabs change nothing outside the page.
TEST_F(PanelForm, FunctionButtonsAndTabsChangeNothingElse)
{
    form->add_device("MZK1021");
    form->add_device("B");
    form->open_panel("MZK1021");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    ui_control_panel_t *page = form->device_page("MZK1021");
    QSignalSpy accepted(form, SIGNAL(accepted()));
    QSignalSpy rejected(form, SIGNAL(rejected()));
    log_capture_t log;
    QTabWidget *tabs = page->channel_tab();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(1).center());
    EXPECT_EQ(tabs->currentIndex(), 1);
    for (QPushButton *b : tabs->currentWidget()->findChild<ui_menu_bar_t *>()->buttons())
        QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(form->current_page(), page);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(device_buttons(*form).size(), 2);
    EXPECT_EQ(accepted.count() + rejected.count(), 0);
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join("\n").toStdString();
}

// The names are those of the USB search, in its order; nothing is opened or waited for.
TEST(PanelFormNames, AreTheUsbResourcesInSearchOrder)
{
    instrument_env_t instruments;
    EXPECT_TRUE(ui_panel_form_t::get_device_names().empty());
    const std::string gen = instruments.add_usb(sim_generator_profile(2), "G1");
    instruments.add_tcpip(sim_generator_profile(2), "192.168.1.9");
    const std::string scope = instruments.add_usb(sim_scope_profile(2), "S1");
    instruments.journal().clear();
    EXPECT_EQ(ui_panel_form_t::get_device_names(), (std::list<std::string>{gen, scope}));
    instruments.unplug(gen);
    EXPECT_EQ(ui_panel_form_t::get_device_names(), (std::list<std::string>{scope}));
    EXPECT_TRUE(instruments.journal().entries().empty());
}

// Looked at as a user would: a picture of the dialog with three devices.
TEST(PanelFormLook, RendersWithTheStyleSheet)
{
    ui_install_style_sheet();
    {
        QWidget owner;
        auto *form = new ui_panel_form_t(&owner);
        for (const char *name : {"MZK1021", "USB0::0x0AB1::0x0641::DG4E123456789::INSTR", "USB0::0x1::0x2::B::INSTR"})
            form->add_device(name);
        form->open_panel("MZK1021");
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        QTabWidget *tabs = form->device_page("MZK1021")->channel_tab();
        // Both tabs fit side by side: no scroll buttons.
        EXPECT_LE(tabs->tabBar()->tabRect(1).right(), tabs->width());
        EXPECT_GE(tabs->tabBar()->tabRect(0).width(), 390);
        const QImage picture = form->grab().toImage();
        const QString dir = qEnvironmentVariable("ONDRIX_PANEL_PNG_DIR", QDir::currentPath());
        EXPECT_TRUE(picture.save(dir + "/panel_form.png"));
        // The status area's texts are light on the dark page.
        QLabel *mod = tabs->currentWidget()->findChild<ui_status_widget_t *>()->area()->findChild<QLabel *>();
        EXPECT_GT(mod->palette().color(QPalette::WindowText).lightness(), 200);
    }
    qApp->setStyleSheet(QString());
}
