// The main window's tool bar: its groups, looks and the command behind every button.
#include "commands_fixture.h"

namespace {

TEST_F(Commands, ToolBarHasThirteenGroupsWithGreyTwins)
{
    QToolBar *bar = window->findChild<QToolBar *>("tbar_main");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isMovable());
    QStringList labels;
    for (QLabel *l : bar->findChildren<QLabel *>("tbar_label"))
        labels << l->text();
    EXPECT_EQ(labels, (QStringList{"Basic Operation", "Zoom", "Basic Wave", "Advanced Wave", "Digital Wave",
                                   "Equation Editor", "Wave Parameter", "Property", "Cursor", "Wave Operation",
                                   "Draw Wave", "Math", "Communication"}));
    EXPECT_EQ(t_buttons().size(), 39);
    EXPECT_EQ(bar->findChildren<QPushButton *>("tbar_button").size(), 14);
    for (ui_tbar_btn_t *b : t_buttons())
        EXPECT_FALSE(b->toolTip().isEmpty());
    EXPECT_EQ(window->commands.btn_adwv[2]->toolTip(), "Stair step  down waveform");
    // The tooltips name the keys the actions really have.
    for (QAction *a : {window->undo_action(), window->redo_action()}) {
        ASSERT_FALSE(a->shortcut().isEmpty());
        EXPECT_TRUE(a->toolTip().endsWith("(" + a->shortcut().toString(QKeySequence::NativeText) + ")"))
            << a->toolTip().toStdString();
    }
}

double brightness(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (image.width() * image.height());
}

// A disabled command looks disabled: Undo and Redo while there is nothing to undo or redo,
// and a disabled picture button, draw a muted picture.
TEST_F(Commands, DisabledCommandsLookDisabled)
{
    const QSize size(16, 16);
    for (const QIcon &icon : {window->undo_action()->icon(), window->redo_action()->icon(),
                              window->commands.btn_equation->icon()}) {
        const double normal = brightness(icon.pixmap(size, QIcon::Normal).toImage());
        const double disabled = brightness(icon.pixmap(size, QIcon::Disabled).toImage());
        EXPECT_GT(normal, disabled * 2) << normal << " " << disabled;
    }
    EXPECT_FALSE(window->undo_action()->isEnabled());
}

// Without a document only New, Open and Refresh look normal; every command whose service
// is missing stays off whatever the rules say.
TEST_F(Commands, ControlStateWithoutAndWithADocument)
{
    for (ui_tbar_btn_t *b : t_buttons()) {
        const bool always = b == window->commands.btn_new || b == window->commands.btn_open ||
                            b == window->commands.btn_refresh;
        EXPECT_EQ(b->is_btn_enable(), always) << b->toolTip().toStdString();
        EXPECT_TRUE(b->isEnabled()) << "grey buttons stay enabled widgets";
    }
    auto &c = window->commands;
    for (QAction *a : {window->controls.comm_send, c.comm_read, c.comm_import})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(c.comm_refresh->isEnabled());
    EXPECT_TRUE(c.file_equation->isEnabled());
    EXPECT_TRUE(c.wave_equation->isEnabled());
    EXPECT_TRUE(c.btn_equation->isEnabled());
    EXPECT_TRUE(c.btn_digital->isEnabled());
    for (QPushButton *b : c.btn_bswv)
        EXPECT_TRUE(b->isEnabled());
    EXPECT_FALSE(window->controls.file_save->isEnabled());
    EXPECT_FALSE(window->controls.window_cascade->isEnabled());

    ASSERT_EQ(window->open_new_wave_window(""), 0);
    auto &k = window->controls;
    for (ui_tbar_btn_t *b : {k.btn_save, k.btn_zoom_x, k.btn_zoom_fit, k.btn_wv_property, k.btn_x_cursors,
                             k.btn_select_mode, k.btn_select_all, k.btn_freehand, k.btn_points, k.btn_math,
                             k.btn_filter, k.btn_window})
        EXPECT_TRUE(b->is_btn_enable()) << b->toolTip().toStdString();
    for (ui_tbar_btn_t *b : {k.btn_send, c.btn_read, c.btn_import, k.btn_interpolation, k.btn_cut,
                             k.btn_points_table})
        EXPECT_FALSE(b->is_btn_enable()) << b->toolTip().toStdString();
    EXPECT_TRUE(c.btn_refresh->is_btn_enable());
    EXPECT_TRUE(c.comm_refresh->isEnabled());
    EXPECT_TRUE(k.file_save->isEnabled());
    EXPECT_TRUE(k.window_close_all->isEnabled());
    EXPECT_FALSE(k.comm_send->isEnabled());
    EXPECT_TRUE(c.file_equation->isEnabled());
    // The document's own "Send waveform to AWG" waits for the communication commands too.
    QAction *send = nullptr;
    for (QAction *a : window->current_wave()->findChildren<QAction *>())
        if (a->text() == "Send waveform to AWG")
            send = a;
    ASSERT_NE(send, nullptr);
    EXPECT_FALSE(send->isEnabled());
    window->update_control_state();
    EXPECT_FALSE(send->isEnabled());
}

