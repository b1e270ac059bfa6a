#pragma once
// A stand-in for the main window: one undo group with its Undo and Redo actions, a
// document window in it, and the answers to the window's file requests.
#include "cfg_if_wv.h"
#include "lib_wv_data.h"
#include "ui_plot_cursor.h"
#include "ui_preview_plot.h"
#include "ui_qwt_picker.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QUndoGroup>

#include <dirent.h>
#include <string>
#include <vector>

class waveform_harness_t
{
public:
    explicit waveform_harness_t(uint32 points = 1000, float frequency = 1000.0f)
    {
        undo = group.createUndoAction(nullptr);
        redo = group.createRedoAction(nullptr);
        win = new ui_waveform_t(undo, redo, points, frequency, nullptr);
        win->set_saved(false);
        win->set_window_num(1);
        group.addStack(win->get_undo_stack());
        group.setActiveStack(win->get_undo_stack());
        QObject::connect(win.data(), QOverload<update_window_t>::of(&ui_waveform_t::update_file_oper_signal),
                         [this](update_window_t type) { answer(type); });
        QObject::connect(win.data(),
                         QOverload<update_window_t, QCloseEvent *>::of(&ui_waveform_t::update_file_oper_signal),
                         [this](update_window_t type, QCloseEvent *) { answer(type); });
    }

    ~waveform_harness_t()
    {
        delete win.data();
        delete undo;
        delete redo;
    }

    // Save marks the document saved; close (after a save question) saves it too.
    void answer(update_window_t type)
    {
        requests.push_back(type);
        if ((type == 2 || type == 3) && win)
            win->set_saved(true);
    }

    std::vector<short int> samples() const
    {
        std::vector<short int> out;
        win->get_wave_data()->read_all(out);
        return out;
    }

    void set_samples(const std::vector<short int> &values)
    {
        lib_wv_data_t<short int> rec;
        rec.amp = win->get_wave_data()->amp;
        rec.offset = win->get_wave_data()->offset;
        rec.samples.write(0, values.data(), static_cast<uint32>(values.size()));
        win->set_wave_data(rec);
        win->get_wave_data()->samples.truncate(static_cast<uint32>(values.size()));
    }

    void select_zone(double a, double b)
    {
        win->cursor->set_selzone_range(a, b);
        win->cursor->show_selzone(a, b);
        win->set_select_kind(0);
    }

    void picker_at(double x, double y) { win->plot->get_picker()->update_pos_slot_func(fp32(x), fp32(y)); }

    int undo_count() const { return win->get_undo_stack()->count(); }
    int undo_index() const { return win->get_undo_stack()->index(); }

    QUndoGroup group;
    QAction *undo = nullptr;
    QAction *redo = nullptr;
    QPointer<ui_waveform_t> win;
    std::vector<int> requests;
};

// Names of the sample files left in the working directory.
inline std::vector<std::string> sample_files_left()
{
    std::vector<std::string> names;
    DIR *d = ::opendir(".");
    if (!d)
        return names;
    while (struct dirent *e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.rfind(".wave_data_buffer", 0) == 0)
            names.push_back(name);
    }
    ::closedir(d);
    return names;
}

inline std::vector<short int> ramp(uint32 n, int start = 0)
{
    std::vector<short int> v(n);
    for (uint32 i = 0; i < n; ++i)
        v[i] = static_cast<short int>(start + int(i));
    return v;
}

inline void flush_deletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
