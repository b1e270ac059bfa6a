// The main window's menus: their entries, keys and commands, languages, help and About.
#include "commands_fixture.h"

namespace {

TEST_F(Commands, MenuBarHoldsNineMenusInOrder)
{
    QStringList titles;
    for (QAction *a : window->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "Waveform", "Communication", "Control Panel", "Windows",
                                   "Languages", "Help"}));
    EXPECT_EQ(window->menuBar()->objectName(), "MENUBAR_SETTINGS");
    EXPECT_FALSE(window->commands.panel_menu->isEnabled());
    EXPECT_TRUE(window->commands.panel_menu->actions().isEmpty());
    EXPECT_EQ(window->commands.file_menu->objectName(), "mbar_main_menu");
    QStringList file;
    for (QAction *a : window->commands.file_menu->actions())
        file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"Blank Waveform", "Equation Editor", "Standard Waveform", "-", "Open", "Close", "-",
                                 "Save", "Save As", "-", "Print preview", "Print", "-", "Exit"}));
    EXPECT_EQ(window->controls.edit_select_xcursors->text(), "Select |X|");
    EXPECT_EQ(window->commands.edit_menu->actions().value(0), window->undo_action());
    EXPECT_EQ(window->commands.file_exit->shortcut(), QKeySequence("Ctrl+E"));
}

TEST_F(Commands, MenuItemsAreTenPixelsWider)
{
    CustomIconStyle style;
    QCommonStyle common;
    QStyleOptionMenuItem option;
    option.text = "Blank Waveform";
    const QSize base = common.sizeFromContents(QStyle::CT_MenuItem, &option, QSize(80, 20), nullptr);
    EXPECT_EQ(style.sizeFromContents(QStyle::CT_MenuItem, &option, QSize(80, 20), nullptr).width(), base.width() + 10);
    EXPECT_EQ(style.sizeFromContents(QStyle::CT_PushButton, &option, QSize(80, 20), nullptr),
              common.sizeFromContents(QStyle::CT_PushButton, &option, QSize(80, 20), nullptr));
    EXPECT_EQ(style.pixelMetric(QStyle::PM_SmallIconSize, nullptr, nullptr),
              common.pixelMetric(QStyle::PM_SmallIconSize, nullptr, nullptr));
}

