// Mouse tools of the document window: drawing through simulated picker positions, tool
// switching, menus, and the table of drawing points.
#include "waveform_harness.h"

#include "ui_draw_point.h"
#include "ui_prompt.h"
#include "ui_qwt_plotzoomer.h"

#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class mouse_fixture : public ::testing::Test
{
protected:
    mouse_fixture() : h(1000)
    {
        h.win->show();
    }

    // The picker reports the position first; the window then gets the event.
    void press(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        h.picker_at(x, y);
        QTest::mousePress(h.win, b, Qt::NoModifier, QPoint(5, 5));
    }
    void move(double x, double y)
    {
        h.picker_at(x, y);
        QMouseEvent e(QEvent::MouseMove, QPointF(6, 6), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.win, &e);
    }
    void release(double x, double y)
    {
        h.picker_at(x, y);
        QTest::mouseRelease(h.win, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    }
    ui_draw_point_t *drawing() { return h.win->drawing; }

    waveform_harness_t h;
};

TEST_F(mouse_fixture, HorizontalLineIsOneUndoStep)
{
    h.win->set_draw_type(2);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_DRAW_POINT);
    press(300.4, 5000);
    move(200, 9000);
    move(100, 7000);
    release(100, 7000);
    const std::vector<short int> s = h.samples();
    for (uint32 i = 0; i < 1000; ++i)
        ASSERT_EQ(s[i], (i >= 100 && i <= 300) ? 5000 : 0) << i;
    EXPECT_EQ(h.undo_count(), 1);
    h.undo->trigger();
    EXPECT_EQ(h.samples(), std::vector<short int>(1000, 0));
}

TEST_F(mouse_fixture, HandDrawConnectsConsecutiveMoves)
{
    h.win->plot->set_yright_scale(-50000, 50000); // heights beyond full scale can be pointed at
    h.win->set_draw_type(1);
    press(10, 0);
    move(14, 400);
    move(14, 1000); // stays on the index: rewrites that sample
    move(16, 40000);
    release(16, 40000);
    const std::vector<short int> s = h.samples();
    EXPECT_EQ(std::vector<short int>(s.begin() + 10, s.begin() + 17),
              (std::vector<short int>{0, 100, 200, 300, 1000, 20500, 32767}));
    EXPECT_EQ(h.undo_count(), 1);
}

TEST_F(mouse_fixture, VerticalAndObliqueLines)
{
    h.win->plot->set_yright_scale(-50000, 50000);
    h.win->set_draw_type(3);
    press(20, 100);
    move(25, -40000);
    release(25, -40000);
    EXPECT_EQ(h.samples()[20], -32768);
    EXPECT_EQ(h.samples()[25], 0);
    h.win->set_draw_type(4);
    press(30, 0);
    move(34, 400);
    release(34, 400);
    const std::vector<short int> s = h.samples();
    EXPECT_EQ(std::vector<short int>(s.begin() + 30, s.begin() + 35), (std::vector<short int>{0, 100, 200, 300, 400}));
    EXPECT_EQ(h.undo_count(), 2);
}

TEST_F(mouse_fixture, PressPositionIsRoundedAndOutsidePressesOnlyFlagTheZone)
{
    h.win->set_draw_type(3);
    press(99.6, 1234);
    release(99.6, 1234);
    EXPECT_EQ(h.samples()[100], 1234);
    EXPECT_EQ(h.samples()[99], 0);
    press(1000.2, 50); // beyond the end index 999
    release(1000.2, 50);
    EXPECT_TRUE(h.win->cursor->get_selzone_start_flag());
    press(10, 40000); // above the yRight scale (-32767 .. 32767)
    EXPECT_TRUE(h.win->cursor->get_selzone_start_flag());
    press(10, 77, Qt::RightButton);
    EXPECT_EQ(h.samples()[10], 0);
    EXPECT_EQ(h.undo_count(), 1);
}

struct stroke_case_t
{
    const char *name;
    int draw_type;
    std::vector<std::pair<char, std::pair<double, double>>> steps; // p press, m move, r release
    std::vector<std::pair<uint32, short int>> written;
};