TEST_F(Commands, GreyButtonDropsClicksButItsShortcutStillFires)
{
    prompt_script_t prompts;
    QTest::mouseClick(window->controls.btn_zoom_x, Qt::LeftButton);
    EXPECT_TRUE(prompts.texts.isEmpty());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    // The shortcut clicks through animateClick: give it time, however busy the machine.
    for (int i = 0; i < 200 && prompts.texts.isEmpty(); ++i)
        QTest::qWait(50);
    ASSERT_FALSE(prompts.texts.isEmpty());
    EXPECT_EQ(prompts.texts.last(), no_wave);
}

struct tbar_case_t
{
    const char *name;
    std::function<QPushButton *(ui_ondrix_t &)> button;
    std::function<void(ui_waveform_t *)> prepare;
    std::function<void(ui_ondrix_t &, ui_waveform_t *)> check;
};

// Each tool button runs its own command on the current document: the table gives what
// the click must have done.
TEST_F(Commands, ToolBarButtonsDispatchTheirCommands)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_short_document();
    ASSERT_NE(doc, nullptr);
    using C = ui_ondrix_t::controls_t;
    using K = ui_ondrix_t::commands_t;
    auto t = [](ui_tbar_btn_t *C::*b) {
        return [b](ui_ondrix_t &w) -> QPushButton * { return w.controls.*b; };
    };
    auto k = [](ui_tbar_btn_t *K::*b) {
        return [b](ui_ondrix_t &w) -> QPushButton * { return w.commands.*b; };
    };
    auto bswv = [](int i) { return [i](ui_ondrix_t &w) { return w.commands.btn_bswv[i]; }; };
    auto adwv = [](int i) { return [i](ui_ondrix_t &w) { return w.commands.btn_adwv[i]; }; };
    auto normal = [](ui_waveform_t *d) { d->reset_mouse_func(); };
    const tbar_case_t cases[] = {
        {"New", k(&K::btn_new), nullptr, opens<ui_wv_settings_t>()},
        {"Copy", t(&C::btn_copy), [](ui_waveform_t *d) {
             set_doc_samples(d, ramp_of(100));
             d->cursor->set_selzone_range(5, 7);
             d->cursor->show_selzone(5, 7);
             d->set_select_kind(0);
         }, [](ui_ondrix_t &, ui_waveform_t *d) {
             std::vector<short int> copy;
             d->get_data()->read_all(copy);
             EXPECT_EQ(copy, (std::vector<short int>{5, 6, 7}));
         }},
        {"Paste", t(&C::btn_paste), nullptr, opens<ui_paste_option_t>()},
        {"Cut", t(&C::btn_cut), nullptr, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(d->get_wv_len(), 97u);
             EXPECT_EQ(doc_samples(d)[5], 8);
         }},
        {"Zoom X", t(&C::btn_zoom_x), normal, zoom_mode(1, UI_MOUSE_ZOOM)},
        {"Zoom Y", t(&C::btn_zoom_y), normal, zoom_mode(2, UI_MOUSE_ZOOM)},
        {"Zoom area", t(&C::btn_zoom_area), normal, zoom_mode(0, UI_MOUSE_ZOOM)},
        {"Fit", t(&C::btn_zoom_fit), normal, zoom_mode(3, UI_MOUSE_NORMAL)},
        {"Sine", bswv(0), nullptr, opens<ui_stdwvform_t>(LIB_WV_SINE)},
        {"Square", bswv(1), nullptr, opens<ui_stdwvform_t>(LIB_WV_SQUARE)},
        {"Pulse", bswv(2), nullptr, opens<ui_stdwvform_t>(LIB_WV_PULSE)},
        {"Ramp", bswv(3), nullptr, opens<ui_stdwvform_t>(LIB_WV_RAMP)},
        {"DC", bswv(4), nullptr, opens<ui_stdwvform_t>(LIB_WV_DC)},
        {"Noise", bswv(5), nullptr, opens<ui_stdwvform_t>(LIB_WV_NOISE)},
        {"Sinc", adwv(0), nullptr, opens<ui_stdwvform_t>(LIB_WV_SINC)},
        {"Stair up", adwv(1), nullptr, opens<ui_stdwvform_t>(LIB_WV_STAIR_UP)},
        {"Stair down", adwv(2), nullptr, opens<ui_stdwvform_t>(LIB_WV_STAIR_DN)},
        {"Exp rise", adwv(3), nullptr, opens<ui_stdwvform_t>(LIB_WV_EXP_RISE)},
        {"Exp fall", adwv(4), nullptr, opens<ui_stdwvform_t>(LIB_WV_EXP_FALL)},
        {"Multi pulse", adwv(5), nullptr, opens<ui_stdwvform_t>(LIB_WV_MULTI_PULSE)},
        {"Digital", [](ui_ondrix_t &w) { return w.commands.btn_digital; }, nullptr, opens<ui_digtal_wave_form_t>()},
        {"Wave parameter", t(&C::btn_parameter), [](ui_waveform_t *d) { d->wave_object->set_wv_type(LIB_WV_DC); },
         opens<ui_stdwvform_t>(LIB_WV_DC)},
        {"Waveform properties", t(&C::btn_wv_property), nullptr, opens<ui_wv_property_form_t>()},
        {"Display properties", t(&C::btn_view_property), nullptr, opens<ui_view_property_t>()},
        {"X cursors", t(&C::btn_x_cursors), normal, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_TRUE(d->cursor->is_x_cursor_visible());
             EXPECT_EQ(d->get_mouse_func(), UI_MOUSE_CURSOR);
         }},
        {"Y cursors", t(&C::btn_y_cursors), nullptr, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_TRUE(d->cursor->is_y_cursor_visible());
         }},
        {"Edit cursors", t(&C::btn_edit_cursors), nullptr, opens<ui_cursor_setting_t>()},
        {"Select mode", t(&C::btn_select_mode), [](ui_waveform_t *d) { d->set_zoom_mode(1); },
         [](ui_ondrix_t &, ui_waveform_t *d) { EXPECT_EQ(d->get_mouse_func(), UI_MOUSE_NORMAL); }},
        {"Select between X cursors", t(&C::btn_select_xcursors), [](ui_waveform_t *d) {
             d->cursor->set_x1_pos(20);
             d->cursor->set_x2_pos(30);
             d->set_select_kind(2);
         }, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(d->get_select_kind(), 0);
             EXPECT_EQ(d->cursor->get_selzone_range(), std::make_pair(20.0, 30.0));
         }},
        {"Invert", t(&C::btn_invert), [](ui_waveform_t *d) { set_doc_samples(d, ramp_of(97)); },
         [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(doc_samples(d)[20], -20);
             EXPECT_EQ(doc_samples(d)[31], 31);
         }},
        {"Mirror", t(&C::btn_mirror), [](ui_waveform_t *d) { set_doc_samples(d, ramp_of(97)); },
         [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(doc_samples(d)[20], 30);
             EXPECT_EQ(doc_samples(d)[30], 20);
         }},
        {"Select all", t(&C::btn_select_all), nullptr, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(d->get_select_kind(), 1);
             EXPECT_EQ(d->cursor->get_selzone_range(), std::make_pair(0.0, 96.0));
         }},
        {"Freehand", t(&C::btn_freehand), normal, draw_type(1)},
        {"Horizontal line", t(&C::btn_hline), normal, draw_type(2)},
        {"Vertical line", t(&C::btn_vline), normal, draw_type(3)},
        {"Oblique line", t(&C::btn_oline), normal, draw_type(4)},
        {"Points", t(&C::btn_points), normal, draw_type(5)},
        {"Previous point", t(&C::btn_point_prev), three_points, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_EQ(d->drawing->get_selected_index(), 1);
         }},
        {"Next point", t(&C::btn_point_next), [](ui_waveform_t *d) {
             three_points(d);
             d->drawing->select_point(0);
         }, [](ui_ondrix_t &, ui_waveform_t *d) { EXPECT_EQ(d->drawing->get_selected_index(), 1); }},
        {"Delete point", t(&C::btn_point_delete), three_points,
         [](ui_ondrix_t &, ui_waveform_t *d) { EXPECT_EQ(d->drawing->get_points().size(), 2); }},
        {"Clear points", t(&C::btn_points_clear), three_points,
         [](ui_ondrix_t &, ui_waveform_t *d) { EXPECT_TRUE(d->drawing->is_points_empty()); }},
        {"Points table", t(&C::btn_points_table), three_points, [](ui_ondrix_t &, ui_waveform_t *d) {
             EXPECT_TRUE(d->drawing->isVisible());
             d->point_table_form_btn_slot_func(d->drawing, 2);
         }},
    };
    for (const tbar_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.prepare)
            c.prepare(doc);
        window->update_control_state();
        QPushButton *b = c.button(*window);
        ASSERT_NE(b, nullptr);
        if (auto *tb = qobject_cast<ui_tbar_btn_t *>(b)) {
            ASSERT_TRUE(tb->is_btn_enable()) << "the button must look and act enabled here";
        }
        QTest::mouseClick(b, Qt::LeftButton);
        c.check(*window, doc);
        ASSERT_EQ(window->current_wave(), doc);
    }
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

