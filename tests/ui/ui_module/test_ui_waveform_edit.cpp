// Edits of the document window through an owner harness: copy, cut, paste, invert,
// mirror and undo/redo, each read back from the sample file.
#include "waveform_harness.h"

#include "cfg_if_bswv_dc.h"
#include "lib_file_io.h"
#include "plat_mem.h"
#include "ui_paste_option.h"
#include "ui_plot_loader.h"
#include "ui_qwt_plot_curve.h"
#include "ui_prompt.h"
#include "ui_wave_command.h"
#include "ui_waveform_cursor_sel.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <qwt_scale_div.h>
#include <gtest/gtest.h>

#include "find_child.h"
#include "test_fsize_limit.h"

#include <QDir>

#include <algorithm>
#include <functional>

namespace {

std::vector<short int> concat(std::initializer_list<std::vector<short int>> parts)
{
    std::vector<short int> out;
    for (const auto &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<short int> slice(const std::vector<short int> &v, size_t a, size_t b) // [a, b)
{
    return std::vector<short int>(v.begin() + a, v.begin() + b);
}

ui_paste_option_t *open_paste_dialog(ui_waveform_t *win)
{
    win->show_paste_option_form();
    return win->findChild<ui_paste_option_t *>();
}

class prompt_capture_t
{
public:
    explicit prompt_capture_t(QMessageBox::StandardButton press = QMessageBox::Ok)
    {
        ui_prompt_t::set_answer_hook([this, press](QMessageBox &box) {
            texts.push_back(box.text());
            return press;
        });
    }
    ~prompt_capture_t() { ui_prompt_t::set_answer_hook(ui_prompt_answer_hook_t()); }
    std::vector<QString> texts;
};

TEST(UiWvUndoStack, ReportsEachIndexChangeWithTheCommandToRestore)
{
    ui_wv_undo_stack_t stack;
    QSignalSpy spy(&stack, SIGNAL(clicked_undo_redo_signal(int, bool)));
    ASSERT_TRUE(spy.isValid());
    lib_wv_data_t<short int> a, b;
    for (int i = 0; i < 3; ++i)
        stack.push(new ui_wave_command_t(a, b));
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(0).toInt(), 2);
    EXPECT_FALSE(spy.at(2).at(1).toBool());
    spy.clear();
    stack.setIndex(3);
    EXPECT_EQ(spy.count(), 0) << "the same index reports nothing";
    const std::pair<int, bool> expected[] = {{1, true}, {0, true}, {0, true}};
    for (const auto &e : expected) {
        stack.undo();
        ASSERT_FALSE(spy.isEmpty());
        EXPECT_EQ(spy.last().at(0).toInt(), e.first);
        EXPECT_EQ(spy.last().at(1).toBool(), e.second);
    }
    stack.redo();
    EXPECT_EQ(spy.last().at(0).toInt(), 0);
    EXPECT_FALSE(spy.last().at(1).toBool());
}

TEST(UiWaveform, NewWindowStartsEmptyHandedAndZeroFilled)
{
    waveform_harness_t h(1000, 2000.0f);
    EXPECT_EQ(h.win->status, 0);
    EXPECT_EQ(h.win->get_wv_len(), 1000u);
    EXPECT_EQ(h.samples(), std::vector<short int>(1000, 0));
    EXPECT_EQ(h.win->get_select_kind(), 2);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    EXPECT_FALSE(h.win->cursor->is_x_cursor_visible());
    EXPECT_FALSE(h.win->cursor->is_selzone_visible());
    EXPECT_EQ(h.win->get_select_range().end, 999.0);
    EXPECT_EQ(h.undo_count(), 0);
    EXPECT_FALSE(h.win->has_data());
    EXPECT_EQ(h.win->get_view_setting().curve_style, UI_CURVE_LINES);
    EXPECT_EQ(*h.win->wave_object->get_freq(), 2000.0);
}

TEST(UiWaveform, ThreeEditsUndoAndRedoRestoreEachState)
{
    waveform_harness_t h(1000);
    h.set_samples(ramp(1000, -500));
    std::vector<std::vector<short int>> states{h.samples()};

    h.select_zone(100, 199);
    h.win->invert_waveform();
    states.push_back(h.samples());
    h.select_zone(0, 499);
    h.win->mirror_waveform();
    states.push_back(h.samples());
    h.select_zone(10, 19);
    h.win->cut_waveform();
    states.push_back(h.samples());
    ASSERT_EQ(states[3].size(), 990u);
    ASSERT_EQ(h.undo_count(), 3);
    EXPECT_NE(states[1], states[0]);
    EXPECT_NE(states[2], states[1]);
    EXPECT_FALSE(h.win->is_saved());

    for (int k = 2; k >= 0; --k) {
        h.undo->trigger();
        EXPECT_EQ(h.undo_index(), k);
        EXPECT_EQ(h.samples(), states[k]) << "after undo to " << k;
    }
    EXPECT_FALSE(h.undo->isEnabled());
    for (int k = 1; k <= 3; ++k) {
        h.redo->trigger();
        EXPECT_EQ(h.samples(), states[k]) << "after redo to " << k;
    }
}

struct undo_axis_case_t
{
    float amp, offset;
    std::vector<short int> samples;
    double low, high;
};

// Undo and Redo show the amplitude axis in volts from the restored amplitude and offset,
// never the raw sample range.
TEST(UiWaveform, UndoAndRedoScaleTheAmplitudeAxisInVolts)
{
    const undo_axis_case_t cases[] = {
        {2.0f, 0.0f, {-32767, 32767, 0, 100}, -1.0, 1.0},
        {4.0f, 1.0f, {-32767, 32767, 0, 100}, -1.0, 3.0},
        {2.0f, 0.0f, {0, 0, 0, 0}, -1.0, 1.0},
        {0.0f, 0.5f, {-32768, -32768, -32768, -32768}, -0.55, 1.55},
    };
    for (const undo_axis_case_t &c : cases) {
        waveform_harness_t h(4);
        h.win->get_wave_data()->amp = c.amp;
        h.win->get_wave_data()->offset = c.offset;
        h.set_samples(c.samples);
        h.select_zone(3, 3);
        h.win->cut_waveform();
        ASSERT_EQ(h.undo_count(), 1);
        for (QAction *a : {h.undo, h.redo}) {
            a->trigger();
            const ui_range_t left = h.win->plot->get_yleft_interval();
            EXPECT_NEAR(left.first, c.low, 1e-6) << c.amp << " " << c.offset;
            EXPECT_NEAR(left.second, c.high, 1e-6) << c.amp << " " << c.offset;
            h.win->plot->updateAxes();
            EXPECT_FALSE(h.win->plot->axisScaleDiv(QwtPlot::yLeft).ticks(QwtScaleDiv::MajorTick).isEmpty())
                << "the axis keeps its labels";
        }
    }
}

TEST(UiWaveform, NewStepAfterUndosDropsTheStepsAboveAndTheirFiles)
{
    waveform_harness_t h(200);
    h.set_samples(ramp(200));
    for (double a : {0.0, 20.0, 40.0}) {
        h.select_zone(a, a + 9);
        h.win->invert_waveform();
    }
    const size_t files = sample_files_left().size();
    h.undo->trigger();
    h.undo->trigger();
    h.select_zone(100, 120);
    h.win->invert_waveform();
    EXPECT_EQ(h.undo_count(), 2);
    EXPECT_EQ(sample_files_left().size(), files - 2);
}

TEST(UiWaveform, UnchangedEditRecordsNoStepAndKeepsSavedFlag)
{
    waveform_harness_t h(100);
    h.win->set_saved(true);
    h.win->invert_waveform(); // no zone, no cursors: no range
    h.select_zone(10, 20);
    h.win->invert_waveform(); // zeros negate to zeros
    EXPECT_EQ(h.undo_count(), 0);
    EXPECT_TRUE(h.win->is_saved());
}

TEST(UiWaveform, InvertAndMirrorOfASelection)
{
    waveform_harness_t h(10);
    h.set_samples({1, 2, 3, 4, 5, -32768, 7, 8, 9, 10});
    h.select_zone(0, 4);
    h.win->mirror_waveform();
    EXPECT_EQ(h.samples(), (std::vector<short int>{5, 4, 3, 2, 1, -32768, 7, 8, 9, 10}));
    h.select_zone(5.9, 4.2); // truncated and ordered: 4 .. 5
    h.win->invert_waveform();
    EXPECT_EQ(h.samples(), (std::vector<short int>{5, 4, 3, 2, -1, -32768, 7, 8, 9, 10}));
    // The zone wins over visible X cursors; a range past the end is clamped to it.
    h.win->switch_cursor(0);
    h.win->cursor->set_x1_pos(0);
    h.win->cursor->set_x2_pos(1);
    h.select_zone(8, 50);
    h.win->invert_waveform();
    EXPECT_EQ(h.samples(), (std::vector<short int>{5, 4, 3, 2, -1, -32768, 7, 8, -9, -10}));
    EXPECT_EQ(h.undo_count(), 3);
}

TEST(UiWaveform, InvertAcrossTheBlockBoundary)
{
    const uint32 n = 1048578;
    waveform_harness_t h(n);
    h.set_samples(std::vector<short int>(n, 3));
    h.select_zone(0, 1048576);
    h.win->invert_waveform();
    const std::vector<short int> s = h.samples();
    EXPECT_EQ(std::count(s.begin(), s.end(), -3), 1048577);
    EXPECT_EQ(s.back(), 3);
}

TEST(UiWaveform, MirrorWithXCursorsOddCountKeepsTheMiddle)
{
    waveform_harness_t h(7);
    h.set_samples(ramp(7));
    h.win->switch_cursor(0);
    h.win->cursor->set_x1_pos(5);
    h.win->cursor->set_x2_pos(1);
    h.win->mirror_waveform();
    EXPECT_EQ(h.samples(), (std::vector<short int>{0, 5, 4, 3, 2, 1, 6}));
}

TEST(UiWaveform, CopyZoneAndSelectAll)
{
    waveform_harness_t h(100);
    h.set_samples(ramp(100));
    h.select_zone(10.7, 3.2);
    h.win->do_copy_selected_wv();
    std::vector<short int> copy;
    h.win->get_data()->read_all(copy);
    EXPECT_EQ(copy, slice(ramp(100), 3, 11));
    EXPECT_EQ(h.win->get_select_range().start, 3.0);
    EXPECT_EQ(h.win->get_select_range().end, 10.0);

    h.win->select_all();
    EXPECT_EQ(h.win->get_select_kind(), 1);
    h.win->do_copy_selected_wv();
    h.win->get_data()->read_all(copy);
    EXPECT_EQ(copy, ramp(100));
    h.select_zone(0, 9);
    h.win->invert_waveform();
    h.win->get_data()->read_all(copy);
    EXPECT_EQ(copy, ramp(100)) << "the copy buffer has a file of its own";
}

// Past 2^24 samples a position is no longer exact in fp32: the read-out of Select All
// must still end at the last sample.
TEST(UiWaveform, SelectAllOnALongWaveformShowsTheExactEnd)
{
    const uint32 n = 20971521;
    waveform_harness_t h(n);
    h.win->select_all();
    const ui_sbar_range_fields_t &f = h.win->findChild<ui_waveform_cursor_sel_t *>()->sel_fields;
    EXPECT_EQ(f.start_point->text(), "1");
    EXPECT_EQ(f.end_point->text(), "20971521");
    EXPECT_EQ(f.delta_point->text(), "20971520");
    EXPECT_TRUE(h.win->is_selection_valid());
}

TEST(UiWaveform, CopyWithHiddenZoneEmptiesTheCopyBuffer)
{
    waveform_harness_t h(100);
    std::vector<short int> old{1, 2, 3};
    h.win->get_data()->samples.write(0, old.data(), 3);
    ASSERT_TRUE(h.win->has_data());
    h.win->set_select_kind(0); // the zone itself is hidden
    h.win->do_copy_selected_wv();
    EXPECT_FALSE(h.win->has_data());
    h.win->update_control_state();
    for (QAction *a : h.win->findChildren<QAction *>()) {
        if (a->text() == "Paste" || a->text() == "Copy" || a->text() == "Cut" || a->text() == "Select |X|") {
            EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
        }
    }
    h.win->select_all();
    h.win->update_control_state();
    for (QAction *a : h.win->findChildren<QAction *>()) {
        if (a->text() == "Copy" || a->text() == "Cut") {
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        }
    }
}

TEST(UiWaveform, CutMovesSamplesAndCursors)
{
    waveform_harness_t h(1000);
    h.set_samples(ramp(1000));
    h.win->switch_cursor(0);
    h.win->cursor->set_x1_pos(950);
    h.win->cursor->set_x2_pos(10);
    h.select_zone(100, 199);
    h.win->cut_waveform();
    EXPECT_EQ(h.samples(), concat({slice(ramp(1000), 0, 100), slice(ramp(1000), 200, 1000)}));
    std::vector<short int> copy;
    h.win->get_data()->read_all(copy);
    EXPECT_EQ(copy, slice(ramp(1000), 100, 200));
    EXPECT_EQ(h.win->cursor->get_x1_pos(), 899.0f);
    EXPECT_EQ(h.win->cursor->get_x2_pos(), 10.0f);
    EXPECT_EQ(h.win->cursor->get_selzone_range(), std::make_pair(100.0, 199.0));
    EXPECT_EQ(h.undo_count(), 1);
}

TEST(UiWaveform, CutAfterSelectAllEmptiesTheDocument)
{
    waveform_harness_t h(50);
    h.set_samples(ramp(50));
    h.win->select_all();
    h.win->cut_waveform();
    EXPECT_EQ(h.win->get_wv_len(), 0u);
    std::vector<short int> copy;
    h.win->get_data()->read_all(copy);
    EXPECT_EQ(copy, ramp(50));
    h.undo->trigger();
    EXPECT_EQ(h.samples(), ramp(50));
}

struct length_change_case_t
{
    const char *name;
    uint32 points;
    std::function<void(waveform_harness_t &)> change;
    bool visible;
    std::pair<double, double> zone;
    QStringList readout;
};

// Whenever the record's length changes the selection is clamped to the samples left, or
// cleared when none is left or the waveform is a new one; the read-out follows.
TEST(UiWaveform, SelectionFollowsEveryLengthChange)
{
    const length_change_case_t cases[] = {
        {"cut of everything", 100, [](waveform_harness_t &h) {
             h.win->select_all();
             h.win->cut_waveform();
         }, false, {0, 0}, {"1", "1", "0"}},
        {"cut of a stretch keeps the zone there", 1000, [](waveform_harness_t &h) {
             h.select_zone(100, 199);
             h.win->cut_waveform();
         }, true, {100, 199}, {"101", "200", "99"}},
        {"undo to a shorter record", 100, [](waveform_harness_t &h) {
             h.select_zone(0, 9);
             h.win->do_copy_selected_wv();
             h.win->set_paste_mode(1);
             ASSERT_EQ(h.win->backup_wave_data(), 0);
             ASSERT_EQ(h.win->paste_copy_buffer(), 0);
             h.win->commit_edit();
             h.win->select_all();
             h.undo->trigger();
         }, true, {0, 99}, {"1", "100", "99"}},
        {"redo of a cut", 100, [](waveform_harness_t &h) {
             h.select_zone(50, 99);
             h.win->cut_waveform();
             h.undo->trigger();
             h.win->select_all();
             h.redo->trigger();
         }, true, {0, 49}, {"1", "50", "49"}},
        {"a new waveform object", 100, [](waveform_harness_t &h) {
             h.select_zone(10, 20);
             cfg_if_wv_t *next = new cfg_if_bswv_dc_t;
             next->get_wv_data()->resize(500, 0);
             h.win->set_wave_object(next);
         }, false, {0, 0}, {"1", "1", "0"}},
    };
    for (const length_change_case_t &c : cases) {
        waveform_harness_t h(c.points);
        h.set_samples(ramp(c.points));
        c.change(h);
        EXPECT_EQ(h.win->cursor->is_selzone_visible(), c.visible) << c.name;
        if (c.visible) {
            EXPECT_EQ(h.win->cursor->get_selzone_range(), c.zone) << c.name;
        } else {
            EXPECT_EQ(h.win->get_select_kind(), 2) << c.name;
        }
        const ui_sbar_range_fields_t &f = h.win->findChild<ui_waveform_cursor_sel_t *>()->sel_fields;
        EXPECT_EQ(QStringList({f.start_point->text(), f.end_point->text(), f.delta_point->text()}), c.readout)
            << c.name;
        EXPECT_TRUE(!c.visible || h.win->is_selection_valid()) << c.name;
    }
}

TEST(UiWaveform, CutWithNothingSelectedDoesNothing)
{
    waveform_harness_t h(50);
    h.set_samples(ramp(50));
    h.select_zone(0, 9);
    h.win->do_copy_selected_wv();
    h.win->set_select_kind(2);
    h.win->cut_waveform();
    EXPECT_EQ(h.samples(), ramp(50));
    EXPECT_TRUE(h.win->has_data()) << "the copy buffer is kept";
    EXPECT_EQ(h.undo_count(), 0);
}

struct paste_case_t
{
    const char *name;
    int mode;
    std::vector<short int> (*expect)(const std::vector<short int> &doc, const std::vector<short int> &copy);
};

TEST(UiWaveform, PasteInEachMode)
{
    const paste_case_t cases[] = {
        {"start", 0, [](const auto &d, const auto &c) { return concat({c, d}); }},
        {"end", 1, [](const auto &d, const auto &c) { return concat({d, c}); }},
        {"between cursors", 2,
         [](const auto &d, const auto &c) { return concat({slice(d, 0, 20), c, slice(d, 61, d.size())}); }},
        {"picker", 3,
         [](const auto &d, const auto &c) { return concat({slice(d, 0, 500), c, slice(d, 500, d.size())}); }},
    };
    for (const paste_case_t &pc : cases) {
        waveform_harness_t h(1000);
        const std::vector<short int> doc = ramp(1000);
        h.set_samples(doc);
        h.select_zone(100, 109);
        h.win->do_copy_selected_wv();
        const std::vector<short int> copy = slice(doc, 100, 110);
        h.win->switch_cursor(0);
        h.win->cursor->set_x1_pos(60);
        h.win->cursor->set_x2_pos(20);
        h.picker_at(500.9, 0); // paste mode 3 truncates the picker's x

        QPointer<ui_paste_option_t> dlg = open_paste_dialog(h.win);
        ASSERT_TRUE(dlg) << pc.name;
        dlg->set_paste_type(pc.mode);
        QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
        flush_deletes();
        EXPECT_FALSE(dlg) << pc.name;
        EXPECT_EQ(h.win->get_paste_mode(), pc.mode);
        EXPECT_EQ(h.samples(), pc.expect(doc, copy)) << pc.name;
        EXPECT_EQ(h.undo_count(), 1) << pc.name;
        h.undo->trigger();
        EXPECT_EQ(h.samples(), doc) << pc.name;
    }
}

// A document too long to show every sample: cut and each paste write the new samples
// and show the display points in one pass; both must be what writing the samples and
// then loading the document gives.
TEST(UiWaveform, LongCutAndPasteShowWhatLoadingTheDocumentShows)
{
    const uint32 n = 200003;
    std::vector<short int> doc(n);
    for (uint32 i = 0; i < n; ++i)
        doc[i] = static_cast<short int>((i * 7919u) % 6007u) - (i % 977 == 0 ? 20000 : 0);
    auto shown = [](waveform_harness_t &h) {
        const QwtSeriesData<QPointF> *d = h.win->plot->get_curve(0)->data();
        std::vector<double> y(d->size());
        for (size_t i = 0; i < y.size(); ++i)
            y[i] = d->sample(i).y();
        return y;
    };
    struct case_t
    {
        const char *name;
        int mode; // -1: cut of the copied zone
        std::function<std::vector<short int>(const std::vector<short int> &, const std::vector<short int> &)> expect;
    } cases[] = {
        {"cut", -1, [](const auto &d, const auto &) { return concat({slice(d, 0, 1001), slice(d, 41002, d.size())}); }},
        {"paste at the start", 0, [](const auto &d, const auto &c) { return concat({c, d}); }},
        {"paste at the end", 1, [](const auto &d, const auto &c) { return concat({d, c}); }},
        {"paste between cursors", 2,
         [](const auto &d, const auto &c) { return concat({slice(d, 0, 20), c, slice(d, 70001, d.size())}); }},
        {"paste at the picker", 3,
         [](const auto &d, const auto &c) { return concat({slice(d, 0, 123457), c, slice(d, 123457, d.size())}); }},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        waveform_harness_t h(n);
        h.set_samples(doc);
        h.select_zone(1001, 41001);
        h.win->do_copy_selected_wv();
        const std::vector<short int> copy = slice(doc, 1001, 41002);
        if (c.mode < 0) {
            h.win->cut_waveform();
        } else {
            h.win->switch_cursor(0);
            h.win->cursor->set_x1_pos(70000);
            h.win->cursor->set_x2_pos(20);
            h.picker_at(123457.5, 0);
            auto *form = new ui_paste_option_t(h.win.data(), false);
            form->set_paste_type(c.mode);
            h.win->paste_option_form_btn_slot_func(form, 3);
            flush_deletes();
        }
        ASSERT_EQ(h.samples(), c.expect(doc, copy));
        const std::vector<double> after_edit = shown(h);
        ASSERT_EQ(after_edit.size(), 3000u);
        plot_load_waveform_vector(h.win->plot, h.win->get_wave_data(), 3000);
        EXPECT_EQ(after_edit, shown(h));
        EXPECT_EQ(h.undo_count(), 1);
        h.undo->trigger();
        EXPECT_EQ(h.samples(), doc);
    }
}

TEST(UiWaveform, PasteCancelAndRefusals)
{
    waveform_harness_t h(1000);
    h.set_samples(ramp(1000));
    h.select_zone(0, 9);
    h.win->do_copy_selected_wv();

    QPointer<ui_paste_option_t> dlg = open_paste_dialog(h.win);
    QTest::mouseClick(button(dlg, "Cancel"), Qt::LeftButton);
    flush_deletes();
    EXPECT_FALSE(dlg);
    EXPECT_EQ(h.win->get_wv_len(), 1000u);

    // At the picker beyond the last sample: nothing changes, no step.
    h.picker_at(5000, 0);
    dlg = open_paste_dialog(h.win);
    dlg->set_paste_type(3);
    QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    EXPECT_EQ(h.samples(), ramp(1000));
    EXPECT_EQ(h.undo_count(), 0);

    // Between cursors that lie past the end (after an undo to a shorter waveform).
    h.win->switch_cursor(0);
    h.win->cursor->set_x1_pos(990);
    h.win->cursor->set_x2_pos(2000);
    h.win->set_paste_mode(2);
    h.win->backup_wave_data();
    EXPECT_EQ(h.win->paste_copy_buffer(), 0);
    EXPECT_EQ(h.samples(), concat({slice(ramp(1000), 0, 990), slice(ramp(1000), 0, 10)}));
    h.win->cursor->set_x1_pos(1500);
    EXPECT_EQ(h.win->paste_copy_buffer(), -2);
    EXPECT_EQ(h.win->get_wv_len(), 1000u);
    h.win->get_backup_data()->clear();
}

TEST(UiWaveform, PasteBeyondTheModelLimitShowsTheMessage)
{
    waveform_harness_t h(16384);
    h.win->wave_object->set_instr_type(instr_zqw_t(7)); // 16384 points at most
    h.select_zone(0, 9);
    h.win->do_copy_selected_wv();
    prompt_capture_t prompts;
    QPointer<ui_paste_option_t> dlg = open_paste_dialog(h.win);
    QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    ASSERT_EQ(prompts.texts.size(), 1u);
    EXPECT_EQ(prompts.texts[0], "Application exceeds the supported data points.");
    EXPECT_EQ(h.win->get_wv_len(), 16384u);
    EXPECT_EQ(h.win->get_backup_data()->samples.size(), 0u);
    EXPECT_EQ(h.undo_count(), 0);
}

TEST(UiWaveform, PasteNeedsACopy)
{
    waveform_harness_t h(100);
    h.win->show_paste_option_form();
    EXPECT_EQ(h.win->findChild<ui_paste_option_t *>(), nullptr);
}

TEST(UiWaveform, MemoryGateRefusesTheStepButKeepsTheEdit)
{
    waveform_harness_t h(100);
    h.set_samples(ramp(100, 1));
    plat_set_avail_phys_mem_override(104857600ull + 199); // 200 samples short of the margin
    h.select_zone(0, 9);
    h.win->invert_waveform();
    plat_clear_avail_phys_mem_override();
    EXPECT_EQ(h.undo_count(), 0);
    EXPECT_EQ(h.samples()[0], -1);
    EXPECT_FALSE(h.win->is_saved());
    EXPECT_EQ(h.win->get_backup_data()->samples.size(), 0u);

    plat_set_avail_phys_mem_override(104857600ull + 200);
    h.win->invert_waveform();
    plat_clear_avail_phys_mem_override();
    EXPECT_EQ(h.undo_count(), 1);
}

// A full disk while the backup is taken: the edit does not happen, no step is recorded
// and the window reports the failure (code 3).
TEST(UiWaveform, BackupCutShortStopsTheEdit)
{
    waveform_harness_t h(20000);
    h.set_samples(ramp(20000, 1));
    h.win->set_saved(true);
    QSignalSpy info(h.win.data(), SIGNAL(system_info_signal(int32)));
    {
        test_fsize_limit_t full(4096);
        ASSERT_TRUE(full.ok());
        EXPECT_EQ(h.win->backup_wave_data(), 3);
        h.select_zone(0, 9);
        h.win->invert_waveform();
    }
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info.at(0).at(0).value<int32>(), 3);
    EXPECT_EQ(h.samples(), ramp(20000, 1));
    EXPECT_EQ(h.undo_count(), 0);
    EXPECT_TRUE(h.win->is_saved());
}

// Snapshots are further names of the files they are taken from: they need no room, so a
// full disk still gives a whole step. A file that cannot be named twice (here one with a
// stray odd byte) is copied instead, and a copy cut short is status 3.
TEST(UiWaveCommand, SnapshotsNeedNoRoomAndACopyCutShortGivesStatusThree)
{
    lib_wv_data_t<short int> current, backup, odd;
    const std::vector<short int> big = ramp(20000);
    current.samples.write(0, big.data(), 20000);
    backup.samples.write(0, big.data(), 10);
    odd.samples.write(0, big.data(), 20000);
    {
        lib_fd_t fd = lib_open_rw(odd.samples.path);
        ASSERT_EQ(lib_pwrite_all(fd.get(), "x", 1, 40000), 1u);
    }
    {
        test_fsize_limit_t full(4096);
        ASSERT_TRUE(full.ok());
        ui_wave_command_t step(current, backup);
        EXPECT_EQ(step.get_status(), 0);
        std::vector<short int> after, before;
        step.get_after().read_all(after);
        step.get_before().read_all(before);
        EXPECT_EQ(after, big);
        EXPECT_EQ(before, ramp(10));
        EXPECT_EQ(ui_wave_command_t(odd, backup).get_status(), 3);
    }
    EXPECT_EQ(ui_wave_command_t(odd, backup).get_status(), 0);
}

// Undo and redo put a snapshot's file in place under the document's name: a full disk
// does not stop them.
TEST(UiWaveform, UndoAndRedoNeedNoRoom)
{
    waveform_harness_t h(20000);
    h.set_samples(ramp(20000, 1));
    h.select_zone(0, 9);
    h.win->invert_waveform();
    ASSERT_EQ(h.undo_count(), 1);
    const std::vector<short int> inverted = h.samples();
    QSignalSpy info(h.win.data(), SIGNAL(system_info_signal(int32)));
    {
        test_fsize_limit_t full(4096);
        ASSERT_TRUE(full.ok());
        h.undo->trigger();
        EXPECT_EQ(h.samples(), ramp(20000, 1));
        h.redo->trigger();
        EXPECT_EQ(h.samples(), inverted);
    }
    EXPECT_EQ(info.count(), 0);
}

// The whole-waveform edits write the document anew: a full disk leaves its samples,
// records no step and says why (code 3).
TEST(UiWaveform, FullDiskDuringAnEditKeepsTheSamplesAndSaysWhy)
{
    struct case_t
    {
        const char *name;
        std::function<void(waveform_harness_t &)> edit;
    } cases[] = {
        {"invert", [](waveform_harness_t &h) { h.win->invert_waveform(); }},
        {"mirror", [](waveform_harness_t &h) { h.win->mirror_waveform(); }},
        {"cut", [](waveform_harness_t &h) {
             h.select_zone(10, 19);
             h.win->cut_waveform();
         }},
        {"paste", [](waveform_harness_t &h) {
             auto *form = new ui_paste_option_t(h.win.data(), false);
             form->set_paste_type(1);
             h.win->paste_option_form_btn_slot_func(form, 3);
         }},
    };
    // Long documents have their display points extracted while the new file is written.
    for (const uint32 n : {20000u, 60000u})
        for (const case_t &c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(n) + " samples");
            waveform_harness_t h(n);
            h.set_samples(ramp(n, 1));
            h.select_zone(0, 9);
            h.win->do_copy_selected_wv();
            h.select_zone(10, n - 1);
            h.win->set_saved(true);
            QSignalSpy info(h.win.data(), SIGNAL(system_info_signal(int32)));
            {
                test_fsize_limit_t full(4096);
                ASSERT_TRUE(full.ok());
                c.edit(h);
            }
            flush_deletes();
            ASSERT_EQ(info.count(), 1);
            EXPECT_EQ(info.at(0).at(0).value<int32>(), 3);
            EXPECT_EQ(h.samples(), ramp(n, 1));
            EXPECT_EQ(h.undo_count(), 0);
            EXPECT_TRUE(h.win->is_saved());
        }
}