// No two commands share a key, so each key runs its command also with a document open:
// Ctrl+W opens Standard Waveform and Ctrl+F4 closes the document.
TEST_F(Commands, EveryShortcutRunsItsOwnCommand)
{
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    QMap<QString, QStringList> by_key;
    for (QAction *a : window->findChildren<QAction *>())
        if (!a->shortcut().isEmpty())
            by_key[a->shortcut().toString()] << a->text();
    for (auto it = by_key.cbegin(); it != by_key.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.key().toStdString() << ": " << it.value().join(", ").toStdString();
    EXPECT_EQ(window->controls.file_close->shortcut(), QKeySequence("Ctrl+F4"));
    EXPECT_EQ(window->commands.file_standard->shortcut(), QKeySequence("Ctrl+W"));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
    ui_stdwvform_t *form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->current_wave()->set_saved(true);
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(documents(), 0);
}

TEST_F(Commands, EditAndViewCommandsNeedADocument)
{
    prompt_script_t prompts;
    window->controls.edit_select_all->setEnabled(true);
    window->controls.edit_select_all->trigger();
    window->controls.view_zoom_x->setEnabled(true);
    window->controls.view_zoom_x->trigger();
    EXPECT_EQ(prompts.texts, (QStringList{no_wave, no_wave}));
    QTest::mouseClick(window->commands.btn_new, Qt::LeftButton);
    ui_wv_settings_t *settings = open_dialog<ui_wv_settings_t>(window.get());
    ASSERT_NE(settings, nullptr);
    settings->close();
}

struct menu_case_t
{
    QAction *action;
    std::function<void()> prepare;
    std::function<void()> check;
};

// Every menu entry that is enabled on a document runs its own command there: the table
// gives what each one must have done, and an entry missing from it fails the test.
TEST_F(Commands, EveryCommandRunsOnADocument)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_short_document();
    ASSERT_NE(doc, nullptr);
    ui_ondrix_t *w = window.get();
    int open_asked = 0, save_asked = 0, printed = 0, previewed = 0;
    ui_dialog_provider_t p;
    p.get_open_file_name = [&](QWidget *, const QString &, const QString &, const QString &) {
        ++open_asked;
        return QString();
    };
    p.get_save_file_name = [&](QWidget *, const QString &, const QString &, const QString &) {
        ++save_asked;
        return QString();
    };
    p.exec_print_dialog = [&](QWidget *, QPrinter &) { return ++printed, false; };
    p.exec_print_preview = [&](QWidget *, QPrinter &, const std::function<void(QPrinter *)> &) { ++previewed; };
    ui_set_dialog_provider(p);
    QList<QUrl> urls;
    ui_set_url_opener([&urls](const QUrl &url) { return urls << url, true; });

    auto ramp_zone = [doc](double a, double b) {
        set_doc_samples(doc, ramp_of(100));
        doc->cursor->set_selzone_range(a, b);
        doc->cursor->show_selzone(a, b);
        doc->set_select_kind(0);
    };
    auto normal = [doc] { doc->reset_mouse_func(); };
    auto zoom = [doc](int mode, ui_mouse_func_t func) {
        return [doc, mode, func] {
            EXPECT_EQ(doc->get_zoomer()->get_zoom_mode(), mode);
            EXPECT_EQ(doc->get_mouse_func(), func);
        };
    };
    auto opened = [w](auto *tag, int type = -1) {
        return [w, type, tag] { opens<std::remove_pointer_t<decltype(tag)>>(type)(*w, nullptr); };
    };
    auto count_is = [](const int &counter, int expected) {
        return [&counter, expected] { EXPECT_EQ(counter, expected); };
    };
    std::vector<short int> before_invert, inverted;
    std::vector<menu_case_t> cases = {
        {w->commands.file_blank, nullptr, opened((ui_wv_settings_t *)nullptr)},
        {w->commands.file_standard, nullptr, opened((ui_stdwvform_t *)nullptr, LIB_WV_SINE)},
        {w->commands.file_open, nullptr, count_is(open_asked, 1)},
        {w->controls.file_save, [doc] { doc->set_saved(false); }, count_is(save_asked, 1)},
        {w->controls.file_save_as, nullptr, count_is(save_asked, 2)},
        {w->controls.file_print_preview, nullptr, count_is(previewed, 1)},
        {w->controls.file_print, nullptr, count_is(printed, 1)},
        {w->controls.edit_invert, [&] { ramp_zone(0, 9), before_invert = doc_samples(doc); }, [&] {
             inverted = doc_samples(doc);
             EXPECT_EQ(inverted[5], -5);
             EXPECT_EQ(inverted[10], 10);
         }},
        {w->undo_action(), nullptr, [&] { EXPECT_EQ(doc_samples(doc), before_invert); }},
        {w->redo_action(), nullptr, [&] { EXPECT_EQ(doc_samples(doc), inverted); }},
        {w->controls.edit_mirror, [&] { ramp_zone(0, 9); }, [&] {
             EXPECT_EQ(doc_samples(doc)[0], 9);
             EXPECT_EQ(doc_samples(doc)[9], 0);
         }},
        {w->controls.edit_copy, [&] { ramp_zone(5, 7); }, [doc] {
             std::vector<short int> copy;
             doc->get_data()->read_all(copy);
             EXPECT_EQ(copy, (std::vector<short int>{5, 6, 7}));
         }},
        {w->controls.edit_paste, nullptr, opened((ui_paste_option_t *)nullptr)},
        {w->controls.edit_cut, [&] { ramp_zone(10, 19); }, [doc] {
             EXPECT_EQ(doc->get_wv_len(), 90u);
             EXPECT_EQ(doc_samples(doc)[10], 20);
         }},
        {w->controls.edit_select_all, nullptr, [doc] {
             EXPECT_EQ(doc->get_select_kind(), 1);
             EXPECT_EQ(doc->cursor->get_selzone_range(), std::make_pair(0.0, 89.0));
         }},
        {w->controls.view_zoom_x, normal, zoom(1, UI_MOUSE_ZOOM)},
        {w->controls.view_zoom_y, normal, zoom(2, UI_MOUSE_ZOOM)},
        {w->controls.view_zoom_area, normal, zoom(0, UI_MOUSE_ZOOM)},
        {w->controls.view_fit, normal, zoom(3, UI_MOUSE_NORMAL)},
        {w->controls.view_x_cursors, nullptr, [doc] { EXPECT_TRUE(doc->cursor->is_x_cursor_visible()); }},
        {w->controls.view_y_cursors, nullptr, [doc] { EXPECT_TRUE(doc->cursor->is_y_cursor_visible()); }},
        {w->controls.edit_select_xcursors, [doc] {
             doc->cursor->set_x1_pos(20);
             doc->cursor->set_x2_pos(30);
             doc->set_select_kind(2);
         }, [doc] {
             EXPECT_EQ(doc->get_select_kind(), 0);
             EXPECT_EQ(doc->cursor->get_selzone_range(), std::make_pair(20.0, 30.0));
         }},
        {w->controls.view_grid, nullptr, [doc, w] {
             EXPECT_FALSE(doc->plot->is_grid_show());
             EXPECT_FALSE(w->controls.view_grid->isChecked());
         }},
        {w->controls.view_time_scale, nullptr, [doc] { EXPECT_TRUE(doc->plot->get_time_scale_show()); }},
        {w->commands.view_hold, nullptr, [doc] { EXPECT_EQ(doc->plot->get_curve_type(), 2); }},
        {w->commands.view_linear, nullptr, [doc] { EXPECT_EQ(doc->plot->get_curve_type(), 0); }},
        {w->controls.view_properties, nullptr, opened((ui_view_property_t *)nullptr)},
        {w->controls.wave_properties, nullptr, opened((ui_wv_property_form_t *)nullptr)},
        {w->commands.file_equation, nullptr, opened((ui_equation_form_t *)nullptr)},
        {w->commands.wave_equation, nullptr, opened((ui_equation_form_t *)nullptr)},
        {w->controls.window_cascade, nullptr, [w] { EXPECT_FALSE(w->get_cur_sub_window()->isMaximized()); }},
        {w->controls.window_tile, nullptr, [w] {
             EXPECT_EQ(w->get_cur_sub_window()->size(), w->mdi_area()->viewport()->size());
         }},
        {w->commands.help_user, nullptr, [&urls] { EXPECT_EQ(urls.value(0), QUrl::fromLocalFile("Ondrix_EN.chm")); }},
        {w->commands.help_website, nullptr, [&urls] { EXPECT_EQ(urls.value(1), QUrl(ui_website_address())); }},
        {w->commands.help_about, nullptr, opened((ui_about_info_t *)nullptr)},
        {w->commands.comm_refresh,
         [this] { instruments.backend().add_usb(std::make_shared<sim_engine_t>(sim_generator_profile(2))); },
         [w] { EXPECT_EQ(w->comm_tree()->get_instr_list()->get_awg_list()->size(), 1u); }},
    };
    for (int type = 0; type < 12; ++type)
        cases.push_back({w->commands.wave_types[type], [doc] { doc->drawing->clear_points(); },
                         opened((ui_stdwvform_t *)nullptr, type)});

    for (const menu_case_t &c : cases) {
        ASSERT_NE(c.action, nullptr);
        SCOPED_TRACE(c.action->text().toStdString());
        if (c.prepare)
            c.prepare();
        window->update_control_state();
        ASSERT_TRUE(c.action->isEnabled());
        c.action->trigger();
        c.check();
        ASSERT_EQ(documents(), 1);
        ASSERT_EQ(window->current_wave(), doc);
    }
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();

    // Every other entry is one that ends the document or the program, or one whose
    // service is not built yet (and so disabled).
    QSet<QAction *> covered;
    for (const menu_case_t &c : cases)
        covered << c.action;
    const QSet<QAction *> ending{w->commands.file_exit, w->controls.file_close, w->controls.window_close_all};
    window->update_control_state();
    for (QMenu *menu : {w->commands.file_menu, w->commands.edit_menu, w->commands.view_menu,
                        w->controls.view_interpolation, w->commands.wave_menu, w->commands.comm_menu,
                        w->controls.window_menu, w->commands.help_menu})
        for (QAction *a : menu->actions())
            if (!a->isSeparator() && !a->menu() && !ending.contains(a) && !covered.contains(a)) {
                EXPECT_FALSE(a->isEnabled()) << "no row for " << a->text().toStdString();
            }
}