// Whichever point of a stroke writes first takes the backup, and the stroke is one step
// whether it was pressed or released inside the plot or not.
TEST_F(mouse_fixture, EveryStrokeThatWritesIsOneStepUndoneToTheSamplesBefore)
{
    const std::vector<short int> before = ramp(1000, -500);
    const stroke_case_t cases[] = {
        {"pressed outside, dragged in", 2, {{'p', {1000.2, 50}}, {'m', {300, 700}}, {'m', {200, 900}}, {'r', {200, 900}}},
         {{200, 700}, {250, 700}, {300, 700}}},
        {"pressed inside, released outside", 1, {{'p', {10, 0}}, {'m', {14, 400}}, {'r', {1000.2, 400}}},
         {{10, 0}, {12, 200}, {14, 400}}},
        {"dragged in above the plot", 3, {{'p', {10, 40000}}, {'m', {20, 900}}, {'r', {20, 900}}}, {{20, 900}}},
    };
    for (const stroke_case_t &c : cases) {
        h.set_samples(before);
        h.win->get_undo_stack()->clear();
        h.win->set_draw_type(c.draw_type);
        for (const auto &step : c.steps) {
            const double x = step.second.first, y = step.second.second;
            if (step.first == 'p')
                press(x, y);
            else if (step.first == 'm')
                move(x, y);
            else
                release(x, y);
        }
        const std::vector<short int> drawn = h.samples();
        for (const auto &w : c.written)
            EXPECT_EQ(drawn[w.first], w.second) << c.name << " at " << w.first;
        EXPECT_EQ(h.undo_count(), 1) << c.name;
        h.undo->trigger();
        EXPECT_EQ(h.samples(), before) << c.name;
        h.redo->trigger();
        EXPECT_EQ(h.samples(), drawn) << c.name;
        h.win->set_draw_type(c.draw_type); // leaves the tool for the next case
    }
}

TEST_F(mouse_fixture, PointEditingWritesThePolylineSortedByX)
{
    h.win->set_draw_type(5);
    for (const auto &p : {std::make_pair(50.0, 200.0), std::make_pair(10.0, 0.0), std::make_pair(30.0, 100.0)}) {
        press(p.first, p.second);
        release(p.first, p.second);
    }
    const std::vector<short int> s = h.samples();
    EXPECT_EQ(s[10], 0);
    EXPECT_EQ(s[20], 50);
    EXPECT_EQ(s[30], 100);
    EXPECT_EQ(s[40], 150);
    EXPECT_EQ(s[50], 200);
    EXPECT_EQ(s[51], 0);
    const QList<QPointF> pts = drawing()->get_points();
    ASSERT_EQ(pts.size(), 3);
    EXPECT_EQ(pts[0].x(), 50.0);
    EXPECT_EQ(pts[1].x(), 10.0);
    // A press on an existing point's index moves that point.
    press(30.3, -100);
    release(30.3, -100);
    EXPECT_EQ(drawing()->get_points().size(), 3);
    EXPECT_EQ(h.samples()[30], -100);
    EXPECT_EQ(h.samples()[20], -50);
}

TEST(DrawPoint, InterpolationAndOwnClamp)
{
    QList<QPointF> pts{{10, 0}, {14, 100}};
    EXPECT_EQ(ui_draw_point_t::interpolate_points(pts), (std::vector<float>{0, 25, 50, 75, 100}));
    EXPECT_EQ(ui_draw_point_t::interpolate_points({{7, 3}}), (std::vector<float>{3}));
    waveform_harness_t h(20);
    ui_draw_point_t *d = h.win->drawing;
    d->set_draw_type(5);
    d->add_or_move_point(0, -50000);
    d->add_or_move_point(1, 50000);
    d->write_samples(*h.win->get_wave_data());
    EXPECT_EQ(h.samples()[0], -32767);
    EXPECT_EQ(h.samples()[1], 32767);
}

TEST(DrawPoint, WritersNeverGrowTheWaveform)
{
    waveform_harness_t h(20);
    ui_draw_point_t *d = h.win->drawing;
    struct writer_case_t
    {
        int type;
        double x0, y0, x1, y1;
    };
    for (const writer_case_t &c : {writer_case_t{2, 15, 9, 5000, 9}, writer_case_t{4, 15, 0, 5000, 4985},
                                   writer_case_t{1, 18, 0, 1e6, 1}, writer_case_t{3, 25, 1, 25, 1}}) {
        d->set_draw_type(c.type);
        d->set_start_point(c.x0, c.y0);
        d->set_end_point(c.x1, c.y1);
        d->write_samples(*h.win->get_wave_data());
        EXPECT_EQ(h.win->get_wv_len(), 20u) << c.type;
    }
    d->set_draw_type(5);
    d->add_or_move_point(15, 10);
    d->add_or_move_point(60, 10);
    d->write_samples(*h.win->get_wave_data());
    EXPECT_EQ(h.win->get_wv_len(), 20u);
    EXPECT_EQ(h.samples()[19], 10);
}