// Snapshots share files with the document and with each other. Edits that write the
// document anew, edits that write it in place and direct writes follow each other over
// more than one block of the edits; every snapshot must stay as it was taken, and undo
// and redo must give every state back exactly.
TEST(UiWaveform, SlowUndoAndRedoStayExactWhileSnapshotsShareFiles)
{
    const uint32 n = 2100000;
    waveform_harness_t h(n);
    std::vector<short int> start(n);
    for (uint32 i = 0; i < n; ++i)
        start[i] = static_cast<short int>(i * 7919u);
    h.set_samples(start);
    std::vector<std::vector<short int>> states{h.samples()};
    auto record = [&] { states.push_back(h.samples()); };

    h.select_zone(0, n - 1);
    h.win->invert_waveform();
    record();
    h.select_zone(1000, 1500000);
    h.win->mirror_waveform();
    record();
    // As the property form does it: a backup, writes in place, the commit.
    ASSERT_EQ(h.win->backup_wave_data(), 0);
    h.win->get_wave_data()->samples.set(5, 1234);
    h.win->get_wave_data()->samples.set(n - 1, -4321);
    h.win->commit_edit();
    record();
    h.select_zone(100, 1000099);
    h.win->cut_waveform();
    record();
    {
        auto *form = new ui_paste_option_t(h.win.data(), false);
        form->set_paste_type(0);
        h.win->paste_option_form_btn_slot_func(form, 3);
        flush_deletes();
    }
    record();
    // An edit that writes in place without a backup of its own.
    h.select_zone(0, 9);
    h.win->_do_invert_waveform();
    const std::vector<short int> unrecorded = h.samples();
    ASSERT_EQ(h.undo_count(), 5);
    for (std::size_t k = 1; k < states.size(); ++k)
        ASSERT_NE(states[k], states[k - 1]) << k;

    ui_wv_undo_stack_t *stack = h.win->get_undo_stack();
    for (int k = 0; k < stack->count(); ++k) {
        const auto *step = dynamic_cast<const ui_wave_command_t *>(stack->command(k));
        ASSERT_NE(step, nullptr);
        std::vector<short int> after, before;
        step->get_after().read_all(after);
        step->get_before().read_all(before);
        EXPECT_EQ(after, states[std::size_t(k) + 1]) << "after of step " << k;
        EXPECT_EQ(before, states[std::size_t(k)]) << "before of step " << k;
    }
    EXPECT_NE(unrecorded, states.back());
    for (int k = 4; k >= 0; --k) {
        h.undo->trigger();
        EXPECT_EQ(h.samples(), states[std::size_t(k)]) << "after undo to " << k;
    }
    for (int k = 1; k <= 5; ++k) {
        h.redo->trigger();
        EXPECT_EQ(h.samples(), states[std::size_t(k)]) << "after redo to " << k;
    }
}

