// The parameter and channel areas of the communication dialog: what each mode and model
// class shows, the storage slots and locations, and the channels on offer.
#include "comm_form_fixture.h"
#include "ui_app_paths.h"
#include "ui_coustom_label.h"

#include <QApplication>

#include "layout_check.h"

namespace {

// The area's widgets in a fixed order, as a visibility string ("1" shown, "0" hidden):
// wave list label, wave combo, wave list combo, points label, points combo, store label,
// local, arb10, arb.
std::string shown(ui_comm_form_t *f)
{
    std::string out;
    for (QWidget *w : std::initializer_list<QWidget *>{f->wave_list_label, f->wave_combo, f->wave_list_combo,
                                                       f->points_label, f->points_combo, f->store_location_label,
                                                       f->local_store_combo, f->arb10_combo, f->arb_combo})
        out += w->isHidden() ? '0' : '1';
    return out;
}

// Enabled channel buttons "CH1".."CH8" then "DIGITAL", as a string.
std::string enabled(ui_comm_form_t *f)
{
    std::string out;
    for (ui_coustom_rdbtn_t *b : f->ch_rdbtns)
        out += b->isEnabled() ? '1' : '0';
    return out + (f->digital_rdbtn->isEnabled() ? '1' : '0');
}

} // namespace

TEST_F(CommFormTest, ParameterAreaFollowsModeAndModelClass)
{
    struct case_t
    {
        int mode;
        int model_class;
        const char *visible;
    };
    const case_t cases[] = {
        {0, 2, "110001100"}, {0, 5, "110001100"}, {0, 6, "110001001"}, {0, 7, "110001010"},
        {0, 8, "110001010"}, {1, 2, "101000000"}, {1, 6, "101000000"}, {2, 2, "000110000"},
        {2, 7, "000110000"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.model_class));
        awgs.clear();
        add_gen(c.model_class);
        add_doc(16384);
        if (c.mode == 0)
            open_send({"Wave book1-a"});
        else
            open(c.mode);
        press_row(0);
        EXPECT_EQ(shown(form), c.visible);
        delete form.data();
    }
}

// A class-9 generator leaves the storage widgets as the previous row set them.
TEST_F(CommFormTest, ClassAboveEightKeepsTheStorageWidgets)
{
    add_gen(7);
    add_gen(9);
    add_doc(16384);
    open_send({"Wave book1-a"});
    press_row(0);
    press_row(1);
    EXPECT_EQ(shown(form), "110001010");
    EXPECT_EQ(form->get_store_location(), "ARB50");
}

// The slot list and the locations of model class 6 come from the identity's extra field;
// classes 7 and 8 number their ten slots from 50.
TEST_F(CommFormTest, StorageSlotsAndLocations)
{
    struct case_t
    {
        int model_class;
        const char *extra;
        bool connect;
        int pick;
        int slot_count;
        const char *location;
    };
    const case_t cases[] = {
        {6, "HW-35", true, 0, 32, "ARB36"},   {6, "HW-40", true, 31, 32, "ARB67"},
        {6, "HW-34", true, 3, 4, "ARB4"},     {6, "HW-07", true, 0, 4, "ARB1"},
        {6, "HWX", true, 2, 32, "ARB52"},     {6, "HW-34", false, 5, 32, "ARB6"},
        {7, "", true, 2, 32, "ARB52"},        {8, "HW-99", false, 9, 32, "ARB59"},
        {2, "HW-35", true, 0, 32, "/Local"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(std::string(c.extra) + " " + std::to_string(c.model_class));
        awgs.clear();
        add_gen(c.model_class, c.extra);
        add_doc(16384);
        open_send({"Wave book1-a"});
        if (c.connect)
            connect_row(0);
        press_row(0);
        EXPECT_EQ(form->arb_combo->count(), c.slot_count);
        ui_coustom_comb_t *combo = c.model_class == 6 ? form->arb_combo : form->arb10_combo;
        combo->setCurrentIndex(c.pick);
        emit combo->activated(c.pick);
        EXPECT_EQ(form->get_store_location(), c.location);
        delete form.data();
    }
}

TEST_F(CommFormTest, ChannelButtonsPerModeAndInstrument)
{
    add_gen(2);
    add_gen(8); // one channel
    add_gen(1); // the digital one
    add_doc(16384);
    open_send({"Wave book1-a"});
    EXPECT_EQ(enabled(form), "110000000");
    EXPECT_TRUE(form->ch_rdbtns[0]->isChecked());

    // CH2 chosen, then a one-channel generator: back to CH1, and the send goes there.
    QTest::mouseClick(form->ch_rdbtns[1], Qt::LeftButton);
    EXPECT_EQ(form->get_channel(), 1);
    press_row(1);
    EXPECT_EQ(enabled(form), "100000000");
    EXPECT_TRUE(form->ch_rdbtns[0]->isChecked());
    EXPECT_EQ(form->get_channel(), 0);

    // DIGITAL only for a connected class-1 generator in send mode.
    connect_row(2);
    EXPECT_EQ(enabled(form), "110000001");
    QTest::mouseClick(form->digital_rdbtn, Qt::LeftButton);
    EXPECT_EQ(form->get_channel(), 8);
    press_row(0);
    EXPECT_FALSE(form->digital_rdbtn->isEnabled());
    EXPECT_TRUE(form->ch_rdbtns[0]->isChecked());
    EXPECT_EQ(form->get_channel(), 0);
    delete form.data();

    open(1);
    connect_row(2);
    EXPECT_EQ(enabled(form), "110000000");
}

// Import mode asks the selected row's own oscilloscope; without connection it assumes two.
TEST_F(CommFormTest, ImportOffersTheScopesChannels)
{
    add_scope(2);
    add_scope(4);
    add_scope(8);
    open(2);
    EXPECT_EQ(enabled(form), "110000000");
    const char *expected[] = {"110000000", "111100000", "111111110"};
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        press_row(r);
        EXPECT_EQ(enabled(form), "110000000") << "not connected: no query";
        QTest::mouseClick(form->form()->btn_connect, Qt::LeftButton);
        EXPECT_EQ(enabled(form), expected[r]);
    }
    // Row 0 again: its session says two, whatever row 2 said.
    press_row(0);
    EXPECT_EQ(enabled(form), "110000000");
}

// Looked at as a user would, with the style sheet, in each mode and generator family:
// nothing cut off or overlapping; the pictures go to ONDRIX_COMM_PNG_DIR when it is set.
TEST_F(CommFormTest, RendersWholeInEveryMode)
{
    ui_install_style_sheet();
    add_gen(2);
    add_gen(6, "HW-40");
    add_gen(7);
    add_scope(4);
    add_doc(16384);
    struct case_t
    {
        const char *name;
        int mode;
        int row;
    };
    const case_t cases[] = {{"send_local", 0, 0}, {"send_arb32", 0, 1}, {"send_arb10", 0, 2},
                            {"read", 1, 0},       {"import", 2, 0}};
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.mode);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.data()));
        connect_row(c.row);
        EXPECT_EQ(form->size(), QSize(859, 492));
        EXPECT_EQ(layout_check::faults(form.data()), QStringList());
        const QString dir = qEnvironmentVariable("ONDRIX_COMM_PNG_DIR");
        if (!dir.isEmpty())
            EXPECT_TRUE(form->grab().toImage().save(dir + "/comm_form_" + c.name + ".png"));
        delete form.data();
    }
    qApp->setStyleSheet(QString());
}