TEST(DrawPoint, PointMenuOutsidePointEditingExplains)
{
    waveform_harness_t h(20);
    std::vector<QString> texts;
    ui_prompt_t::set_answer_hook([&](QMessageBox &box) {
        texts.push_back(box.text());
        return QMessageBox::Ok;
    });
    h.win->drawing->set_draw_type(1);
    h.win->drawing->do_point_menu(3);
    ui_prompt_t::set_answer_hook(ui_prompt_answer_hook_t());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "The function is for Editting Points.\nPlease enable the points editting first.");
}

TEST_F(mouse_fixture, PointMenuMovesTheSelectionWithinThePoints)
{
    h.win->set_draw_type(5);
    for (double x : {5.0, 6.0, 7.0}) {
        press(x, 1);
        release(x, 1);
    }
    EXPECT_EQ(drawing()->get_selected_index(), 2);
    h.win->do_point_menu_action(1);
    EXPECT_EQ(drawing()->get_selected_index(), 2);
    h.win->do_point_menu_action(0);
    h.win->do_point_menu_action(0);
    h.win->do_point_menu_action(0);
    EXPECT_EQ(drawing()->get_selected_index(), 0);
    h.win->do_point_menu_action(2);
    EXPECT_EQ(drawing()->get_points().size(), 2);
    h.win->update_control_state();
    h.win->do_point_menu_action(3);
    EXPECT_TRUE(drawing()->is_points_empty());
    h.win->do_point_menu_action(2); // nothing to delete
    EXPECT_TRUE(drawing()->get_points().isEmpty());
}

TEST_F(mouse_fixture, EditCoveringPointsAsksFirst)
{
    h.win->set_draw_type(5);
    press(5, 100);
    release(5, 100);
    h.select_zone(0, 9);
    std::vector<QString> texts;
    QMessageBox::StandardButton answer = QMessageBox::No;
    ui_prompt_t::set_answer_hook([&](QMessageBox &box) {
        texts.push_back(box.text());
        return answer;
    });
    h.win->invert_waveform();
    EXPECT_EQ(h.samples()[5], 100) << "No keeps the points and the samples";
    EXPECT_FALSE(drawing()->is_points_empty());
    answer = QMessageBox::Yes;
    h.win->invert_waveform();
    ui_prompt_t::set_answer_hook(ui_prompt_answer_hook_t());
    EXPECT_EQ(h.samples()[5], -100);
    EXPECT_TRUE(drawing()->is_points_empty());
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "This edit operation will cover the current points. Continue?");
}

TEST_F(mouse_fixture, PointTableOkConvertsVoltsBackToRawPoints)
{
    h.win->wave_object->set_amp(1.0f);
    h.win->set_draw_type(5);
    press(0, 32767);
    release(0, 32767);
    press(99, -32767);
    release(99, -32767);
    const int steps = h.undo_count();
    h.win->show_point_table_form();
    ASSERT_TRUE(drawing()->isVisible());
    const QList<QPointF> table = drawing()->ui_point_table_form_t::get_points();
    ASSERT_EQ(table.size(), 2);
    EXPECT_FLOAT_EQ(table[0].y(), 0.5);
    EXPECT_FLOAT_EQ(table[1].y(), -0.5);
    QSignalSpy spy(drawing(), SIGNAL(point_table_form_btn_signal(ui_point_table_form_t *, int32)));
    QPushButton *ok = drawing()->findChild<QPushButton *>("normal_button");
    for (QPushButton *b : drawing()->findChildren<QPushButton *>())
        if (b->text() == "OK")
            ok = b;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    const QList<QPointF> pts = drawing()->get_points();
    ASSERT_EQ(pts.size(), 2);
    EXPECT_EQ(pts[0], QPointF(0, 32767));
    EXPECT_EQ(pts[1], QPointF(99, -32767));
    EXPECT_FALSE(drawing()->isVisible());
    EXPECT_EQ(h.undo_count(), steps) << "the samples were already the drawn ones";
    EXPECT_EQ(h.win->get_backup_data()->samples.size(), 0u);
}

