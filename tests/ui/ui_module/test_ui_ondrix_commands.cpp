// The main window's commands driven offscreen: menus, tool bar, the creation dialogs'
// results, Waveform Properties, languages, help and About.
#include "cfg_if_wv.h"
#include "custom_icon_style.h"
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "ui_about_info.h"
#include "ui_application.h"
#include "ui_dialog_provider.h"
#include "ui_digtal_wave_form.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_draw_point.h"
#include "ui_language_resources.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_qwt_plotzoomer.h"
#include "ui_paste_option.h"
#include "ui_plot_cursor.h"
#include "ui_prompt.h"
#include "ui_stdwvform.h"
#include "ui_stdwvform_form.h"
#include "ui_tbar_btn.h"
#include "ui_url_opener.h"
#include "ui_view_property.h"
#include "ui_cursor_setting.h"
#include "ui_version.h"
#include "ui_waveform.h"
#include "ui_wv_property_form.h"
#include "ui_wv_settings.h"
#include "ui_wv_settings_form.h"
#include "ui_wv_undo_stack.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionMenuItem>
#include <QTableWidget>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QToolBar>
#include <deque>
#include <functional>
#include <type_traits>
#include <gtest/gtest.h>

#include "find_child.h"

#include "prompt_script.h"

namespace {

void write_csv(const QString &name)
{
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write("xpos,value\n1,-1\n2,0.5\n3,1\n4,0.25\n5,-0.75\n");
}

const QString no_wave = "No waveform exit.\nPlease create or open a waveform first.";

template <typename T> T *open_dialog(ui_ondrix_t *w)
{
    QList<T *> all = w->findChildren<T *>();
    return all.isEmpty() ? nullptr : all.last();
}

class Commands : public testing::Test
{
protected:
    void SetUp() override
    {
        ui_register_meta_types();
        ui_init_language_resources();
        g_config_dir = QDir::currentPath();
        g_setting_file_path = g_config_dir + "/Setting.ini";
        g_config_file_path = g_config_dir + "/ondrix_config.xml";
        g_data_dir = g_config_dir + "/data";
        QDir().mkpath(g_data_dir);
        lib_xml_t().create_file_template(g_config_file_path);
        g_window_counter = 1;
        ui_dialog_provider_t p;
        p.get_open_file_name = [](QWidget *, const QString &, const QString &, const QString &) { return QString(); };
        p.get_save_file_name = p.get_open_file_name;
        p.exec_print_dialog = [](QWidget *, QPrinter &) { return false; };
        p.exec_print_preview = [](QWidget *, QPrinter &, const std::function<void(QPrinter *)> &) {};
        ui_set_dialog_provider(p);
        build();
    }
    void build()
    {
        window = std::make_unique<ui_ondrix_t>();
        window->resize(1400, 700);
        window->show();
    }
    void TearDown() override
    {
        ui_reset_dialog_provider();
        ui_set_url_opener(nullptr);
        close_documents();
        window.reset();
    }
    void close_documents()
    {
        if (!window)
            return;
        for (QMdiSubWindow *sub : window->get_sub_window_list())
            if (auto *w = qobject_cast<ui_waveform_t *>(sub->widget()))
                w->set_saved(true);
    }
    int documents() const { return window->get_sub_window_list().size(); }
    // A new document of 100 points; null when it could not be made.
    ui_waveform_t *open_short_document()
    {
        window->set_new_wave_param(100, 1000.0f);
        const int32 made = window->open_new_wave_window("");
        window->reset_new_wave_param();
        return made == 0 ? window->current_wave() : nullptr;
    }
    // A document opened from a file, inverted whole: one undo step; null when it failed.
    ui_waveform_t *open_edited_file()
    {
        write_csv("w.csv");
        window->open_file_slot_func(QDir::currentPath() + "/w.csv");
        ui_waveform_t *doc = window->current_wave();
        if (!doc)
            return nullptr;
        doc->select_all();
        doc->invert_waveform();
        return doc->get_undo_stack()->count() == 1 ? doc : nullptr;
    }
    QList<ui_tbar_btn_t *> t_buttons() const { return window->findChildren<ui_tbar_btn_t *>(); }

    std::unique_ptr<ui_ondrix_t> window;
};

} // namespace

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
// and the picture button of a command that is not built yet, draw a muted picture.
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
    EXPECT_FALSE(window->commands.btn_equation->isEnabled());
}