// No sample file can be made in a working folder that cannot be read: no document.
TEST(UiWaveform, UnreadableWorkingFolderGivesNoDocument)
{
    const QString home = QDir::currentPath();
    ASSERT_TRUE(QDir().mkdir("gone"));
    ASSERT_TRUE(QDir::setCurrent("gone"));
    ASSERT_TRUE(QDir(home).rmdir("gone"));
    ui_waveform_t win(nullptr);
    EXPECT_EQ(win.status, 1);
    ASSERT_TRUE(QDir::setCurrent(home));
}

TEST(UiWaveform, PointCountGateAt2To27)
{
    waveform_harness_t h(10);
    h.set_samples(ramp(10, 1));
    for (uint32 points : {134217728u, 134217729u}) {
        h.win->wave_object->set_wv_len(points);
        h.select_zone(0, 1);
        h.win->invert_waveform();
    }
    EXPECT_EQ(h.undo_count(), 1);
}

TEST(UiWaveform, EmptyDocumentEditsDoNothing)
{
    waveform_harness_t h(0);
    EXPECT_EQ(h.win->get_wv_len(), 0u);
    h.select_zone(0, 5);
    h.win->invert_waveform();
    h.win->mirror_waveform();
    h.win->cut_waveform();
    h.win->select_all();
    h.win->cut_waveform();
    EXPECT_EQ(h.win->get_wv_len(), 0u);
    EXPECT_EQ(h.undo_count(), 0);
    h.win->switch_cursor(0);
    h.win->set_paste_mode(2);
    std::vector<short int> five{7, 7, 7, 7, 7};
    h.win->get_data()->samples.write(0, five.data(), 5);
    EXPECT_EQ(h.win->paste_copy_buffer(), -2);
}

