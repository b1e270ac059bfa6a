// The main window frame driven offscreen: document windows, closing with the save
// question, files in and out, printing, status bar and device changes.
#include "cfg_file_main.h"
#include "cfg_if_wv.h"
#include "lib_app_paths.h"
#include "lib_path.h"
#include "ui_dialog_provider.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_prompt.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QSignalSpy>
#include <QUndoGroup>
#include <QUndoStack>
#include <deque>
#include <gtest/gtest.h>

#include "detect_script.h"
#include "instrument_env.h"
#include "menu_script.h"
#include "prompt_script.h"
#include "ui_comm_tree_form.h"
#include "ui_tbar_btn.h"

#include <QDockWidget>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <sys/stat.h>

namespace {

QByteArray read_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write_bytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

std::vector<short> samples_of(ui_waveform_t *w)
{
    std::vector<short> v;
    w->get_wave_data()->read_all(v);
    return v;
}

// Fails the test on any warning about a connection made by signature.
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
            if (msg.contains("QObject::connect"))
                bad() << msg;
        });
    }
    ~connect_watch_t() { qInstallMessageHandler(previous); }
};

class MainWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        ui_register_meta_types();
        g_config_dir = QDir::currentPath();
        g_setting_file_path = g_config_dir + "/Setting.ini";
        g_data_dir = g_config_dir + "/data";
        QDir().mkpath(g_data_dir);
        g_window_counter = 1;
        build();
    }
    // A new window, whose first scan sees the instruments added so far.
    void build()
    {
        window.reset();
        window = std::make_unique<ui_ondrix_t>();
        window->resize(900, 600);
        window->show();
    }
    void TearDown() override
    {
        ui_reset_dialog_provider();
        for (QMdiSubWindow *sub : window->get_sub_window_list())
            if (auto *w = qobject_cast<ui_waveform_t *>(sub->widget()))
                w->set_saved(true); // close without questions
        window.reset();
    }

    // Save dialogs answer with the next path of the list.
    void answer_save_dialog(const QString &path)
    {
        ui_dialog_provider_t p;
        p.get_save_file_name = [path](QWidget *, const QString &, const QString &, const QString &) { return path; };
        p.get_open_file_name = [path](QWidget *, const QString &, const QString &, const QString &) { return path; };
        ui_set_dialog_provider(p);
    }

    QString here(const QString &name) const { return QDir::currentPath() + "/" + name; }

    QStringList usb_items() const
    {
        QStringList out;
        QTreeWidget *tree = window->comm_tree()->tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) != "Network Devices")
                out << tree->topLevelItem(i)->text(0);
        return out;
    }

    // Every scan of the window reaches simulated instruments only, and the module's
    // detection is answered here.
    instrument_env_t instruments;
    detect_script_t detect;
    std::unique_ptr<ui_ondrix_t> window;
};

} // namespace

TEST_F(MainWindow, DocumentTitlesFollowTheWindowCounter)
{
    connect_watch_t watch;
    EXPECT_EQ(window->open_new_wave_window(""), 0);
    EXPECT_EQ(window->open_new_wave_window(""), 0);
    EXPECT_EQ(window->open_new_wave_window("sine"), 0);
    EXPECT_EQ(window->get_sub_window_titles(), (QStringList{"Wave book1-wave1", "Wave book2-wave2", "Wave book3-sine"}));
    EXPECT_EQ(window->get_cur_wave_name(), "Wave book3-sine");
    EXPECT_EQ(window->current_wave()->get_window_num(), 3);
    EXPECT_FALSE(window->current_wave()->is_saved());
    EXPECT_EQ(window->create_named_wave_window(1, ""), 2);
    EXPECT_EQ(g_window_counter, 4);
    EXPECT_TRUE(watch.bad().isEmpty()) << watch.bad().join("\n").toStdString();
}