// Each Waveform-menu entry opens the dialog for its own type; DC is 5 and Noise 4 although
// Noise follows DC.
TEST_F(Commands, WaveformMenuEntriesOpenTheirTypes)
{
    const struct
    {
        const char *text;
        lib_wv_type_t type;
    } cases[] = {{"Sine", LIB_WV_SINE},         {"Square", LIB_WV_SQUARE},     {"Pulse", LIB_WV_PULSE},
                 {"Ramp", LIB_WV_RAMP},         {"DC", LIB_WV_DC},             {"Noise", LIB_WV_NOISE},
                 {"Sinc", LIB_WV_SINC},         {"Stair Step Up", LIB_WV_STAIR_UP},
                 {"Stair Step Down", LIB_WV_STAIR_DN}, {"Exponential Rise", LIB_WV_EXP_RISE},
                 {"Exponential Fall", LIB_WV_EXP_FALL}, {"Multi pulse", LIB_WV_MULTI_PULSE}};
    QMap<QString, QAction *> entries;
    for (QAction *a : window->commands.wave_menu->actions())
        entries[a->text()] = a;
    for (const auto &c : cases) {
        ASSERT_TRUE(entries.contains(c.text)) << c.text;
        entries[c.text]->trigger();
        QPointer<ui_stdwvform_t> form = open_dialog<ui_stdwvform_t>(window.get());
        ASSERT_FALSE(form.isNull()) << c.text;
        EXPECT_EQ(form->get_wave_object()->get_wv_type(), c.type) << c.text;
        form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (form)
            delete form.data();
    }
    EXPECT_EQ(documents(), 0);
}

