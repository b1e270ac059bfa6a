// "Create VISA TCP/IP Resource": what OK and Cancel store in the configuration file and
// report, and the element names it picks.
#include "lib_app_paths.h"
#include "ui_app_paths.h"
#include "lib_xml.h"
#include "ui_ip_create_form.h"
#include "ui_ipline_widget.h"
#include "ui_meta_types.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "find_child.h"
#include "test_fsize_limit.h"
#include "layout_check.h"

namespace {

QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class IpCreateForm : public testing::Test
{
protected:
    void SetUp() override
    {
        ui_register_meta_types();
        g_config_dir = QDir::currentPath();
        g_config_file_path = g_config_dir + "/ondrix_config.xml";
        lib_xml_t().create_file_template(g_config_file_path);
    }

    // Opens a dialog, types the address and presses the button: the code it reports, or
    // -1 when it reported nothing. The dialog stays open until its owner closes it.
    int32 run(QList<QString> address, const QString &button = "OK")
    {
        QPointer<ui_ip_create_form_t> form = new ui_ip_create_form_t();
        int32 code = -1;
        QObject::connect(form, &ui_ip_create_form_t::ip_create_form_btn_signal,
                         [&code](ui_ip_create_form_t *, int32 btn) { code = btn; });
        form->address_widget()->set_value(address);
        form->show();
        QTest::mouseClick(::button(form, button), Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(form.isNull()) << "the dialog closed itself";
        if (form) {
            EXPECT_TRUE(form->isVisible());
            delete form;
        }
        return code;
    }

    QMap<QString, QString> stored() const
    {
        QMap<QString, QString> out;
        for (QString name : {"IP1", "IP2", "IP3", "IP4", "IP5"})
            if (lib_xml_t().is_node_exit(g_config_file_path, name))
                out[name] = lib_xml_t().read_node_content(g_config_file_path, name);
        return out;
    }
};

} // namespace

TEST_F(IpCreateForm, OkStoresTheAddressAsTyped)
{
    EXPECT_EQ(run({"192", "", "1", "07"}), 0);
    EXPECT_EQ(stored(), (QMap<QString, QString>{{"IP1", "TCPIP0::192..1.07::INSTR"}}));
    // The same text again is not stored twice; Cancel stores nothing.
    const QByteArray before = file_bytes(g_config_file_path);
    EXPECT_EQ(run({"192", "", "1", "07"}), 2);
    EXPECT_EQ(run({"10", "0", "0", "1"}, "Cancel"), 2);
    EXPECT_EQ(file_bytes(g_config_file_path), before);
}

// The names come from a counter that only grows within the process: with IP1 and IP2
// stored the first addition takes IP3, and after IP1 is deleted the next takes IP4.
TEST_F(IpCreateForm, NamesFollowAGrowingCounter)
{
    lib_xml_t xml;
    ASSERT_TRUE(xml.add_node(g_config_file_path, "manual_tcp_ip", "IP1", "TCPIP0::1.1.1.1::INSTR"));
    ASSERT_TRUE(xml.add_node(g_config_file_path, "manual_tcp_ip", "IP2", "TCPIP0::2.2.2.2::INSTR"));
    EXPECT_EQ(run({"3", "3", "3", "3"}), 0);
    ASSERT_TRUE(xml.delete_node_by_content(g_config_file_path, "TCPIP0::1.1.1.1::INSTR"));
    EXPECT_EQ(run({"4", "4", "4", "4"}), 0);
    EXPECT_EQ(stored(), (QMap<QString, QString>{{"IP2", "TCPIP0::2.2.2.2::INSTR"},
                                                {"IP3", "TCPIP0::3.3.3.3::INSTR"},
                                                {"IP4", "TCPIP0::4.4.4.4::INSTR"}}));
}

// A file that cannot take the element reports 1 and stays as it was.
TEST_F(IpCreateForm, FailedAdditionLeavesTheFile)
{
    struct fail_case_t
    {
        const char *name;
        QByteArray content; // empty: the default file, or none when `remove`
        bool remove, disk_full;
    };
    const fail_case_t cases[] = {
        {"no container", "<?xml version=\"1.0\"?>\n<Ondrix no_value=\"1\">\n<language>english</language>\n</Ondrix>\n",
         false, false},
        {"no file", "", true, false},
        {"not well-formed", "<Ondrix no_value=\"1\"><manual_tcp_ip no_value=\"1\">", false, false},
        {"disk full", "", false, true},
    };
    for (const fail_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(g_config_file_path);
        if (!c.content.isEmpty()) {
            QFile f(g_config_file_path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        } else if (!c.remove) {
            lib_xml_t().create_file_template(g_config_file_path);
        }
        const QByteArray before = file_bytes(g_config_file_path);
        {
            std::unique_ptr<test_fsize_limit_t> full;
            if (c.disk_full) {
                full = std::make_unique<test_fsize_limit_t>(64);
                ASSERT_TRUE(full->ok());
            }
            EXPECT_EQ(run({"10", "0", "0", "1"}), 1);
        }
        EXPECT_EQ(file_bytes(g_config_file_path), before);
    }
}

TEST_F(IpCreateForm, LaidOutAsTheFormSays)
{
    ui_ip_create_form_t form;
    EXPECT_EQ(form.windowTitle(), "Create VISA TCP/IP Resource");
    EXPECT_EQ(form.objectName(), "normal_widget");
    EXPECT_EQ(form.size(), QSize(400, 187));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(form.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                       Qt::WindowContextHelpButtonHint));
    QGroupBox *box = group(&form, "Entry IP Address");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), "normal_gpbx");
    EXPECT_EQ(box->geometry(), QRect(20, 10, 361, 131));
    EXPECT_EQ(button(&form, "OK")->geometry(), QRect(100, 150, 75, 31));
    EXPECT_EQ(button(&form, "Cancel")->geometry(), QRect(210, 150, 75, 31));
    EXPECT_EQ(button(&form, "OK")->objectName(), "normal_button");
    EXPECT_EQ(form.address_widget()->get_resource(), "TCPIP0::0.0.0.0::INSTR");
}

// Under the application style sheet the address fields, dots and buttons show whole.
TEST(UiDialogLook, IpCreateFormShowsEveryControlWhole)
{
    ui_install_style_sheet();
    {
        QPointer<ui_ip_create_form_t> form = new ui_ip_create_form_t();
        QList<QString> widest = {"255", "255", "255", "255"};
        form->address_widget()->set_value(widest);
        form->show();
        QApplication::processEvents();
        EXPECT_EQ(layout_check::faults(form).join("\n").toStdString(), "");
        QGroupBox *box = group(form, "Entry IP Address");
        for (ui_ip_ledit_t *field : form->address_widget()->fields()) {
            const QRect in_box(field->mapTo(box, QPoint(0, 0)), field->size());
            EXPECT_TRUE(box->rect().contains(in_box));
            EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance("2555"));
        }
        delete form;
    }
    qApp->setStyleSheet(QString());
}