TEST(UiWaveform, AutoScaleOnFlatDataChangesNothing)
{
    waveform_harness_t h(16384);
    ui_view_setting_t s = h.win->get_view_setting();
    s.auto_scale = true;
    h.win->apply_y_axis_setting(s);
    h.win->apply_view_setting(s);
    EXPECT_EQ(h.samples(), std::vector<short int>(16384, 0));
    EXPECT_EQ(*h.win->wave_object->get_amp(), 2.0f);
    EXPECT_EQ(*h.win->wave_object->get_offset(), 0.0f);
    EXPECT_EQ(h.undo_count(), 0);
    h.set_samples(std::vector<short int>(100, 500));
    h.win->apply_y_axis_setting(s);
    EXPECT_EQ(h.samples(), std::vector<short int>(100, 500));
    EXPECT_EQ(h.undo_count(), 0);
}

TEST(UiWaveform, AutoScaleStretchesToFullScale)
{
    waveform_harness_t h(3);
    h.set_samples({200, -100, 50});
    ui_view_setting_t s = h.win->get_view_setting();
    h.win->normalize_wave_data();
    EXPECT_EQ(h.samples(), (std::vector<short int>{32767, -16383, 8191}));
    EXPECT_NEAR(*h.win->wave_object->get_amp(), 2.0 / 163.835, 1e-6);
    EXPECT_EQ(h.undo_count(), 1);
    h.win->apply_y_axis_setting(s);
    const std::vector<short int> v = h.samples();
    EXPECT_NEAR(v[0], 32767, 1);
    EXPECT_NEAR(v[1], -32767, 1);
    EXPECT_NEAR(*h.win->wave_object->get_amp(), h.win->get_high_level() - h.win->get_low_level(), 1e-6);
    EXPECT_GE(h.undo_count(), 2);
    // Each recorded conversion resets the axes from the raw range; the scale is set after them.
    const ui_range_t left = h.win->plot->get_yleft_interval();
    EXPECT_NEAR(left.first, h.win->get_low_level(), 1e-4);
    EXPECT_NEAR(left.second, h.win->get_high_level(), 1e-4);
    const ui_range_t right = h.win->plot->get_yright_interval();
    EXPECT_EQ(right.second, *std::max_element(v.begin(), v.end()));
    EXPECT_EQ(right.first, *std::min_element(v.begin(), v.end()));
    // The conversions are undone one by one back to the start.
    while (h.undo->isEnabled())
        h.undo->trigger();
    EXPECT_EQ(h.samples(), (std::vector<short int>{200, -100, 50}));
}

