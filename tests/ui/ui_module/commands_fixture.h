#pragma once
// The main window driven offscreen: a fixture with the configuration in the working folder,
// and helpers shared by the tests of its menus, tool bar and dialog results.
#include "cfg_if_wv.h"
#include "custom_icon_style.h"
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "sim_engine.h"
#include "sim_visa_env.h"
#include "ui_about_info.h"
#include "ui_application.h"
#include "ui_comm_tree_form.h"
#include "ui_dialog_provider.h"
#include "ui_digtal_wave_form.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_draw_point.h"
#include "ui_equation_form.h"
#include "ui_filter_form.h"
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
#include "ui_window_form.h"
#include "ui_wv_undo_stack.h"
#include "ui_wvmath_form.h"

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

inline void write_csv(const QString &name)
{
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write("xpos,value\n1,-1\n2,0.5\n3,1\n4,0.25\n5,-0.75\n");
}

const QString no_wave = "No waveform exit.\nPlease create or open a waveform first.";

template <typename T> inline T *open_dialog(ui_ondrix_t *w)
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

    // Every scan of the window reaches simulated instruments only (none unless a test adds them).
    sim_visa_env_t instruments;
    std::unique_ptr<ui_ondrix_t> window;
};

inline std::vector<short int> doc_samples(ui_waveform_t *doc)
{
    std::vector<short int> v;
    doc->get_wave_data()->read_all(v);
    return v;
}

inline void set_doc_samples(ui_waveform_t *doc, const std::vector<short int> &v)
{
    doc->get_wave_data()->samples.truncate(0);
    doc->get_wave_data()->samples.write(0, v.data(), static_cast<uint32>(v.size()));
}

inline std::vector<short int> ramp_of(int n)
{
    std::vector<short int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<short int>(i);
    return v;
}

// Checks that a click opened the dialog of the given class (for a generator dialog: of the
// given wave type), then closes it.
template <typename T> inline std::function<void(ui_ondrix_t &, ui_waveform_t *)> opens(int wave_type = -1)
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

inline std::function<void(ui_ondrix_t &, ui_waveform_t *)> zoom_mode(int mode, ui_mouse_func_t func)
{
    return [mode, func](ui_ondrix_t &, ui_waveform_t *doc) {
        EXPECT_EQ(doc->get_zoomer()->get_zoom_mode(), mode);
        EXPECT_EQ(doc->get_mouse_func(), func);
    };
}

inline std::function<void(ui_ondrix_t &, ui_waveform_t *)> draw_type(int type)
{
    return [type](ui_ondrix_t &, ui_waveform_t *doc) {
        EXPECT_EQ(doc->drawing->get_draw_type(), type);
        EXPECT_EQ(doc->get_mouse_func(), UI_MOUSE_DRAW_POINT);
    };
}

// Three drawn points, the last one selected.
inline void three_points(ui_waveform_t *doc)
{
    doc->reset_mouse_func();
    doc->set_draw_type(5);
    doc->drawing->clear_points();
    for (double x : {10.0, 20.0, 30.0})
        doc->drawing->add_or_move_point(x, 100);
}

} // namespace