// Without a document only New and Open look normal; every command whose service is
// missing stays off whatever the rules say.
TEST_F(Commands, ControlStateWithoutAndWithADocument)
{
    for (ui_tbar_btn_t *b : t_buttons()) {
        const bool always = b == window->commands.btn_new || b == window->commands.btn_open;
        EXPECT_EQ(b->is_btn_enable(), always) << b->toolTip().toStdString();
        EXPECT_TRUE(b->isEnabled()) << "grey buttons stay enabled widgets";
    }
    auto &c = window->commands;
    for (QAction *a : {c.file_equation, c.wave_equation, window->controls.comm_send, c.comm_read, c.comm_import,
                       c.comm_refresh})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(c.btn_equation->isEnabled());
    EXPECT_TRUE(c.btn_digital->isEnabled());
    for (QPushButton *b : c.btn_bswv)
        EXPECT_TRUE(b->isEnabled());
    EXPECT_FALSE(window->controls.file_save->isEnabled());
    EXPECT_FALSE(window->controls.window_cascade->isEnabled());

    ASSERT_EQ(window->open_new_wave_window(""), 0);
    auto &k = window->controls;
    for (ui_tbar_btn_t *b : {k.btn_save, k.btn_zoom_x, k.btn_zoom_fit, k.btn_wv_property,
                             k.btn_x_cursors, k.btn_select_mode, k.btn_select_all, k.btn_freehand, k.btn_points})
        EXPECT_TRUE(b->is_btn_enable()) << b->toolTip().toStdString();
    for (ui_tbar_btn_t *b : {k.btn_math, k.btn_filter, k.btn_window, k.btn_send, c.btn_read, c.btn_import,
                             c.btn_refresh, k.btn_interpolation, k.btn_cut, k.btn_points_table})
        EXPECT_FALSE(b->is_btn_enable()) << b->toolTip().toStdString();
    EXPECT_TRUE(k.file_save->isEnabled());
    EXPECT_TRUE(k.window_close_all->isEnabled());
    EXPECT_FALSE(k.comm_send->isEnabled());
    EXPECT_FALSE(c.file_equation->isEnabled());
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

std::vector<short int> doc_samples(ui_waveform_t *doc)
{
    std::vector<short int> v;
    doc->get_wave_data()->read_all(v);
    return v;
}

void set_doc_samples(ui_waveform_t *doc, const std::vector<short int> &v)
{
    doc->get_wave_data()->samples.truncate(0);
    doc->get_wave_data()->samples.write(0, v.data(), static_cast<uint32>(v.size()));
}

std::vector<short int> ramp_of(int n)
{
    std::vector<short int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<short int>(i);
    return v;
}

// Checks that a click opened the dialog of the given class (for a generator dialog: of the
// given wave type), then closes it.
template <typename T> std::function<void(ui_ondrix_t &, ui_waveform_t *)> opens(int wave_type = -1)
{
    return [wave_type](ui_ondrix_t &w, ui_waveform_t *) {
        T *form = open_dialog<T>(&w);
        ASSERT_NE(form, nullptr);
        if constexpr (std::is_same<T, ui_stdwvform_t>::value) {
            if (wave_type >= 0) {
                EXPECT_EQ(static_cast<int>(form->get_wave_object()->get_wv_type()), wave_type);
            }
        }
        form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (QPointer<T>(open_dialog<T>(&w)))
            delete open_dialog<T>(&w);
    };
}

std::function<void(ui_ondrix_t &, ui_waveform_t *)> zoom_mode(int mode, ui_mouse_func_t func)
{
    return [mode, func](ui_ondrix_t &, ui_waveform_t *doc) {
        EXPECT_EQ(doc->get_zoomer()->get_zoom_mode(), mode);
        EXPECT_EQ(doc->get_mouse_func(), func);
    };
}

std::function<void(ui_ondrix_t &, ui_waveform_t *)> draw_type(int type)
{
    return [type](ui_ondrix_t &, ui_waveform_t *doc) {
        EXPECT_EQ(doc->drawing->get_draw_type(), type);
        EXPECT_EQ(doc->get_mouse_func(), UI_MOUSE_DRAW_POINT);
    };
}

// Three drawn points, the last one selected.
void three_points(ui_waveform_t *doc)
{
    doc->reset_mouse_func();
    doc->set_draw_type(5);
    doc->drawing->clear_points();
    for (double x : {10.0, 20.0, 30.0})
        doc->drawing->add_or_move_point(x, 100);
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
        {w->controls.window_cascade, nullptr, [w] { EXPECT_FALSE(w->get_cur_sub_window()->isMaximized()); }},
        {w->controls.window_tile, nullptr, [w] {
             EXPECT_EQ(w->get_cur_sub_window()->size(), w->mdi_area()->viewport()->size());
         }},
        {w->commands.help_user, nullptr, [&urls] { EXPECT_EQ(urls.value(0), QUrl::fromLocalFile("Ondrix_EN.chm")); }},
        {w->commands.help_website, nullptr, [&urls] { EXPECT_EQ(urls.value(1), QUrl(ui_website_address())); }},
        {w->commands.help_about, nullptr, opened((ui_about_info_t *)nullptr)},
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

TEST_F(Commands, DrawWaveButtonsLeaveRectangleZoomFirst)
{
    window->open_new_wave_window("");
    ui_waveform_t *doc = window->current_wave();
    doc->set_zoom_mode(0);
    ASSERT_EQ(doc->get_zoomer()->get_zoom_mode(), 0);
    QTest::mouseClick(window->controls.btn_hline, Qt::LeftButton);
    EXPECT_EQ(doc->get_zoomer()->get_zoom_mode(), 3);
}