TEST(UiWaveform, FixedRangeWiderThanFullScaleShrinksTheSamples)
{
    waveform_harness_t h(2);
    h.set_samples({32767, -32767});
    ui_view_setting_t s = h.win->get_view_setting();
    s.auto_scale = false;
    s.y_min = -1.2; // amplitude 2, offset 0: -1.2 V is -39320.4 raw
    s.y_max = 1.0;
    h.win->apply_y_axis_setting(s);
    const double factor = -32767.0 / (-1.2 * 32767.0);
    const std::vector<short int> v = h.samples();
    EXPECT_EQ(v[0], static_cast<short int>(32767 * factor));
    EXPECT_NEAR(*h.win->wave_object->get_amp(), 2.0 / factor, 1e-4);
    EXPECT_EQ(h.undo_count(), 1);
}

TEST(UiWaveform, NoSampleFileLeftAfterClose)
{
    {
        waveform_harness_t h(500);
        h.set_samples(ramp(500));
        h.select_zone(0, 99);
        h.win->invert_waveform();
        h.win->do_copy_selected_wv();
        h.win->cut_waveform();
        EXPECT_FALSE(sample_files_left().empty());
        h.win->set_saved(true);
        h.win->close();
        flush_deletes();
        EXPECT_FALSE(h.win);
    }
    EXPECT_TRUE(sample_files_left().empty());
}