TEST_F(mouse_fixture, ToolSwitching)
{
    h.win->set_zoom_mode(1);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_ZOOM);
    h.win->set_zoom_mode(2);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_ZOOM);
    h.win->set_zoom_mode(2);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    EXPECT_EQ(h.win->plot->canvas()->cursor().shape(), Qt::ArrowCursor);
    h.win->set_zoom_mode(0);
    h.win->set_zoom_mode(3);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    h.win->set_zoom_mode(7);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);

    h.win->set_draw_type(1);
    h.win->set_draw_type(5);
    EXPECT_EQ(drawing()->get_draw_type(), 5);
    h.win->set_draw_type(5);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    EXPECT_EQ(drawing()->get_draw_type(), 5);
    h.win->set_draw_type(9);
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);

    h.win->switch_cursor(0);
    EXPECT_TRUE(h.win->cursor->is_x_cursor_visible());
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_CURSOR);
    h.win->switch_cursor(0);
    EXPECT_FALSE(h.win->cursor->is_x_cursor_visible());
    h.win->switch_cursor(1);
    EXPECT_TRUE(h.win->cursor->is_y_cursor_visible());
}

TEST_F(mouse_fixture, EachDrawTypeHasItsCanvasCursor)
{
    for (int t = 1; t <= 5; ++t) {
        h.win->set_draw_type(t);
        const QCursor c = h.win->plot->canvas()->cursor();
        ASSERT_EQ(c.shape(), Qt::BitmapCursor) << t;
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32));
        EXPECT_EQ(c.hotSpot(), QPoint(0, 32));
    }
    h.win->set_draw_type(5); // leaves the tool
    EXPECT_EQ(h.win->plot->canvas()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(mouse_fixture, DraggingANewZoneSelectsIt)
{
    press(100, 0);
    move(200, 0);
    release(200, 0);
    if (h.win->cursor->is_selzone_changed()) {
        EXPECT_EQ(h.win->get_select_kind(), 0);
    }
    EXPECT_EQ(h.samples(), std::vector<short int>(1000, 0));
}

TEST(UiWaveformMenus, NormalMenuEntriesSignalTheOwner)
{
    waveform_harness_t h(100);
    QSignalSpy state(h.win.data(), SIGNAL(update_control_state_signal()));
    QSignalSpy props(h.win.data(), SIGNAL(wvform_info_main_window_signal(wvform_info_t)));
    QSignalSpy send(h.win.data(), SIGNAL(info_send_wv_to_arb_signal()));
    ASSERT_TRUE(state.isValid());
    ASSERT_TRUE(props.isValid());
    std::map<QString, QAction *> actions;
    for (QAction *a : h.win->findChildren<QAction *>())
        actions[a->text()] = a;
    for (const char *t : {"Open", "Save", "Close"})
        actions[t]->trigger();
    EXPECT_EQ(h.requests, (std::vector<int>{1, 2, 3}));
    actions["Waveform Properties"]->trigger();
    actions["Send waveform to AWG"]->trigger();
    ASSERT_EQ(props.count(), 1);
    EXPECT_EQ(props.at(0).at(0).toInt(), 1);
    EXPECT_EQ(send.count(), 1);
    h.win->set_send_available(false); // an owner without communication
    h.win->update_control_state();
    actions["Send waveform to AWG"]->trigger();
    EXPECT_EQ(send.count(), 1);
    state.clear();
    actions["Zoom X"]->trigger();
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_ZOOM);
    actions["Fit to Window"]->trigger();
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
    actions["Oblique Line"]->trigger();
    EXPECT_EQ(h.win->drawing->get_draw_type(), 4);
    actions["Select All"]->trigger();
    EXPECT_EQ(h.win->get_select_kind(), 1);
    EXPECT_EQ(state.count(), 4);

    state.clear();
    actions["Point"]->trigger();
    state.clear();
    for (const char *t : {"Linear", "Smooth", "Staircase", "Select Next Point"})
        actions[t]->trigger();
    EXPECT_EQ(state.count(), 0);
    h.win->update_control_state();
    EXPECT_TRUE(actions["Linear"]->isEnabled());
    EXPECT_FALSE(actions["Smooth"]->isEnabled());
    EXPECT_FALSE(actions["Select Previous Point"]->isEnabled());
    actions["Disable Point Draw"]->trigger();
    EXPECT_EQ(h.win->get_mouse_func(), UI_MOUSE_NORMAL);
}

} // namespace