// Choosing the language in force, or cancelling the change, writes nothing and asks
// nothing more: English stays checked.
TEST_F(Commands, LanguageChoicesThatChangeNothingWriteNothing)
{
    const struct
    {
        const char *name;
        QAction *ui_ondrix_t::commands_t::*entry;
        QMessageBox::StandardButton answer;
        int prompts;
    } cases[] = {
        {"the active language", &ui_ondrix_t::commands_t::lang_english, QMessageBox::Ok, 0},
        {"a cancelled change", &ui_ondrix_t::commands_t::lang_chinese, QMessageBox::Cancel, 1},
    };
    for (const auto &c : cases) {
        prompt_script_t prompts;
        prompts.answers = {c.answer};
        ASSERT_TRUE(window->commands.lang_english->isChecked()) << c.name;
        (window->commands.*c.entry)->trigger();
        EXPECT_TRUE(window->commands.lang_english->isChecked()) << c.name;
        EXPECT_FALSE(window->commands.lang_chinese->isChecked()) << c.name;
        EXPECT_EQ(prompts.texts.size(), c.prompts) << c.name;
        EXPECT_EQ(lib_xml_t().read_node_content(g_config_file_path, "language"), "english") << c.name;
    }
}

TEST_F(Commands, ChineseIsWrittenTheLoopEndsAndTheNextStartSpeaksChinese)
{
    prompt_script_t prompts;
    prompts.answers = {QMessageBox::Ok};
    QTimer::singleShot(0, [this] { window->commands.lang_chinese->trigger(); });
    QTimer::singleShot(30000, [] { QCoreApplication::exit(99); }); // a hung switch fails, not hangs
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(prompts.texts.value(0), "Language changed successfully. The application will close now. Please restart "
                                      "the application after it closes.");
    EXPECT_EQ(lib_xml_t().read_node_content(g_config_file_path, "language"), "chinese");
    EXPECT_TRUE(window->commands.lang_english->isChecked()) << "this run keeps its language";

    window.reset();
    // A second start with this configuration, as the program's start-up loads it.
    ASSERT_EQ(lib_xml_t().read_node_content(g_config_file_path, "language"), "chinese");
    ASSERT_TRUE(ui_install_language(true));
    build();
    EXPECT_EQ(window->commands.file_menu->title(), QString::fromUtf8("文件"));
    EXPECT_EQ(window->commands.lang_chinese->text(), QString::fromUtf8("中文"));
    EXPECT_TRUE(window->commands.lang_chinese->isChecked());
    EXPECT_EQ(window->controls.btn_zoom_x->toolTip(), QString::fromUtf8("缩放 X 轴"));
    EXPECT_EQ(window->commands.file_equation->shortcut(), QKeySequence("Ctrl+Q"));
    // The dialogs speak Chinese too.
    window->commands.file_standard->trigger();
    ui_stdwvform_t *form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("标准波形"));
    EXPECT_EQ(form->get_form()->btn_cancel->text(), QString::fromUtf8("取消"));
    form->close();
    window->commands.help_about->trigger();
    ui_about_info_t *about = open_dialog<ui_about_info_t>(window.get());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("关于 Ondrix"));
    EXPECT_TRUE(about->version_text().startsWith(QString::fromUtf8("版本：")));
    window.reset();
    ui_install_language(false);
}