TEST(UiWaveform, CloseAsksToSaveAnUnsavedDocument)
{
    struct answer_case_t
    {
        QMessageBox::StandardButton press;
        bool closed;
        bool requested;
    };
    for (const answer_case_t &c : {answer_case_t{QMessageBox::No, true, false},
                                   answer_case_t{QMessageBox::Cancel, false, false},
                                   answer_case_t{QMessageBox::Yes, true, true}}) {
        waveform_harness_t h(10);
        h.win->setWindowTitle("Wave1-a");
        h.win->show();
        prompt_capture_t prompts(c.press);
        h.win->close();
        flush_deletes();
        ASSERT_EQ(prompts.texts.size(), 1u);
        EXPECT_EQ(prompts.texts[0], "Save changes to the file Wave1-a ?");
        EXPECT_EQ(!h.win, c.closed);
        EXPECT_EQ(h.requests == std::vector<int>{3}, c.requested);
    }
    waveform_harness_t saved(10);
    saved.win->set_saved(true);
    prompt_capture_t none;
    saved.win->close();
    flush_deletes();
    EXPECT_TRUE(none.texts.empty());
    EXPECT_FALSE(saved.win);
}

TEST(UiWaveform, StatusBarShowsPointerAndCursorsWithTimes)
{
    waveform_harness_t h(1001, 1000.0f);
    emit h.win->plot->get_picker()->pos_update_signal(500.0f, 16383.5f);
    ui_waveform_cursor_sel_t *sel = h.win->findChild<ui_waveform_cursor_sel_t *>();
    ASSERT_NE(sel, nullptr);
    EXPECT_EQ(sel->pos_x->text(), "X:501, 500.00us");
    EXPECT_EQ(sel->pos_y->text(), "Y:500.00 mV");
    h.win->select_all();
    EXPECT_EQ(sel->sel_fields.end_point->text(), "1001");
    EXPECT_EQ(sel->sel_fields.end_time->text(), "1.00ms");
}

TEST(UiWaveform, ReplacingTheWaveObjectRemovesTheOldFile)
{
    waveform_harness_t h(10);
    const std::string old_path = h.win->get_wave_data()->samples.get_path();
    cfg_if_wv_t *next = new cfg_if_bswv_dc_t;
    next->get_wv_data()->resize(5, 1);
    h.win->set_wave_object(next);
    EXPECT_EQ(h.win->wave_object, next);
    EXPECT_FALSE(lib_file_exists(old_path));
    EXPECT_EQ(h.win->get_wv_len(), 5u);
}

} // namespace
