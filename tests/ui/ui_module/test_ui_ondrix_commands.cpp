// The results of the dialogs the main window opens, applied to its documents.
#include "commands_fixture.h"

namespace {

TEST_F(Commands, StandardWaveformGoesIntoANewOrTheCurrentDocument)
{
    prompt_script_t prompts;
    window->commands.file_standard->trigger();
    ui_stdwvform_t *form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(documents(), 1);
    EXPECT_EQ(window->get_sub_window_titles(), QStringList{"Wave book1-wave1"});
    ui_waveform_t *doc = window->current_wave();
    EXPECT_EQ(doc->wave_object->get_wv_type(), LIB_WV_SINE);
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);
    EXPECT_FALSE(doc->is_saved());

    doc->set_saved(true);
    QTest::mouseClick(window->commands.btn_bswv[4], Qt::LeftButton); // DC
    form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(documents(), 1);
    EXPECT_EQ(window->current_wave()->wave_object->get_wv_type(), LIB_WV_DC);
    EXPECT_FALSE(window->current_wave()->is_saved()) << "a replaced waveform must be saved again";
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

TEST_F(Commands, DigitalWaveAndItsParameterWindow)
{
    QTest::mouseClick(window->commands.btn_digital, Qt::LeftButton);
    ui_digtal_wave_form_t *form = open_dialog<ui_digtal_wave_form_t>(window.get());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(documents(), 1);
    EXPECT_EQ(window->current_wave()->wave_object->get_wv_type(), LIB_WV_DIGITAL);

    const int before = window->findChildren<ui_digtal_wave_form_t *>().size();
    QTest::mouseClick(window->controls.btn_parameter, Qt::LeftButton);
    EXPECT_EQ(window->findChildren<ui_digtal_wave_form_t *>().size(), before + 1);
    EXPECT_EQ(window->findChildren<ui_stdwvform_t *>().size(), 0);
    QTest::mouseClick(open_dialog<ui_digtal_wave_form_t>(window.get())->get_form()->btn_cancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(documents(), 1);
}

TEST_F(Commands, NewWaveformMakesANamedDocumentAndResetsTheDefaults)
{
    g_window_counter = 4;
    window->commands.file_blank->trigger();
    ui_wv_settings_t *form = open_dialog<ui_wv_settings_t>(window.get());
    ASSERT_NE(form, nullptr);
    form->get_name_edit()->setText("ch1");
    const uint32 points = *form->get_wave()->get_wv_len();
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(documents(), 1);
    EXPECT_EQ(window->get_sub_window_titles(), QStringList{"Wave book4-ch1"});
    EXPECT_EQ(window->current_wave()->get_wv_len(), points);
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    EXPECT_EQ(window->current_wave()->get_wv_len(), 16384u);
}

TEST_F(Commands, WaveformPropertiesCancelRestoresTheSamples)
{
    prompt_script_t prompts;
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    ui_waveform_t *doc = window->current_wave();
    std::vector<short> before;
    doc->get_wave_data()->read_all(before);
    window->controls.wave_properties->trigger();
    ui_wv_property_form_t *form = open_dialog<ui_wv_property_form_t>(window.get());
    ASSERT_NE(form, nullptr);
    auto *table = form->findChild<QTableWidget *>();
    ASSERT_NE(table, nullptr);
    table->item(2, 1)->setText("0.75");
    std::vector<short> edited;
    doc->get_wave_data()->read_all(edited);
    ASSERT_NE(edited, before) << "the form writes into the samples";
    QTest::mouseClick(button(form, "Cancel"), Qt::LeftButton);
    QApplication::processEvents();
    std::vector<short> after;
    doc->get_wave_data()->read_all(after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);
}

TEST_F(Commands, WaveformPropertiesOkWithAnEditIsOneUndoStep)
{
    prompt_script_t prompts;
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    ui_waveform_t *doc = window->current_wave();
    QTest::mouseClick(window->controls.btn_wv_property, Qt::LeftButton);
    ui_wv_property_form_t *form = open_dialog<ui_wv_property_form_t>(window.get());
    ASSERT_NE(form, nullptr);
    form->findChild<QTableWidget *>()->item(2, 1)->setText("0.75");
    QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(doc->get_undo_stack()->count(), 1);
    EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
}

TEST_F(Commands, WaveParameterOnAnOpenedFileOpensNothing)
{
    prompt_script_t prompts;
    write_csv("w.csv");
    window->open_file_slot_func(QDir::currentPath() + "/w.csv");
    ASSERT_NE(window->current_wave(), nullptr);
    ASSERT_EQ(window->current_wave()->wave_object->get_wv_type(), LIB_WV_NONE);
    EXPECT_FALSE(window->controls.btn_parameter->is_btn_enable());
    window->show_wv_parameter_window();
    EXPECT_TRUE(window->findChildren<ui_stdwvform_t *>().isEmpty());
    EXPECT_TRUE(window->findChildren<ui_digtal_wave_form_t *>().isEmpty());
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// OK closes the dialog, whose close then reports code 8: the second code changes nothing.
TEST_F(Commands, CloseCodeAfterOkIsHarmless)
{
    window->commands.wave_types[LIB_WV_SQUARE]->trigger();
    QPointer<ui_stdwvform_t> form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_FALSE(form.isNull());
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    cfg_if_wv_t *object = window->current_wave()->wave_object;
    if (!form.isNull())
        window->std_wv_form_btn_slot_func(form, 8, false);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(documents(), 1);
    EXPECT_EQ(window->current_wave()->wave_object, object);
    EXPECT_EQ(object->get_wv_type(), LIB_WV_SQUARE);
}

TEST_F(Commands, DisplayPropertiesOkSetsTheViewEntries)
{
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    ASSERT_TRUE(window->controls.view_grid->isChecked());
    window->controls.view_properties->trigger();
    ui_view_property_t *form = open_dialog<ui_view_property_t>(window.get());
    ASSERT_NE(form, nullptr);
    QCheckBox *grid = nullptr;
    for (QCheckBox *c : form->findChildren<QCheckBox *>())
        if (c->text() == "Grids")
            grid = c;
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(grid->isChecked());
    grid->click();
    QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
    EXPECT_FALSE(window->controls.view_grid->isChecked());
    EXPECT_FALSE(window->current_wave()->get_view_setting().grid_show);
}

TEST_F(Commands, CursorSettingsOkPutsTheDocumentInCursorMode)
{
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    ui_waveform_t *doc = window->current_wave();
    EXPECT_FALSE(window->controls.btn_edit_cursors->is_btn_enable());
    QTest::mouseClick(window->controls.btn_x_cursors, Qt::LeftButton);
    ASSERT_TRUE(doc->cursor->is_x_cursor_visible());
    ASSERT_TRUE(window->controls.btn_edit_cursors->is_btn_enable());
    QTest::mouseClick(window->controls.btn_edit_cursors, Qt::LeftButton);
    ui_cursor_setting_t *form = open_dialog<ui_cursor_setting_t>(window.get());
    ASSERT_NE(form, nullptr);
    const double x1 = form->get_x1();
    QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
    EXPECT_EQ(doc->get_mouse_func(), UI_MOUSE_CURSOR);
    EXPECT_FLOAT_EQ(doc->cursor->get_x1_pos(), static_cast<float>(x1));
}

// Re-parameterising replaces the document's object; the new samples stay readable after
// the old object released its own.
TEST_F(Commands, WaveParameterReplacesTheObjectAndKeepsItsSamples)
{
    window->commands.file_standard->trigger();
    QTest::mouseClick(open_dialog<ui_stdwvform_t>(window.get())->get_form()->btn_ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui_waveform_t *doc = window->current_wave();
    ASSERT_NE(doc, nullptr);
    std::vector<short> first;
    doc->get_wave_data()->read_all(first);
    cfg_if_wv_t *old_object = doc->wave_object;
    QTest::mouseClick(window->controls.btn_parameter, Qt::LeftButton);
    ui_stdwvform_t *form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(doc->wave_object, old_object);
    std::vector<short> second;
    doc->get_wave_data()->read_all(second);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_EQ(second, first) << "same parameters, same samples";
    EXPECT_EQ(documents(), 1);
}

// A new waveform object takes the place of the old one without an undo step: the steps
// recorded on the old one go with it.
TEST_F(Commands, ReplacingTheWaveformObjectDropsItsUndoSteps)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_edited_file();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(window->undo_action()->isEnabled());

    window->show_wv_window(LIB_WV_SINE);
    ui_stdwvform_t *form = open_dialog<ui_stdwvform_t>(window.get());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->get_form()->btn_ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window->current_wave(), doc);
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);
    EXPECT_FALSE(window->undo_action()->isEnabled());
    std::vector<short> sine;
    doc->get_wave_data()->read_all(sine);
    window->undo_action()->trigger();
    std::vector<short> after;
    doc->get_wave_data()->read_all(after);
    EXPECT_EQ(after, sine);
    EXPECT_EQ(after.size(), *doc->wave_object->get_wv_len());
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

TEST_F(Commands, RenamedDocumentShowsItsNewTitleInTheWindowsMenu)
{
    ASSERT_EQ(window->open_new_wave_window(""), 0);
    window->controls.wave_properties->trigger();
    ui_wv_property_form_t *form = open_dialog<ui_wv_property_form_t>(window.get());
    ASSERT_NE(form, nullptr);
    form->set_name_postfix("renamed");
    const QString name = form->get_wave_name();
    ASSERT_TRUE(name.endsWith("renamed")) << name.toStdString();
    QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
    EXPECT_EQ(window->get_cur_wave_name(), name);
    EXPECT_EQ(window->get_sub_window_titles(), QStringList{name});
    QMetaObject::invokeMethod(window->controls.window_menu, "aboutToShow");
    EXPECT_EQ(window->controls.window_menu->actions().last()->text(), name);
    EXPECT_EQ(window->current_wave()->get_undo_stack()->count(), 0) << "no edited points, no undo step";
}

} // namespace