TEST_F(Commands, HelpWithoutAnOpenerShowsTheMessage)
{
    prompt_script_t prompts;
    QList<QUrl> asked;
    ui_set_url_opener([&asked](const QUrl &url) {
        asked << url;
        return false;
    });
    window->commands.help_user->trigger();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], QUrl::fromLocalFile("Ondrix_EN.chm"));
    EXPECT_EQ(prompts.texts, QStringList{"Can not find document."});
    window->commands.help_website->trigger();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1], QUrl(ui_website_address()));
    EXPECT_EQ(prompts.texts.size(), 1) << "a failed web site is not reported";
    set_language_flag(1);
    window->commands.help_user->trigger();
    set_language_flag(0);
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[2], QUrl::fromLocalFile("Ondrix_CN.chm"));
}

TEST_F(Commands, AboutShowsTheVersionAndClosesWithOk)
{
    window->commands.help_about->trigger();
    QPointer<ui_about_info_t> about = open_dialog<ui_about_info_t>(window.get());
    ASSERT_FALSE(about.isNull());
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->form()->label_version->text(), QString("Version:") + ONDRIX_PRODUCT_VERSION);
    EXPECT_EQ(about->windowTitle(), "About Ondrix");
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about->form()->btn_ok->objectName(), "BtnStyle");
    QTest::mouseClick(about->form()->btn_ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    window->commands.help_about->trigger();
    EXPECT_EQ(window->findChildren<ui_about_info_t *>().size(), 1);
}

TEST_F(Commands, WindowsMenuListsTheDocuments)
{
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    ASSERT_EQ(window->open_new_wave_window("b"), 0);
    QMetaObject::invokeMethod(window->controls.window_menu, "aboutToShow");
    QStringList entries;
    for (QAction *a : window->controls.window_menu->actions())
        entries << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(entries, (QStringList{"Cascade", "Title", "-", "Close All", "-", "Wave book1-wave1", "Wave book2-b"}));
}

} // namespace
