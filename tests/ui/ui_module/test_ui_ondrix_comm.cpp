// The main window's communication commands end to end: the dialog opened from the menu,
// the tool bar, the instrument tree and a document window; a document sent to the
// simulator program over TCP, read back into a new document, and a trace imported.
#include "cfg_if_wv.h"
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "sim_process.h"
#include "ui_comm_form.h"
#include "ui_comm_form_form.h"
#include "ui_comm_tree_form.h"
#include "ui_coustom_btn.h"
#include "ui_coustom_comb.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_tbar_btn.h"
#include "ui_waveform.h"
#include "visa_vxi11_backend.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

#include "detect_script.h"
#include "instrument_env.h"
#include "menu_script.h"
#include "prompt_script.h"

namespace {

// USB searches and opens go to the in-process instruments (none here); TCP/IP opens reach
// the simulator program through the real VXI-11 transport.
class tcp_backend_t : public visa_backend_t
{
public:
    explicit tcp_backend_t(std::shared_ptr<visa_backend_t> usb) : m_usb(std::move(usb)) {}
    void list_resources(std::vector<std::string> &out) override { m_usb->list_resources(out); }
    bool claims(const visa_rsrc_name_t &name) override
    {
        return name.kind == visa_rsrc_name_t::KIND_TCPIP ? m_tcp.claims(name) : m_usb->claims(name);
    }
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 ms, std::unique_ptr<visa_session_t> &session) override
    {
        return name.kind == visa_rsrc_name_t::KIND_TCPIP ? m_tcp.open(name, ms, session)
                                                         : m_usb->open(name, ms, session);
    }

private:
    std::shared_ptr<visa_backend_t> m_usb;
    visa_vxi11_backend_t m_tcp;
};

QByteArray file_bytes(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Fails on any warning about a connection made by signature.
struct connect_watch_t
{
    static QStringList &bad()
    {
        static QStringList list;
        return list;
    }
    QtMessageHandler previous;
    connect_watch_t()
    {
        bad().clear();
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) {
            if (msg.contains("QObject::connect") || msg.contains("not built yet"))
                bad() << msg;
        });
    }
    ~connect_watch_t() { qInstallMessageHandler(previous); }
};

