// The communication dialog's table, rows, sessions, buttons and result messages.
#include "comm_form_fixture.h"
#include "drv_device_comm.h"
#include "menu_script.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

namespace {

[[maybe_unused]] QStringList row_cells(QTableWidget *t, int row)
{
    QStringList out;
    for (int c = 0; c < 4; ++c)
        out << (t->item(row, c) ? t->item(row, c)->text() : QString("<null>"));
    return out;
}

[[maybe_unused]] int opens(instrument_env_t &env) { return static_cast<int>(env.journal().of_kind(sim_journal_entry_t::OPEN).size()); }
[[maybe_unused]] int closes(instrument_env_t &env) { return static_cast<int>(env.journal().of_kind(sim_journal_entry_t::CLOSE).size()); }

} // namespace

#ifndef COMM_FORM_BRAND_CASE

// Each mode lists its own instruments, one per row, at most six; the cells are read-only.
TEST_F(CommFormTest, TableListsTheModesInstrumentsInSixRows)
{
    for (int i = 0; i < 7; ++i)
        add_gen(i % 3);
    add_scope(4);
    struct case_t
    {
        int mode;
        int filled;
    };
    for (const case_t c : {case_t{0, 6}, case_t{1, 6}, case_t{2, 1}}) {
        SCOPED_TRACE(c.mode);
        open(c.mode);
        ASSERT_EQ(table()->rowCount(), 6);
        EXPECT_EQ(table()->horizontalHeaderItem(3)->text(), "VISA Address");
        for (int r = 0; r < 6; ++r) {
            const QStringList cells = row_cells(table(), r);
            if (r >= c.filled) {
                EXPECT_EQ(cells, QStringList({"", "", "", ""}));
                continue;
            }
            const QString address = QString::fromStdString(c.mode == 2 ? scopes[r].addr_res : awgs[r].addr_res);
            EXPECT_EQ(cells[3], address);
            EXPECT_FALSE(table()->item(r, 0)->flags() & Qt::ItemIsEditable);
        }
        // The seventh generator appears nowhere.
        EXPECT_TRUE(table()->findItems(QString::fromStdString(awgs[6].addr_res), Qt::MatchExactly).isEmpty());
        EXPECT_EQ(table()->columnWidth(0), 110);
        delete form.data();
    }
}

// Selecting, connecting and disconnecting: the buttons, the one visible indicator and
// each row's own session, two rows connected at once.
TEST_F(CommFormTest, RowsConnectAndDisconnectWithTheirOwnSessions)
{
    add_gen(2);
    add_gen(4);
    open(0);
    form->set_res_row_sel(1);
    // Opened for row 1: its indicator only, nothing selected, every action off.
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{1, "red"}}));
    EXPECT_EQ(table()->currentRow(), -1);
    auto buttons = [this] {
        return std::vector<bool>{form->form()->btn_connect->isEnabled(), form->form()->btn_disconnect->isEnabled(),
                                 form->send_btn->isEnabled()};
    };
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));

    press_row(4); // no instrument there
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{4, "red"}}));

    press_row(0);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false}));
    QTest::mouseClick(form->form()->btn_connect, Qt::LeftButton);
    EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{0, "green"}}));
    const ViSession first = form->get_session();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(form->get_row_session(0), first);

    connect_row(1);
    const ViSession second = form->get_session();
    EXPECT_NE(second, first);
    EXPECT_EQ(opens(env), 2);

    // Back to row 0: its session again, no new connection.
    press_row(0);
    EXPECT_EQ(form->get_session(), first);
    EXPECT_TRUE(form->is_connected());
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{0, "green"}}));
    EXPECT_EQ(opens(env), 2);

    QTest::mouseClick(form->form()->btn_disconnect, Qt::LeftButton);
    EXPECT_EQ(closes(env), 1);
    EXPECT_EQ(form->get_row_session(0), 0u);
    EXPECT_EQ(form->get_row_session(1), second);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{0, "red"}}));
    EXPECT_TRUE(prompts.texts.isEmpty());
}

TEST_F(CommFormTest, AFailedConnectionStaysRedAndSilent)
{
    add_gen(2);
    engine(0).faults().refuse_open = true;
    open(0);
    connect_row(0);
    EXPECT_EQ(indicators(), (std::vector<std::pair<int, std::string>>{{0, "red"}}));
    EXPECT_TRUE(form->form()->btn_connect->isEnabled());
    EXPECT_FALSE(form->send_btn->isEnabled());
    EXPECT_FALSE(form->is_row_connected(0));
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// The context menu acts on the current row only when it holds an instrument; connecting
// a connected row opens no second session.
TEST_F(CommFormTest, ContextMenuConnectsOnlyARealUnconnectedRow)
{
    add_gen(2);
    open(0);
    menu_script_t menus;
    auto run_menu = [this](const QString &pick, menu_script_t &m) {
        m.picks = {pick};
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), form->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(form.data(), &event);
    };
    run_menu("connect", menus); // no current row
    run_menu("disconnect", menus);
    EXPECT_EQ(opens(env), 0);
    ASSERT_FALSE(menus.shown.isEmpty());
    EXPECT_EQ(menus.shown[0], QStringList({"connect", "disconnect"}));

    press_row(3); // empty address
    run_menu("connect", menus);
    EXPECT_EQ(opens(env), 0);

    press_row(0);
    run_menu("connect", menus);
    run_menu("connect", menus);
    EXPECT_EQ(opens(env), 1);
    EXPECT_TRUE(form->is_row_connected(0));
    run_menu("disconnect", menus);
    EXPECT_EQ(closes(env), 1);
    EXPECT_FALSE(form->is_row_connected(0));
}