TEST_F(MainWindow, StatusBarFollowsTheDocuments)
{
    EXPECT_EQ(window->status_edit()->text(), " Current Status: Idle");
    EXPECT_EQ(window->scope_edit()->text(), "Oscilloscope: unavailable");
    EXPECT_EQ(window->awg_edit()->text(), "AWG: unavailable");
    window->open_new_wave_window("");
    window->timer_refresh_commtree_slot_func();
    EXPECT_EQ(window->status_edit()->text(), " Current Status: Normal");
    window->current_wave()->set_saved(true);
    window->close_cur_sub_window();
    EXPECT_EQ(window->current_wave(), nullptr);
    window->timer_refresh_commtree_slot_func();
    EXPECT_EQ(window->status_edit()->text(), " Current Status: Idle");
    window->update_arb_status(2);
    EXPECT_EQ(window->awg_edit()->text(), "AWG: available(2)");
    window->update_scope_status(1);
    EXPECT_EQ(window->scope_edit()->text(), "Oscilloscope: available(1)");
}

TEST_F(MainWindow, CloseAllStopsAtTheFirstRefusal)
{
    prompt_script_t prompts;
    for (int i = 0; i < 3; ++i)
        window->open_new_wave_window("");
    prompts.answers = {QMessageBox::No, QMessageBox::Cancel};
    QCloseEvent event;
    window->close_all_sub_windows(&event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(window->get_sub_window_list().size(), 2);
    EXPECT_EQ(prompts.texts.size(), 2); // the third document is never asked
}

TEST_F(MainWindow, UndoStillWorksAfterARefusedClose)
{
    prompt_script_t prompts;
    write_bytes(here("w.csv"), "xpos,value\n1,-1\n2,0.5\n3,1\n");
    window->open_file_slot_func(here("w.csv"));
    ui_waveform_t *doc = window->current_wave();
    ASSERT_NE(doc, nullptr);
    std::vector<short> before = samples_of(doc);
    doc->select_all();
    doc->invert_waveform();
    ASSERT_NE(samples_of(doc), before);

    prompts.answers = {QMessageBox::Cancel};
    window->close_cur_sub_window();
    ASSERT_EQ(window->get_sub_window_list().size(), 1);
    ASSERT_TRUE(window->undo_group()->stacks().contains(doc->get_undo_stack()));
    window->undo_action()->trigger();
    EXPECT_EQ(samples_of(doc), before);
}

TEST_F(MainWindow, OpenReadsEachFormatIntoANamedDocument)
{
    prompt_script_t prompts;
    write_bytes(here("sine.csv"), "xpos,value\n1,-1\n2,0\n3,1\n");
    write_bytes(here("raw.bin"), QByteArray("\x01\x00\xff\xff\x10\x00", 6));
    write_bytes(here("cols.dat"), "0 1\n1 2\n2 1.5\n");
    g_window_counter = 3;
    window->open_file_slot_func(here("sine.csv"));
    EXPECT_EQ(window->get_cur_wave_name(), "Wave book3-sine");
    EXPECT_EQ(samples_of(window->current_wave()), (std::vector<short>{-32767, 0, 32767}));
    EXPECT_EQ(*window->current_wave()->wave_object->get_wv_len(), 3u);
    window->open_arg_file(here("sine.csv"));
    EXPECT_EQ(window->get_cur_wave_name(), "Wave book4-sine");
    window->open_file_slot_func(here("raw.bin"));
    EXPECT_EQ(samples_of(window->current_wave()), (std::vector<short>{1, -1, 16}));
    EXPECT_FLOAT_EQ(*window->current_wave()->wave_object->get_amp(), 6.0f);
    window->open_file_slot_func(here("cols.dat"));
    EXPECT_EQ(samples_of(window->current_wave()).size(), 3u);
    EXPECT_TRUE(prompts.texts.isEmpty());

    window->open_file_slot_func("C:\\waves\\x.csv"); // no "/": no name, nothing opens
    window->open_arg_file("");
    EXPECT_EQ(window->get_sub_window_list().size(), 4);
}

// A file that cannot be read leaves no document behind: after the reason the window it
// was to fill goes, without a save question; an open document stays current.
TEST_F(MainWindow, FailedOpenShowsTheReasonAndLeavesNoDocument)
{
    write_bytes(here("one.csv"), "xpos,value\n1,0.5\n");
    write_bytes(here("x.txt"), "1,2\n");
    write_bytes(here("empty.csv"), "");
    write_bytes(here("good.csv"), "xpos,value\n1,-1\n2,1\n");
    const std::pair<const char *, const char *> cases[] = {
        {"one.csv", "too small"},
        {"x.txt", "not supported"},
        {"empty.csv", "unknown error"},
    };
    for (bool with_open_document : {false, true}) {
        if (with_open_document)
            window->open_file_slot_func(here("good.csv"));
        const int before = window->get_sub_window_list().size();
        for (const auto &c : cases) {
            prompt_script_t prompts;
            window->open_file_slot_func(here(c.first));
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_EQ(prompts.texts.size(), 1) << c.first;
            EXPECT_TRUE(prompts.texts[0].contains(c.second)) << c.first;
            EXPECT_EQ(window->get_sub_window_list().size(), before) << c.first;
            EXPECT_EQ(window->current_wave() != nullptr, with_open_document) << c.first;
            if (with_open_document) {
                EXPECT_EQ(window->get_cur_wave_name(), window->get_cur_sub_window()->windowTitle());
                EXPECT_EQ(samples_of(window->current_wave()), (std::vector<short>{-32767, 32767}));
            }
            EXPECT_EQ(window->undo_group()->stacks().size(), before) << c.first;
        }
    }
}

TEST_F(MainWindow, SaveAsWritesWhatTheFileLayerWritesAndRenames)
{
    write_bytes(here("src.csv"), "xpos,value\n1,-1\n2,0.25\n3,1\n4,0\n");
    window->open_file_slot_func(here("src.csv"));
    ui_waveform_t *doc = window->current_wave();
    const int num = doc->get_window_num();
    for (const char *name : {"out.csv", "out.bin"}) {
        doc->set_saved(false);
        answer_save_dialog(here(name));
        EXPECT_TRUE(window->save_as_file());
        EXPECT_TRUE(doc->is_saved());
        EXPECT_EQ(window->get_cur_wave_name(), QString("Wave book%1-out").arg(num));
        EXPECT_EQ(window->get_cur_sub_window()->windowTitle(), window->get_cur_wave_name());

        std::string ref = lib_file_path_bytes(here(QString("ref_") + name));
        cfg_file_main_t file(ref);
        cfg_if_wv_t *wave = doc->wave_object;
        file.reader->set_points(*wave->get_wv_len());
        file.reader->set_freq(static_cast<float>(*wave->get_freq()));
        file.reader->set_amp(*wave->get_amp());
        file.reader->set_offset(*wave->get_offset());
        file.reader->set_phase(*wave->get_phase());
        ASSERT_GE(file.save_outside_file(ref, wave), 0);
        EXPECT_EQ(read_bytes(here(name)), read_bytes(here(QString("ref_") + name))) << name;
    }
    EXPECT_FALSE(window->save_file()); // saved already: nothing to do
}

TEST_F(MainWindow, FailedSaveKeepsTheDocumentUnsaved)
{
    prompt_script_t prompts;
    window->open_new_wave_window("");
    ui_waveform_t *doc = window->current_wave();
    write_bytes(here("plain"), "not a folder");
    answer_save_dialog(here("plain/w.csv"));
    EXPECT_FALSE(window->save_as_file());
    EXPECT_FALSE(doc->is_saved());
    EXPECT_EQ(window->get_cur_wave_name(), "Wave book1-wave1");
    ASSERT_EQ(prompts.texts.size(), 1);

    // Closing after Yes to the save question, with a save that fails: the document stays.
    prompts.answers = {QMessageBox::Yes};
    window->close_cur_sub_window();
    EXPECT_EQ(window->get_sub_window_list().size(), 1);
}

TEST_F(MainWindow, CancelledSaveDialogOnCloseKeepsTheDocument)
{
    prompt_script_t prompts;
    window->open_new_wave_window("");
    answer_save_dialog(QString());
    prompts.answers = {QMessageBox::Yes};
    window->close_cur_sub_window();
    EXPECT_EQ(window->get_sub_window_list().size(), 1);
    EXPECT_FALSE(window->current_wave()->is_saved());
}

// Print and Print Preview render the document's plot onto the printer the dialog set up
// (here a PDF file); a refused print dialog prints nothing.
TEST_F(MainWindow, PrintAndPreviewRenderThePlot)
{
    window->open_new_wave_window("");
    const struct
    {
        const char *name;
        bool preview;
        bool accepted;
        QPrinter::ColorMode colour;
    } cases[] = {
        {"print.pdf", false, true, QPrinter::Color},
        {"refused.pdf", false, false, QPrinter::Color},
        {"preview.pdf", true, true, QPrinter::GrayScale},
    };
    for (const auto &c : cases) {
        const QString pdf = here(c.name);
        auto set_up = [pdf, c](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setColorMode(c.colour);
        };
        ui_dialog_provider_t p;
        p.exec_print_dialog = [set_up, c](QWidget *, QPrinter &printer) {
            set_up(printer);
            return c.accepted;
        };
        p.exec_print_preview = [set_up](QWidget *, QPrinter &printer, const std::function<void(QPrinter *)> &paint) {
            set_up(printer);
            paint(&printer);
        };
        ui_set_dialog_provider(p);
        if (c.preview)
            window->print_preview();
        else
            window->print_wave();
        EXPECT_EQ(read_bytes(pdf).startsWith("%PDF"), c.accepted) << c.name;
    }
}

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

TEST_F(MainWindow, InstrumentTreeSitsInTheDockAndMakesTheFirstScan)
{
    const QString gen = QString::fromStdString(instruments.add_usb(sim_generator_profile(2)));
    const int searches = instruments.searches();
    build();
    ui_comm_tree_form_t *tree = window->comm_tree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(instruments.searches(), searches + 1);
    EXPECT_FALSE(tree->isWindow());
    EXPECT_TRUE(tree->isVisible());
    QDockWidget *dock = nullptr;
    for (QWidget *w = tree->parentWidget(); w && !dock; w = w->parentWidget())
        dock = qobject_cast<QDockWidget *>(w);
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(window->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(usb_items(), QStringList{gen});
}

// The tick only reads the tree's list: the counts of the last scan, no new search.
TEST_F(MainWindow, StatusBarCountsTheInstrumentsAtTheTick)
{
    instruments.add_usb(sim_generator_profile(2));
    instruments.add_usb(sim_generator_profile(4));
    instruments.add_usb(sim_scope_profile(2));
    build();
    EXPECT_EQ(window->awg_edit()->text(), "AWG: unavailable");
    const int searches = instruments.searches();
    window->timer_refresh_commtree_slot_func();
    EXPECT_EQ(window->awg_edit()->text(), "AWG: available(2)");
    EXPECT_EQ(window->scope_edit()->text(), "Oscilloscope: available(1)");
    EXPECT_EQ(instruments.searches(), searches);
}

// Each device message is one device-change refresh: a search, and a rescan only when the
// number of USB instruments changed; then the control-panel menu is rebuilt.
TEST_F(MainWindow, DeviceMessageRefreshesTheTreeOnce)
{
    const std::string first = instruments.add_usb(sim_generator_profile(2));
    const std::string second = instruments.add_usb(sim_generator_profile(2));
    instruments.unplug(second);
    build();
    instruments.journal().clear();
    instruments.plug(second);
    const int searches = instruments.searches();
    ASSERT_TRUE(window->handle_device_message(0x0219, 0x8000));
    // One search for the tree and one for the control-panel menu.
    EXPECT_EQ(instruments.searches(), searches + 2);
    EXPECT_EQ(detect.calls, 1);
    EXPECT_EQ(usb_items(), (QStringList{QString::fromStdString(first), QString::fromStdString(second)}));
    window->timer_refresh_commtree_slot_func();
    EXPECT_EQ(window->awg_edit()->text(), "AWG: available(2)");

    // The same count again: one search and nothing else.
    instruments.journal().clear();
    ASSERT_TRUE(window->handle_device_message(0x0219, 0x8004));
    EXPECT_EQ(instruments.searches(), searches + 4);
    EXPECT_TRUE(instruments.journal().entries().empty());
}

// Refresh from the Communication menu and from the tool bar rescans and identifies
// everything again, also with an unchanged count.
TEST_F(MainWindow, RefreshCommandsRescanEverything)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    build();
    struct refresh_case_t
    {
        const char *name;
        std::function<void(ui_ondrix_t &)> run;
    };
    const refresh_case_t cases[] = {
        {"menu", [](ui_ondrix_t &w) { w.commands.comm_refresh->trigger(); }},
        {"button", [](ui_ondrix_t &w) { QTest::mouseClick(w.commands.btn_refresh, Qt::LeftButton); }},
    };
    for (const refresh_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        instruments.journal().clear();
        const int searches = instruments.searches();
        log_capture_t log;
        c.run(*window);
        EXPECT_EQ(instruments.searches(), searches + 1);
        EXPECT_EQ(instruments.opened(), std::vector<std::string>{gen});
        EXPECT_FALSE(log.lines().join("\n").contains("not built yet"));
    }
}

TEST_F(MainWindow, TreeRequestsReachTheCommunicationOpener)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    build();
    QTreeWidget *tree = window->comm_tree()->tree();
    QTreeWidgetItem *item = tree->findItems(QString::fromStdString(gen), Qt::MatchExactly)[0];
    menu_script_t menus;
    menus.picks = {"Read waveform from AWG"};
    log_capture_t log;
    // Near the item's left end: its text is wider than the dock.
    const QPoint at(tree->visualItemRect(item).left() + 30, tree->visualItemRect(item).center().y());
    QTest::mousePress(tree->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_EQ(menus.shown.size(), 1);
    EXPECT_TRUE(log.lines().contains("not built yet: open_comm_form(ui_comm_mode_t,uint16)"))
        << log.lines().join("\n").toStdString();
}

TEST_F(MainWindow, CommandsWithoutADocumentSayHow)
{
    prompt_script_t prompts;
    EXPECT_FALSE(window->save_file());
    window->print_wave();
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts[0], "No waveform exit.\nPlease create or open a waveform first.");
}