class MainWindowComm : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.started()) << sim.output();
        ui_register_meta_types();
        g_config_dir = QDir::currentPath();
        g_config_file_path = g_config_dir + "/ondrix_config.xml";
        g_setting_file_path = g_config_dir + "/Setting.ini";
        g_data_dir = g_config_dir + "/data";
        QDir().mkpath(g_data_dir);
        lib_xml_t xml;
        xml.create_file_template(g_config_file_path);
        ASSERT_TRUE(xml.add_node(g_config_file_path, "manual_tcp_ip", "IP1", QString::fromStdString(sim.resource(0))));
        ASSERT_TRUE(xml.add_node(g_config_file_path, "manual_tcp_ip", "IP2", QString::fromStdString(sim.resource(1))));
        previous = visa_registry_t::instance().set_override(std::make_shared<tcp_backend_t>(
            visa_registry_t::instance().set_override(nullptr)));
        g_window_counter = 1;
        window = std::make_unique<ui_ondrix_t>();
        window->resize(900, 600);
        window->show();
    }
    void TearDown() override
    {
        for (ui_comm_form_t *f : window->findChildren<ui_comm_form_t *>())
            delete f;
        for (QMdiSubWindow *sub : window->get_sub_window_list())
            if (auto *w = qobject_cast<ui_waveform_t *>(sub->widget()))
                w->set_saved(true);
        window.reset();
        visa_registry_t::instance().set_override(previous);
    }

    // A document titled "Wave book<n>-<name>" holding a ramp of codes.
    ui_waveform_t *make_document(const QString &name, uint32 points)
    {
        EXPECT_EQ(window->open_new_wave_window(name), 0);
        ui_waveform_t *doc = window->current_wave();
        std::vector<short int> s(points);
        for (uint32 i = 0; i < points; ++i)
            s[i] = static_cast<short int>(int(i * 97 % 60000) - 30000);
        doc->get_wave_data()->samples.truncate(0);
        doc->get_wave_data()->samples.write(0, s.data(), points);
        doc->wave_object->set_wv_len(points);
        return doc;
    }
    // The one open communication dialog, or null.
    ui_comm_form_t *dialog()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<ui_comm_form_t *> all = window->findChildren<ui_comm_form_t *>();
        return all.size() == 1 ? all[0] : nullptr;
    }
    // Selects and connects the row of the resource.
    void connect_resource(ui_comm_form_t *f, const std::string &resource)
    {
        QTableWidget *t = f->form()->instrument_table;
        QList<QTableWidgetItem *> found = t->findItems(QString::fromStdString(resource), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QPoint at = t->visualItemRect(found[0]).center();
        QTest::mousePress(t->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(t->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseClick(f->form()->btn_connect, Qt::LeftButton);
        ASSERT_TRUE(f->is_connected());
    }
    void tree_pick(const std::string &resource, const QString &entry)
    {
        QTreeWidget *tree = window->comm_tree()->tree();
        QList<QTreeWidgetItem *> items =
            tree->findItems(QString::fromStdString(resource), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1);
        tree->scrollToItem(items[0]);
        menu_script_t menus;
        menus.picks = {entry};
        const QRect r = tree->visualItemRect(items[0]);
        const QPoint at(r.left() + 10, r.center().y());
        QTest::mousePress(tree->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(tree->viewport(), Qt::RightButton, Qt::NoModifier, at);
    }

    sim_process_t sim{{"", "generator:2"}, {"", "scope:4"}};
    sim_visa_env_t in_process; // no USB instruments; pauses recorded, not waited for
    std::shared_ptr<visa_backend_t> previous;
    detect_script_t detect;
    prompt_script_t prompts;
    std::unique_ptr<ui_ondrix_t> window;
};

} // namespace

// Both simulated instruments are identified by the first scan.
TEST_F(MainWindowComm, TreeListsTheSimulatedInstruments)
{
    ui_instr_list_t *list = window->comm_tree()->get_instr_list();
    ASSERT_EQ(list->get_awg_list()->size(), 1u);
    ASSERT_EQ(list->get_scope_list()->size(), 1u);
    EXPECT_EQ(list->get_awg_list()->at(0).addr_res, sim.resource(0));
}

// Send from the menu, the tool button, the tree and a document's own request: the
// generator stores exactly the document's sample file.
TEST_F(MainWindowComm, SendFromEveryEntryStoresTheDocument)
{
    connect_watch_t watch;
    ui_waveform_t *doc = make_document("sine", 4096);
    window->update_control_state();
    struct case_t
    {
        const char *name;
        std::function<void()> open;
    };
    const case_t cases[] = {
        {"menu", [&] { window->controls.comm_send->trigger(); }},
        {"button", [&] { QTest::mouseClick(window->controls.btn_send, Qt::LeftButton); }},
        {"tree", [&] { tree_pick(sim.resource(0), "Send waveform to AWG"); }},
        {"document", [&] {
             for (QAction *a : doc->findChildren<QAction *>())
                 if (a->text() == "Send waveform to AWG")
                     a->trigger();
         }},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(window->controls.comm_send->isEnabled());
        c.open();
        ui_comm_form_t *f = dialog();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->get_mode(), 0);
        EXPECT_EQ(f->wave_combo->currentText(), "Wave book1-sine");
        connect_resource(f, sim.resource(0));
        prompts.texts.clear();
        QFile::remove(QString::fromStdString(sim.stored_path(0, "sine")));
        QTest::mouseClick(f->send_btn, Qt::LeftButton);
        EXPECT_EQ(prompts.texts, QStringList{"Send waveform to AWG successfully."});
        EXPECT_EQ(file_bytes(sim.stored_path(0, "sine")), file_bytes(doc->get_wave_data()->samples.get_path()));
        QTest::mouseClick(f->cancel_btn, Qt::LeftButton);
        EXPECT_EQ(dialog(), nullptr) << "Cancel closes the dialog";
    }
    EXPECT_EQ(connect_watch_t::bad(), QStringList());
}

// The sent waveform comes back into a new document titled by the book rule, unsaved;
// a trace comes in with the automatic title.
TEST_F(MainWindowComm, ReadBackAndImportOpenNewDocuments)
{
    connect_watch_t watch;
    ui_waveform_t *doc = make_document("sine", 4096);
    std::vector<short int> sent;
    doc->get_wave_data()->read_all(sent);
    window->controls.comm_send->trigger();
    connect_resource(dialog(), sim.resource(0));
    QTest::mouseClick(dialog()->send_btn, Qt::LeftButton);
    QTest::mouseClick(dialog()->cancel_btn, Qt::LeftButton);
    prompts.texts.clear();

    window->commands.comm_read->trigger();
    ui_comm_form_t *f = dialog();
    ASSERT_NE(f, nullptr);
    connect_resource(f, sim.resource(0));
    f->wave_list_combo->setCurrentText("user:sine");
    QTest::mouseClick(f->read_btn, Qt::LeftButton);
    EXPECT_EQ(dialog(), nullptr) << "the read closes the dialog";
    ui_waveform_t *read = window->current_wave();
    ASSERT_NE(read, doc);
    EXPECT_EQ(window->get_cur_sub_window()->windowTitle(), "Wave book2-sine");
    std::vector<short int> got;
    read->get_wave_data()->read_all(got);
    EXPECT_EQ(got, sent);
    EXPECT_EQ(read->get_wv_len(), 4096u);
    EXPECT_FALSE(read->is_saved());

    tree_pick(sim.resource(1), "Import waveform from scope");
    f = dialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->get_mode(), 2);
    connect_resource(f, sim.resource(1));
    QTest::mouseClick(f->import_btn, Qt::LeftButton);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(window->get_cur_sub_window()->windowTitle(), "Wave book3-wave3");
    EXPECT_EQ(window->current_wave()->get_wv_len(), 1000u);
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
    EXPECT_EQ(connect_watch_t::bad(), QStringList());
}