// In point editing the tool bar's undo first undoes, then tells the user the drawn points
// go and clears them.
TEST_F(Commands, UndoInPointEditingClearsTheDrawnPoints)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_edited_file();
    ASSERT_NE(doc, nullptr);
    QTest::mouseClick(window->controls.btn_points, Qt::LeftButton);
    ASSERT_EQ(doc->drawing->get_draw_type(), 5);
    doc->drawing->add_or_move_point(10, 100);
    doc->drawing->add_or_move_point(200, -100);
    ASSERT_FALSE(doc->drawing->is_points_empty());
    window->update_control_state();
    EXPECT_TRUE(window->controls.btn_points_table->is_btn_enable());
    EXPECT_TRUE(window->controls.btn_point_delete->is_btn_enable());

    window->undo_action()->trigger();
    EXPECT_EQ(doc->get_undo_stack()->index(), 0);
    EXPECT_EQ(prompts.texts, QStringList{"This edit operation will cover the current points."});
    EXPECT_TRUE(doc->drawing->is_points_empty());
    EXPECT_FALSE(window->controls.btn_point_delete->is_btn_enable());
}

TEST_F(Commands, DrawWaveButtonsLeaveRectangleZoomFirst)
{
    window->open_new_wave_window("");
    ui_waveform_t *doc = window->current_wave();
    doc->set_zoom_mode(0);
    ASSERT_EQ(doc->get_zoomer()->get_zoom_mode(), 0);
    QTest::mouseClick(window->controls.btn_hline, Qt::LeftButton);
    EXPECT_EQ(doc->get_zoomer()->get_zoom_mode(), 3);
}

} // namespace