// Cancel and a close by the frame both end every session; only Cancel reports (2).
TEST_F(CommFormTest, CancelAndFrameCloseEndAllSessions)
{
    add_gen(2);
    add_gen(2);
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        open(1);
        QSignalSpy codes(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
        connect_row(0);
        connect_row(1);
        env.journal().clear();
        if (cancel)
            QTest::mouseClick(form->cancel_btn, Qt::LeftButton);
        else
            form->close();
        EXPECT_EQ(closes(env), 2);
        EXPECT_EQ(codes.count(), cancel ? 1 : 0);
        if (cancel) {
            EXPECT_EQ(codes[0][1].toInt(), 2);
            EXPECT_EQ(form->get_row_session(0), 0u);
            delete form.data();
        } else {
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(form.isNull()) << "the dialog deletes itself when closed";
        }
    }
}

// Every code reaches its own message; -38 goes to the main window's prompt instead, and
// a code without message shows nothing.
TEST_F(CommFormTest, ResultCodesReachTheirMessages)
{
    open(0);
    QSignalSpy info(form.data(), SIGNAL(system_info_signal(int32)));
    struct case_t
    {
        int code;
        const char *text;
    };
    const case_t cases[] = {
        {1, "Send waveform to AWG successfully."},
        {-20, "Failed to import waveform.\nPlease check the connection of instrument."},
        {-21, "Failed to get ARB waveform list.\nPlease check the connection of instrument."},
        {-22, "Failed to read command from AWG.\nPlease check the connection of instrument."},
        {-23, "Failed to read ARB data.\nPlease check the length of current waveform."},
        {-24, "Failed to send command or data to AWG.\nPlease check the connection of instrument."},
        {-25, "The instrument does not support this format."},
        {-26, "The frequency is out of range."},
        {-27, "The amplitude is out of range."},
        {-28, "The offset is out of range."},
        {-29, "The phase is out of range."},
        {-30, "Failed to send waveform to AWG.\nPlease check the connection."},
        {-31, "Error occurs.\nPlease check the connection of instrument."},
        {-32, "Errors about memory occurred while sending wave to AWG."},
        {-33, "The wave which has 512K points can only be sent to ARB25~ARB32 of ZQWQ000."},
        {-34, "The wave which has 512K points can only be sent to ARB4 of ZQWQ000."},
        {-35, "The waveform name cannot be empty."},
        {-36, "The waveform name can not contain chinese characters."},
        {-37, "The waveform name is invalid. It can be composed of numbers, letters, underscores and minus signs. "
              "The length is 1 ~ 18 and cannot contain spaces."},
        {-38, nullptr},
        {-1, nullptr},
        {0, nullptr},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.code);
        prompts.texts.clear();
        form->show_comm_ret_info(c.code);
        EXPECT_EQ(prompts.texts, c.text ? QStringList{c.text} : QStringList{});
    }
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info[0][0].toInt(), 0);
}

// The signatures the main window and the dialog connect by string exist as spelled.
TEST_F(CommFormTest, SignaturesExistAsSpelled)
{
    open(1);
    const QMetaObject *m = form->metaObject();
    for (const char *s : {"btn_info_signal(ui_comm_form_t*,int32)", "comm_form_btn_signal(ui_comm_form_t*,int32)",
                          "system_info_signal(int32)"})
        EXPECT_GE(m->indexOfSignal(s), 0) << s;
    for (const char *s : {"comm_form_btn_slot_func(ui_comm_form_t*,int32)", "connect_slot_func()",
                          "disconnect_slot_func()", "btn_slot_func()", "combx_slot_func(QString)", "combx_slot_func(int)",
                          "comm_table_slot_func(int,int)"})
        EXPECT_GE(m->indexOfSlot(s), 0) << s;
    // The relay is wired once: Cancel reports once.
    QSignalSpy codes(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
    QTest::mouseClick(form->cancel_btn, Qt::LeftButton);
    EXPECT_EQ(codes.count(), 1);
}

#endif

// Under the brand of "factory.txt" a model-class-9 generator shows the brand and its
// own model name, with narrower first columns.
TEST_F(CommFormTest, BrandNamesItsClassNineGenerators)
{
    add_gen(9);
    add_gen(2);
    open(0);
#ifdef COMM_FORM_BRAND_CASE
    const QStringList first = {"DUVARN", "QX4HVB2200-KTRM"};
    const int widths[] = {90, 140, 130, 320};
#else
    const QStringList first = {"Korvane", QString::fromStdString(sim_generator_product(9))};
    const int widths[] = {110, 120, 130, 320};
#endif
    EXPECT_EQ(row_cells(table(), 0).mid(0, 2), first);
    EXPECT_EQ(row_cells(table(), 1)[0], "Korvane");
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(table()->columnWidth(c), widths[c]) << c;
}