// Send needs a document; Read and Import open without one, from menu and button.
TEST_F(MainWindowComm, SendNeedsADocumentReadAndImportDoNot)
{
    window->open_send_comm_form(0);
    EXPECT_EQ(prompts.texts, QStringList{"No waveform exit.\nPlease create or open a waveform first."});
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_FALSE(window->controls.comm_send->isEnabled());
    struct case_t
    {
        const char *name;
        std::function<void()> open;
        int mode;
    };
    const case_t cases[] = {
        {"read menu", [&] { window->commands.comm_read->trigger(); }, 1},
        {"read button", [&] { QTest::mouseClick(window->commands.btn_read, Qt::LeftButton); }, 1},
        {"import menu", [&] { window->commands.comm_import->trigger(); }, 2},
        {"import button", [&] { QTest::mouseClick(window->commands.btn_import, Qt::LeftButton); }, 2},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(window->commands.comm_read->isEnabled());
        c.open();
        ui_comm_form_t *f = dialog();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->get_mode(), c.mode);
        f->close();
    }
}

// A document window that cannot be made: "File creation failed.", and the dialog stays
// open with its waveform; the code repeated later takes it over once, and again nothing.
TEST_F(MainWindowComm, FailedDocumentKeepsTheDialogOpen)
{
    window->commands.comm_import->trigger();
    ui_comm_form_t *f = dialog();
    ASSERT_NE(f, nullptr);
    connect_resource(f, sim.resource(1));
    // The import's code reaches nobody yet: the test hands it over by hand.
    QObject::disconnect(f, SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)), window.get(),
                        SLOT(comm_form_btn_slot_func(ui_comm_form_t *, int32)));
    QTest::mouseClick(f->import_btn, Qt::LeftButton);
    const int documents = window->get_sub_window_list().size();
    {
        // No sample file can be made in a folder that is gone.
        const QString here = QDir::currentPath();
        QDir().mkpath("gone");
        ASSERT_TRUE(QDir::setCurrent("gone"));
        ASSERT_TRUE(QDir(here).rmdir("gone"));
        window->comm_form_btn_slot_func(f, 7);
        ASSERT_TRUE(QDir::setCurrent(here));
    }
    EXPECT_EQ(prompts.texts, QStringList{"File creation failed."});
    EXPECT_EQ(dialog(), f);
    EXPECT_FALSE(f->is_handed_over());
    EXPECT_EQ(window->get_sub_window_list().size(), documents);

    window->comm_form_btn_slot_func(f, 7);
    EXPECT_EQ(window->get_sub_window_list().size(), documents + 1);
    EXPECT_EQ(window->current_wave()->get_wv_len(), 1000u);
    EXPECT_EQ(dialog(), nullptr);
}