TEST_F(MainWindow, DeviceChangeMessagesEmitOnce)
{
    QSignalSpy spy(window.get(), SIGNAL(refreash_dev_conn_signal()));
    EXPECT_TRUE(window->handle_device_message(0x0219, 0x8000));
    EXPECT_TRUE(window->handle_device_message(0x0219, 0x8004));
    EXPECT_FALSE(window->handle_device_message(0x0219, 0x0007));
    EXPECT_FALSE(window->handle_device_message(0x0219, 0x8001));
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(MainWindow, UnbuiltCommandsOnlyLogThemselves)
{
    QStringList seen;
    static QStringList *sink;
    sink = &seen;
    prompt_script_t prompts;
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &m) { sink->append(m); });
    window->open_comm_form(static_cast<ui_comm_mode_t>(1), 0);
    // The math tools are built: without a document they only say so.
    window->open_wvmath_form();
    window->open_filter_form();
    window->open_window_form();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(seen.contains("not built yet: open_comm_form(ui_comm_mode_t,uint16)"));
    EXPECT_EQ(seen.filter("not built yet").size(), 1) << seen.filter("not built yet").join("|").toStdString();
    const QString no_wave = "No waveform exit.\nPlease create or open a waveform first.";
    EXPECT_EQ(prompts.texts, (QStringList{no_wave, no_wave, no_wave}));
}

TEST_F(MainWindow, ConstructionConnectsEverythingByName)
{
    connect_watch_t watch;
    ui_ondrix_t another;
    another.open_new_wave_window("");
    EXPECT_TRUE(watch.bad().isEmpty()) << watch.bad().join("\n").toStdString();
}

TEST_F(MainWindow, ExitWithEveryDocumentAgreeingLogsOnce)
{
    prompt_script_t prompts;
    window->open_new_wave_window("");
    window->open_new_wave_window("");
    prompts.answers = {QMessageBox::No, QMessageBox::No};
    QStringList seen;
    static QStringList *sink;
    sink = &seen;
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &m) { sink->append(m); });
    window->exit_app();
    qInstallMessageHandler(previous);
    EXPECT_FALSE(window->has_waveform_window());
    EXPECT_EQ(seen.count("Application Exit\r\n\r\n"), 1);
}

