#include "ui_digtal_wave_form.h"

#include "cfg_if_bswv_sine.h"
#include "cfg_if_digwv.h"
#include "create_test_util.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_dspinbx_frame.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include "layout_check.h"
#include "ui_app_paths.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace create_test;
typedef ui_digtal_wave_form_t D;

namespace {

std::unique_ptr<cfg_if_digwv_t> make_pattern(uint32 n, std::function<uint16(uint32)> word)
{
    auto w = std::make_unique<cfg_if_digwv_t>();
    w->set_wv_type(LIB_WV_DIGITAL);
    w->set_wv_len(n);
    std::vector<short int> v(n);
    for (uint32 i = 0; i < n; ++i)
        v[i] = static_cast<short int>(word(i));
    if (n)
        w->get_wv_data()->samples.write(0, v.data(), n);
    return w;
}

struct editor_t
{
    QPointer<D> dlg;
    editor_t(uint32 points, bool change, cfg_if_wv_t *existing, double freq = 1000.0)
    {
        dlg = new D(nullptr, points, INSTR_ZQW6000X, freq, change, existing);
        dlg->show();
    }
    ~editor_t() { delete dlg.data(); }
    D *operator->() { return dlg.data(); }
    Ui_ui_digtal_wave_form_t *ui() { return dlg->get_form(); }
    QTableWidget *table() { return ui()->tableWidget; }
    std::vector<short int> samples() { return samples_of(dlg->get_digwv()->get_wv_data()); }
    uint16 word(uint32 i) { return static_cast<uint16>(samples()[i]); }
    void click(QAbstractButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    void select_rows(std::initializer_list<int> rows)
    {
        table()->clearSelection();
        for (int r : rows)
            table()->item(r, 1)->setSelected(true);
    }
    int visible_rows()
    {
        int n = 0;
        for (int r = 0; r < table()->rowCount(); ++r)
            n += table()->isRowHidden(r) ? 0 : 1;
        return n;
    }
    QString pos(int r) { return table()->item(r, 0)->text(); }
    QString val(int r) { return table()->item(r, 1)->text(); }
    int page_max() { return static_cast<int>(dlg->get_page_frame()->max_value); }
    void choose_all_channels() { click(ui()->rdbtn_all_ch); }
    void choose_channel(int c)
    {
        ui()->ch_comb->setCurrentIndex(c);
        emit ui()->ch_comb->activated(c);
    }
    QAction *menu_action(const QString &text)
    {
        for (QAction *a : dlg->get_menu()->actions())
            if (a->text() == text)
                return a;
        for (QAction *a : dlg->get_copy_to_menu()->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
};

uint16 clock(uint32 i) { return i % 2 == 0 ? 0xFFFF : 0x0000; }

} // namespace

TEST(UiDigitalWaveForm, NewPatternIsTheClockWithTheCallersFrequency)
{
    editor_t e(16384, false, nullptr);
    const std::vector<short int> s = e.samples();
    ASSERT_EQ(s.size(), 16384u);
    for (uint32 i = 0; i < 8; ++i)
        EXPECT_EQ(static_cast<uint16>(s[i]), clock(i));
    EXPECT_EQ(e->get_wave_length_frame()->get_value(), 16384);
    EXPECT_DOUBLE_EQ(e->get_bit_rate_frame()->get_value(), 16384000.0);
    EXPECT_DOUBLE_EQ(e->get_digwv()->get_bit_rate(), 1000000.0) << "until the field commits";
    EXPECT_EQ(e->get_digwv()->get_instr_type(), INSTR_ZQW7000A);
    EXPECT_EQ(e->get_digwv()->get_wv_type(), LIB_WV_DIGITAL);
    EXPECT_EQ(e.visible_rows(), 20);
    EXPECT_EQ(e.val(0), "1");
    EXPECT_EQ(e.val(1), "0");
    EXPECT_EQ(e->get_preview_samples().size(), 20u);
}

TEST(UiDigitalWaveForm, EditingKeepsSamplesAndBitRate)
{
    auto src = make_pattern(100, [](uint32 i) { return uint16(i * 7); });
    src->set_bit_rate(2500.0f);
    src->set_wv_len(100);
    editor_t e(100, true, src.get());
    EXPECT_DOUBLE_EQ(e->get_digwv()->get_bit_rate(), 2500.0);
    EXPECT_DOUBLE_EQ(e->get_bit_rate_frame()->get_value(), 2500.0);
    EXPECT_EQ(e.samples(), samples_of(src->get_wv_data()));
    EXPECT_NE(e->get_digwv(), src.get());
}

TEST(UiDigitalWaveForm, ConvertingAnAnalogWaveKeepsItsWords)
{
    cfg_if_bswv_sine_t sine;
    sine.set_wv_len(64);
    sine.set_freq(500.0);
    sine.set_instr_type(INSTR_ZQW2000X);
    ASSERT_EQ(sine.create_wv_data(), 0);
    editor_t e(64, true, &sine, 500.0);
    EXPECT_DOUBLE_EQ(e->get_digwv()->get_bit_rate(), 32000.0);
    EXPECT_EQ(e.samples(), samples_of(sine.get_wv_data()));
    EXPECT_EQ(e->get_digwv()->get_instr_type(), INSTR_ZQW7000A);
}

TEST(UiDigitalWaveForm, ChangeParaWithoutObjectGivesZeros)
{
    editor_t e(30, true, nullptr);
    EXPECT_EQ(e.samples(), std::vector<short int>(30, 0));
}

TEST(UiDigitalWaveForm, ButtonCodesAndNoFileWithoutHandOver)
{
    {
        editor_t e(64, false, nullptr);
        QSignalSpy spy(e.dlg, SIGNAL(digital_wave_form_btn_signal(ui_digtal_wave_form_t *, int32, bool)));
        e.click(e.ui()->btn_cancel);
        e->close();
        ASSERT_EQ(spy.count(), 2);
        EXPECT_EQ(spy.at(0).at(1).toInt(), 2);
        EXPECT_EQ(spy.at(1).at(1).toInt(), 8);
        EXPECT_FALSE(spy.at(1).at(2).toBool());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(e.dlg.isNull());
    }
    EXPECT_TRUE(wave_buffer_files().isEmpty());

    std::unique_ptr<cfg_if_wv_t> taken;
    {
        editor_t e(64, false, nullptr);
        QSignalSpy spy(e.dlg, SIGNAL(digital_wave_form_btn_signal(ui_digtal_wave_form_t *, int32, bool)));
        e.click(e.ui()->btn_ok);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
        taken.reset(e->take_wave_object());
    }
    EXPECT_EQ(samples_of(taken->get_wv_data()).size(), 64u);
    taken.reset();
    EXPECT_TRUE(wave_buffer_files().isEmpty());
}

TEST(UiDigitalWaveForm, WaveLengthAndBitRate)
{
    editor_t e(64, false, nullptr);
    type_base(e->get_bit_rate_frame(), "5000");
    EXPECT_DOUBLE_EQ(e->get_digwv()->get_bit_rate(), 5000.0);
    EXPECT_DOUBLE_EQ(*e->get_digwv()->get_freq(), 1000.0) << "frequency waits for the point count";
    type_base(e->get_index_frame(), "60");
    type_base(e->get_wave_length_frame(), "50");
    EXPECT_EQ(e.samples().size(), 50u);
    EXPECT_DOUBLE_EQ(*e->get_digwv()->get_freq(), 100.0);
    EXPECT_EQ(e->get_index_frame()->get_value(), 50);
    EXPECT_EQ(e.page_max(), 3);
    EXPECT_EQ(e.visible_rows(), 10);
}

TEST(UiDigitalWaveForm, PagingAtSmallCounts)
{
    struct paging_case_t
    {
        uint32 count;
        int rows;
        int pages;
        int last_page_rows;
    };
    const paging_case_t cases[] = {{0, 0, 1, 0}, {1, 1, 1, 1}, {19, 19, 1, 19}, {20, 20, 1, 20}, {45, 20, 3, 5}};
    for (const paging_case_t &c : cases) {
        SCOPED_TRACE(c.count);
        auto src = make_pattern(c.count, [](uint32 i) { return uint16(i); });
        editor_t e(c.count, true, src.get());
        EXPECT_EQ(e.table()->rowCount(), c.rows);
        EXPECT_EQ(e.page_max(), c.pages);
        e.click(e.ui()->btn_goto);
        e.choose_all_channels();
        EXPECT_EQ(e->get_view_mode(), 1);
        type_base(e->get_page_frame(), QString::number(c.pages));
        EXPECT_EQ(e.visible_rows(), c.last_page_rows);
        if (c.count == 45) {
            EXPECT_EQ(e.pos(0), "41");
            EXPECT_EQ(e.val(4), "0x2C");
            EXPECT_EQ(e->get_index_frame()->get_value(), 41);
            type_base(e->get_index_frame(), "7");
            EXPECT_EQ(e->get_page(), 1);
            EXPECT_EQ(e.visible_rows(), 20);
            EXPECT_EQ(e.table()->currentRow(), 6);
        }
        if (c.count == 0) {
            e.select_rows({});
            e->get_menu();
            e.menu_action("Delete")->trigger();
            EXPECT_TRUE(e.samples().empty());
        }
    }
}

TEST(UiDigitalWaveForm, PackedViewPages)
{
    auto src = make_pattern(1000, [](uint32 i) { return uint16(i % 3 == 0 ? 1 : 0); });
    editor_t e(1000, true, src.get());
    e.click(e.ui()->rdbtn_16_bit);
    EXPECT_EQ(e.page_max(), 4);
    EXPECT_EQ(e.val(0), "0x9249"); // bits 0, 3, 6, 9, 12, 15
    type_base(e->get_page_frame(), "4");
    EXPECT_EQ(e.visible_rows(), 3);
    EXPECT_EQ(e.pos(0), "961~976");
    EXPECT_EQ(e.pos(2), "993~1000");
    e.select_rows({1});
    EXPECT_EQ(e->get_index_frame()->get_value(), 977);
    EXPECT_EQ(e->get_preview_samples().size(), 16u);

    auto odd = make_pattern(337, [](uint32) { return uint16(1); });
    editor_t f(337, true, odd.get());
    f.click(f.ui()->rdbtn_16_bit);
    type_base(f->get_page_frame(), "2");
    EXPECT_EQ(f.pos(1), "337") << "one sample: no range";
    f.select_rows({1});
    EXPECT_EQ(f->get_index_frame()->get_value(), 337);
}

TEST(UiDigitalWaveForm, CellEdits)
{
    struct edit_case_t
    {
        const char *name;
        bool packed, all;
        const char *typed;
        const char *shown;
        uint16 word0, word1;
    };
    const edit_case_t cases[] = {
        {"bit view, 10 in base 2 sets", false, false, "10", "1", 0x0001, 0x0000},
        {"bit view, 2 is no base-2 number", false, false, "2", "0", 0x0000, 0x0000},
        {"bit view, empty clears", false, false, "", "0", 0x0000, 0x0000},
        {"word view keeps the low 16 bits", false, true, "1FFFF", "0xFFFF", 0xFFFF, 0x0000},
        {"word view with 0x", false, true, "0x00a5", "0xA5", 0x00A5, 0x0000},
        {"word view, empty stores 0", false, true, "", "0x0", 0x0000, 0x0000},
        {"packed view sets the first sample only", true, false, "0x1", "0x1", 0x0001, 0x0000},
        {"packed view, empty clears the row", true, false, "", "0x0", 0x0000, 0x0000},
    };
    for (const edit_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        auto src = make_pattern(40, [](uint32) { return uint16(0); });
        editor_t e(40, true, src.get());
        if (c.all)
            e.choose_all_channels();
        else if (c.packed)
            e.click(e.ui()->rdbtn_16_bit);
        if (c.packed) { // start from a row of all ones in D0
            e.table()->item(0, 1)->setText("0xFFFF");
            EXPECT_EQ(e.word(15), 1);
        }
        e.table()->item(0, 1)->setText(c.typed);
        EXPECT_EQ(e.val(0), c.shown);
        EXPECT_EQ(e.word(0), c.word0);
        EXPECT_EQ(e.word(1), c.word1);
    }
}

TEST(UiDigitalWaveForm, ChannelSelectionSwitchesViews)
{
    editor_t e(64, false, nullptr);
    e.choose_all_channels();
    EXPECT_TRUE(e.ui()->rdbtn_16_bit->isChecked());
    EXPECT_FALSE(e.ui()->rdbtn_single_bit->isEnabled());
    EXPECT_FALSE(e.ui()->ch_comb->isEnabled());
    EXPECT_EQ(e.val(0), "0xFFFF");
    e.click(e.ui()->rdbtn_single_ch);
    EXPECT_TRUE(e.ui()->rdbtn_single_bit->isEnabled());
    EXPECT_TRUE(e.ui()->rdbtn_16_bit->isChecked());
    EXPECT_EQ(e.val(0), "0x5555") << "packed view of D0";
}

TEST(UiDigitalWaveForm, QuickOperations)
{
    editor_t e(16384, false, nullptr);
    e.choose_channel(3);
    e.click(e.ui()->btn_zero);
    EXPECT_EQ(e.word(0), 0xFFF7);
    EXPECT_EQ(e.word(1), 0x0000);

    e.click(e.ui()->btn_default);
    EXPECT_EQ(e.word(0), 0xFFFF);
    e.choose_channel(5);
    e.click(e.ui()->btn_invert);
    EXPECT_EQ(e.word(0), 0xFFDF);
    EXPECT_EQ(e.word(1), 0x0020);
    e.click(e.ui()->btn_default);
    EXPECT_EQ(e.word(0), 0xFFFF);
    EXPECT_EQ(e.word(1), 0x0000);

    e.ui()->src_comb->setCurrentIndex(4);
    e.ui()->dest_comb->setCurrentIndex(4);
    const std::vector<short int> before = e.samples();
    e.click(e.ui()->btn_ch_copy);
    EXPECT_EQ(e.samples(), before);

    e.choose_all_channels();
    e.click(e.ui()->btn_invert);
    EXPECT_EQ(e.word(0), 0x0000);
    EXPECT_EQ(e.word(1), 0xFFFF);
    e.click(e.ui()->btn_default);
    EXPECT_EQ(e.word(0), 0xFFFF);
    e.click(e.ui()->btn_zero);
    EXPECT_EQ(e.samples(), std::vector<short int>(16384, 0));
}

TEST(UiDigitalWaveForm, BulkPassesCrossTheChunkBoundary)
{
    const uint32 n = 5242880 + 1000;
    auto src = make_pattern(n, [](uint32 i) { return uint16(i % 7 == 0 ? 0x0004 : 0x0000); });
    editor_t e(n, true, src.get());
    e.choose_channel(5);
    e.click(e.ui()->btn_default);
    e.ui()->src_comb->setCurrentIndex(2);
    e.ui()->dest_comb->setCurrentIndex(16); // ALL
    e.click(e.ui()->btn_ch_copy);
    const std::vector<short int> s = e.samples();
    ASSERT_EQ(s.size(), n);
    for (uint32 i : {0u, 1u, 5242879u, 5242880u, 5242881u, n - 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<uint16>(s[i]), i % 7 == 0 ? 0xFFFF : 0x0000);
    }
    e.choose_all_channels();
    e.click(e.ui()->btn_zero);
    e.choose_channel(0);
    e.click(e.ui()->btn_default);
    const std::vector<short int> t = e.samples();
    for (uint32 i : {5242879u, 5242880u, 5242881u})
        EXPECT_EQ(static_cast<uint16>(t[i]), i % 2 == 0 ? 1 : 0) << i;
}

TEST(UiDigitalWaveForm, ContextMenuStatesAndCopyPaste)
{
    editor_t e(64, false, nullptr);
    e.choose_all_channels();
    e.select_rows({2});
    e->update_menu_state();
    EXPECT_TRUE(e.menu_action("Invert")->isEnabled());
    EXPECT_TRUE(e.menu_action("Copy")->isEnabled());
    EXPECT_FALSE(e.menu_action("Paste")->isEnabled());
    EXPECT_TRUE(e.menu_action("Insert")->isEnabled());
    EXPECT_TRUE(e.menu_action("Delete")->isEnabled());
    EXPECT_FALSE(e->get_copy_to_menu()->isEnabled());
    e.menu_action("Copy")->trigger();
    EXPECT_EQ(e->get_copy_text(), "0xFFFF");
    e->update_menu_state();
    EXPECT_TRUE(e.menu_action("Paste")->isEnabled());
    e.select_rows({1, 3});
    e.menu_action("Paste")->trigger();
    EXPECT_EQ(e.word(1), 0xFFFF);
    EXPECT_EQ(e.word(3), 0xFFFF);

    e.click(e.ui()->rdbtn_single_ch);
    e.click(e.ui()->rdbtn_single_bit);
    e->update_menu_state();
    EXPECT_TRUE(e->get_copy_text().isEmpty());
    EXPECT_FALSE(e.menu_action("Paste")->isEnabled());
    EXPECT_FALSE(e.menu_action("Insert")->isEnabled());
    EXPECT_FALSE(e.menu_action("Delete")->isEnabled());
    EXPECT_TRUE(e->get_copy_to_menu()->isEnabled());
}

TEST(UiDigitalWaveForm, RowOperations)
{
    auto src = make_pattern(30, [](uint32 i) { return uint16(i); });
    editor_t e(30, true, src.get());
    // Copy to D7 from D0, on rows 1 and 2 (samples 1 and 2 odd/even).
    e.select_rows({1, 2});
    e.menu_action("D7")->trigger();
    EXPECT_EQ(e.word(1), 0x0081);
    EXPECT_EQ(e.word(2), 0x0002);
    EXPECT_EQ(e.word(3), 0x0003);
    e.select_rows({3});
    e.menu_action("Invert")->trigger();
    EXPECT_EQ(e.word(3), 0x0002);

    e.choose_all_channels();
    e.select_rows({4});
    e.menu_action("Insert")->trigger();
    ASSERT_EQ(e.samples().size(), 31u);
    EXPECT_EQ(e.word(4), 0);
    EXPECT_EQ(e.word(5), 4);
    EXPECT_EQ(e->get_wave_length_frame()->get_value(), 31);
    EXPECT_DOUBLE_EQ(*e->get_digwv()->get_freq(), 1000000.0 / 31);

    e.select_rows({2, 0});
    e.menu_action("Delete")->trigger();
    std::vector<short int> s = e.samples();
    ASSERT_EQ(s.size(), 29u);
    EXPECT_EQ(s[0], 0x0081);
    EXPECT_EQ(s[1], 0x0002);
    EXPECT_EQ(s[2], 0);
}

TEST(UiDigitalWaveForm, ShrinkingBelowAPageHidesTheRestAndKeepsOneSample)
{
    auto src = make_pattern(22, [](uint32 i) { return uint16(i); });
    editor_t e(22, true, src.get());
    e.choose_all_channels();
    e.select_rows({0, 1, 2, 3, 4});
    e.menu_action("Delete")->trigger();
    ASSERT_EQ(e.samples().size(), 17u);
    EXPECT_EQ(e.visible_rows(), 17);
    EXPECT_EQ(e.page_max(), 1);
    EXPECT_EQ(e.val(0), "0x5");

    std::vector<int> all;
    for (int r = 0; r < 17; ++r)
        all.push_back(r);
    e.table()->clearSelection();
    for (int r : all)
        e.table()->item(r, 1)->setSelected(true);
    e.menu_action("Delete")->trigger();
    EXPECT_EQ(e.samples().size(), 17u) << "refused: it would leave no sample";

    // A row past the pattern is no sample: its text cannot write one past the end.
    e.table()->item(19, 1)->setText("0x7");
    EXPECT_EQ(e.samples().size(), 17u);
}

TEST(UiDigitalWaveForm, PageAndIndexFields)
{
    auto src = make_pattern(45, [](uint32 i) { return uint16(i); });
    editor_t e(45, true, src.get());
    type_base(e->get_page_frame(), "2");
    EXPECT_EQ(e->get_page(), 2);
    EXPECT_EQ(e->get_index_frame()->get_value(), 21);
    EXPECT_EQ(e.pos(0), "21");
    type_base(e->get_index_frame(), "25");
    EXPECT_EQ(e->get_page(), 2);
    EXPECT_EQ(e.table()->currentRow(), 4);
    type_base(e->get_page_frame(), "2");
    EXPECT_EQ(e->get_index_frame()->get_value(), 25) << "the page already shown: nothing happens";
    e.select_rows({7});
    EXPECT_EQ(e->get_index_frame()->get_value(), 28);
    type_base(e->get_index_frame(), "44");
    EXPECT_EQ(e->get_page(), 3);
    EXPECT_EQ(e.visible_rows(), 5);
    EXPECT_EQ(e.table()->currentRow(), 3);
}

// Under the application style sheet every control shows whole: the Index and Page entries
// used to run past their holders, over the Goto button and the table's edge.
TEST(UiDialogLook, DigitalEditorShowsEveryControlWhole)
{
    ui_install_style_sheet();
    {
        editor_t e(64, false, nullptr);
        QApplication::processEvents();
        EXPECT_EQ(layout_check::faults(e.dlg).join("\n").toStdString(), "");
        for (QWidget *top : QApplication::topLevelWidgets())
            EXPECT_FALSE(top->isVisible() && top != e.dlg && top->inherits("QwtPlot")) << "no plot window of its own";
    }
    qApp->setStyleSheet(QString());
}
