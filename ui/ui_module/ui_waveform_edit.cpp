// Selection, copy, cut, paste and undo of the document window.
#include "ui_waveform.h"

#include "cfg_if_wv.h"
#include "cfg_instr_limit.h"
#include "cfg_wv_data_ops.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_wv_extract.h"
#include "plat_mem.h"
#include "ui_draw_point.h"
#include "ui_paste_option.h"
#include "ui_plot_cursor.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_qwt_picker.h"
#include "ui_wave_command.h"
#include "ui_waveform_cursor_sel.h"
#include "ui_waveform_sbar.h"
#include "ui_wv_undo_stack.h"
#include "ui_xp_scale_draw.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

constexpr uint32 k_display_points = 3000;
constexpr uint64 k_max_undo_points = 134217728ull;  // 2^27
constexpr uint64 k_min_free_after = 104857600ull;   // 100 x 2^20

const char *const k_out_of_range = "ui_waveform_t::get_select_waveform_by_xcursor: marker out of range!!!!";

// A position as a sample index: truncated toward zero, negatives and NaN as 0.
uint32 index_of(double x)
{
    if (!(x > 0.0))
        return 0;
    return x >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(x);
}

// Appends samples lo .. hi of `from` to the end of `to`'s file.
void append_samples(const lib_wv_data_t<short int> &from, uint32 lo, uint32 hi, lib_wv_data_t<short int> &to)
{
    lib_fd_t in = lib_open_read(from.samples.get_path());
    lib_fd_t out = lib_open_rw(to.samples.get_path());
    if (!out.ok())
        out = lib_open_trunc(to.samples.get_path());
    if (!in.ok() || !out.ok()) {
        lib_diag_err("Error: file failed to load");
        return;
    }
    const std::int64_t len = lib_file_length(to.samples.get_path());
    const std::uint64_t at = len > 0 ? std::uint64_t(len) / 2 * 2 : 0;
    lib_copy_bytes(in.get(), std::uint64_t(lo) * 2, out.get(), at, (std::uint64_t(hi) - lo + 1) * 2);
}

// The display points of the document as it is being rewritten as `pieces`, extracted
// in the same pass that writes the new file (plot_load_waveform_vector would read the
// file again afterwards for the same points).
class rewrite_shown_t
{
public:
    // False when the new file could not be written whole (the samples then unchanged).
    bool rewrite(lib_wv_data_t<short int> &doc, const std::vector<lib_wv_piece_t> &pieces)
    {
        m_shown = false;
        if (pieces.empty())
            return true;
        uint64 n = 0;
        for (const lib_wv_piece_t &p : pieces)
            n += p.count;
        // The waveform is shown whole, and extracted only when long (see load_vector).
        if (n <= uint64(k_display_points) * 10)
            return doc.rewrite(pieces);
        int32 rc = -1;
        const bool written = doc.rewrite_with([&](int fd) {
            rc = lib_math_copy_and_extract(pieces, fd, m_points, k_display_points);
            return rc == 1;
        });
        // Out of memory for the display points: the plain copy, the points read after.
        if (rc == -2)
            return doc.rewrite(pieces);
        m_shown = written;
        return written;
    }

    // Shows the document: the points extracted while writing, else read anew.
    void show(ui_preview_plot_t *plot, lib_wv_data_t<short int> *doc)
    {
        if (m_shown)
            plot_show_waveform_vector(plot, doc->samples.size(), m_points);
        else
            plot_load_waveform_vector(plot, doc, k_display_points);
    }

private:
    std::vector<short int> m_points;
    bool m_shown = false;
};

} // namespace

int32 ui_waveform_t::backup_wave_data()
{
    return backup.assign(*wave_object->get_wv_data()) ? 0 : 3;
}

bool ui_waveform_t::guarded_share_backup()
{
    // A second name of the document's file instead of a copy: the edits that use it write
    // the document anew, and nothing writes a file with several names in place.
    if (!backup.share(*wave_object->get_wv_data())) {
        emit system_info_signal(3);
        return false;
    }
    return true;
}

lib_wv_data_t<short int> *ui_waveform_t::get_backup_data()
{
    // Should this fail (a full disk), writes to it still never reach the document: they
    // try the same first and fail.
    lib_unshare_file(backup.samples.get_path());
    return &backup;
}

bool ui_waveform_t::guarded_backup()
{
    if (backup_wave_data() == 3) {
        emit system_info_signal(3);
        return false;
    }
    return true;
}

bool ui_waveform_t::edit_guards()
{
    if (!drawing->check_cover_points(true))
        return false;
    return guarded_share_backup();
}

void ui_waveform_t::commit_edit()
{
    disconnect(undo_stack, SIGNAL(clicked_undo_redo_signal(int, bool)), this,
               SLOT(undo_clicked_slot_func(int, bool)));
    emit update_plot_wv_signal();
    connect(undo_stack, SIGNAL(clicked_undo_redo_signal(int, bool)), this, SLOT(undo_clicked_slot_func(int, bool)));
}

void ui_waveform_t::select_between_xcursors()
{
    if (!cursor->is_x_cursor_visible())
        return;
    set_select_kind(0);
    cursor->set_selzone_range(cursor->get_x1_pos(), cursor->get_x2_pos());
    cursor->show_selzone(cursor->get_x1_pos(), cursor->get_x2_pos());
}

void ui_waveform_t::select_all()
{
    set_select_kind(1);
    const double last = static_cast<double>(get_wv_len()) - 1.0;
    cursor->set_selzone_range(0.0, last);
    cursor->show_selzone(0.0, last);
    update_sbar_cursor_value();
}

void ui_waveform_t::do_copy_selected_wv()
{
    if (get_select_kind() == 0)
        update_select_waveform_by_selzone();
    else if (get_select_kind() == 1)
        update_select_waveform_by_all();
    else
        qDebug() << "ui_waveform_t::do_copy_selected_wv:  marker or selzone is not visable!!!!!!!!";
}

void ui_waveform_t::update_select_waveform_by_selzone()
{
    lib_wv_data_t<short int> *copy = get_data();
    lib_open_trunc(copy->samples.get_path());
    if (!cursor->is_selzone_visible()) {
        qDebug() << "ui_waveform_t::update_select_waveform_by_selzone:  marker or selzone is not visable!!!!!!!!";
        return;
    }
    const std::pair<double, double> z = cursor->get_selzone_range();
    uint32 lo = index_of(z.first), hi = index_of(z.second);
    if (lo > hi)
        std::swap(lo, hi);
    const uint32 n = get_wv_len();
    if (hi >= n) {
        qDebug() << k_out_of_range;
        return;
    }
    select_range.start = lo;
    select_range.end = hi;
    lib_fd_t created = lib_open_trunc(copy->samples.get_path());
    created.reset();
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    append_samples(*doc, lo, hi, *copy);
    copy->amp = doc->amp;
    copy->offset = doc->offset;
}

void ui_waveform_t::update_select_waveform_by_all()
{
    if (!cursor->is_selzone_visible()) {
        qDebug() << "ui_waveform_t::update_select_waveform_by_all:  X marker or selzone is not visable!!!!!!!!";
        return;
    }
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    get_data()->assign(*doc);
    get_data()->freq = doc->freq;
    select_range.start = 0.0;
    select_range.end = static_cast<double>(get_wv_len()) - 1.0;
}

void ui_waveform_t::update_select_waveform_by_xcursor()
{
    lib_wv_data_t<short int> *copy = get_data();
    copy->clear();
    if (!cursor->is_x_cursor_visible()) {
        qDebug() << "ui_waveform_t::update_select_waveform_by_xcursor:  marker or selzone is not visable!!!!!!!!";
        return;
    }
    uint32 lo = index_of(cursor->get_x1_pos()), hi = index_of(cursor->get_x2_pos());
    if (lo > hi)
        std::swap(lo, hi);
    const uint32 n = get_wv_len();
    if (n == 0)
        return;
    if (hi > n - 1) {
        qDebug() << k_out_of_range;
        hi = n - 1;
    }
    if (lo <= hi)
        append_samples(*wave_object->get_wv_data(), lo, hi, *copy);
}

void ui_waveform_t::cut_waveform()
{
    if (!edit_guards())
        return;
    do_cut_selected_wv();
    commit_edit();
}

void ui_waveform_t::do_cut_selected_wv()
{
    const int32 kind = get_select_kind();
    // Nothing selected: there is nothing to cut (the menu offers Cut only with a zone).
    if (kind != 0 && kind != 1)
        return;
    lib_wv_data_t<short int> *copy = get_data();
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    copy->clear();
    const uint32 n = get_wv_len();
    uint32 lo = 0, hi = n ? n - 1 : 0;
    if (kind == 0) {
        const std::pair<double, double> z = cursor->get_selzone_range();
        lo = index_of(z.first);
        hi = index_of(z.second);
        if (lo > hi)
            std::swap(lo, hi);
    }
    if (n > 0 && hi > n - 1) {
        qDebug() << k_out_of_range;
        hi = n - 1;
    }
    rewrite_shown_t shown;
    if (n > 0 && lo <= hi) {
        copy->resize(0, 0);
        append_samples(*doc, lo, hi, *copy);
        // The samples are rewritten into a new file: a full disk leaves them all.
        if (!shown.rewrite(*doc, doc->erase_pieces(lo, hi + 1)))
            emit system_info_signal(3);
    }
    const uint32 m = get_wv_len();
    const uint32 last = m - 1; // wraps for m = 0 so that nothing is clamped
    plot->set_wave_points(m);
    cursor->set_selzone_range(lo, hi);
    select_range.start = lo;
    select_range.end = hi;
    fit_selection_to_length();
    if (cursor->get_x1_pos() > static_cast<fp32>(last))
        cursor->set_x1_pos(static_cast<fp32>(last));
    if (cursor->get_x2_pos() > static_cast<fp32>(last))
        cursor->set_x2_pos(static_cast<fp32>(last));
    shown.show(plot, doc);
    cursor->update_marker_pos();
    update_sbar_cursor_value();
}

void ui_waveform_t::show_paste_option_form()
{
    if (!drawing->check_cover_points(true) || !has_data())
        return;
    ui_paste_option_t *form = new ui_paste_option_t(this, cursor->is_x_cursor_visible());
    connect(form, SIGNAL(paste_option_form_btn_signal(ui_paste_option_t *, int32)), this,
            SLOT(paste_option_form_btn_slot_func(ui_paste_option_t *, int32)));
    form->show();
}

void ui_waveform_t::paste_option_form_btn_slot_func(ui_paste_option_t *type, int32 btn)
{
    if (btn == 2) {
        type->close();
        return;
    }
    if (btn != 3)
        return;
    if (!guarded_share_backup())
        return;
    set_paste_mode(type->get_paste_type());
    const int32 result = paste_copy_buffer();
    type->close();
    if (result >= 0) {
        commit_edit();
        return;
    }
    backup.clear();
    if (result == -3)
        emit system_info_signal(3);
    if (result == -1) {
        ui_prompt_t prompt(this);
        prompt.show_info_box(tr("Application exceeds the supported data points."), false);
    }
}

int32 ui_waveform_t::paste_copy_buffer()
{
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    lib_wv_data_t<short int> *copy = get_data();
    const uint64 k = copy->samples.size();
    const uint64 n = get_wv_len();
    const instr_zqw_t model = wave_object->get_instr_type();
    const int32 *min_len = instr_get_min_wv_len(model, lib_ch_t(0));
    const uint32 *max_len = instr_get_max_wv_len(model, lib_ch_t(0));
    if (k == 0 || (min_len && static_cast<int64>(n + k) < *min_len) || (max_len && n + k > *max_len))
        return -1;
    bool written = true;
    rewrite_shown_t shown;
    switch (get_paste_mode()) {
    case 0:
        written = shown.rewrite(*doc, doc->replace_pieces(0, 0, *copy));
        break;
    case 1:
        written = shown.rewrite(*doc, doc->replace_pieces(static_cast<uint32>(n), static_cast<uint32>(n), *copy));
        break;
    case 2: {
        uint32 lo = index_of(cursor->get_x1_pos()), hi = index_of(cursor->get_x2_pos());
        if (lo > hi)
            std::swap(lo, hi);
        // Cursors left beyond the end (an undo to a shorter waveform): replace up to the
        // last sample, and nothing when the range starts past it.
        if (lo >= n)
            return -2;
        hi = static_cast<uint32>(std::min<uint64>(hi, n - 1));
        written = shown.rewrite(*doc, doc->replace_pieces(lo, hi + 1, *copy));
        break;
    }
    case 3: {
        const uint32 x = index_of(plot->get_picker()->get_pos().x());
        written = shown.rewrite(*doc, doc->replace_pieces(x, x, *copy));
        break;
    }
    default:
        break;
    }
    // The samples are rewritten into a new file: a full disk leaves them as they were.
    if (!written)
        return -3;
    plot->set_wave_points(get_wv_len());
    fit_selection_to_length();
    shown.show(plot, doc);
    cursor->update_marker_pos();
    update_sbar_cursor_value();
    return 0;
}

void ui_waveform_t::update_plot_wv_slot_func()
{
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    if (!lib_math_is_data_equal(*doc, backup)) {
        // The edit stays whether or not it is recorded: closing must still ask to save it.
        set_saved(false);
        const uint64 n = *wave_object->get_wv_len();
        const uint64 avail = plat_avail_phys_mem();
        const uint64 s = uint64(backup.samples.size()) + doc->samples.size();
        const bool allowed = n <= k_max_undo_points && avail >= s && avail - s >= k_min_free_after;
        lib_diag_line(std::string("stack_push_flag = ") + (allowed ? "1" : "0"));
        if (allowed) {
            try {
                std::unique_ptr<ui_wave_command_t> command(new ui_wave_command_t(*doc, backup));
                if (command->get_status() != 0) {
                    if (command->get_status() == 3)
                        emit system_info_signal(3);
                } else {
                    undo_stack->push(command.release());
                }
            } catch (const std::exception &) {
                emit system_info_signal(3);
            }
        }
    }
    backup.clear();
}

void ui_waveform_t::restore_after_undo(const lib_wv_data_t<short int> &snapshot)
{
    lib_wv_data_t<short int> *doc = wave_object->get_wv_data();
    if (!doc->share(snapshot)) {
        emit system_info_signal(3);
        return;
    }
    // A math result changes the scale too: the object's amplitude, offset and levels,
    // which saving and sending use, follow the restored samples.
    if (*wave_object->get_amp() != doc->amp || *wave_object->get_offset() != doc->offset) {
        wave_object->set_amp(doc->amp);
        wave_object->set_offset(doc->offset);
        wave_object->set_amp_offset(doc->amp, doc->offset);
    }
    plot->set_wave_points(doc->samples.size());
    // The amplitude axis is in volts: the full scale of the restored amplitude and offset,
    // as opening and generating show it; a flat record still gets a labelled span.
    fp32 y_max = doc->offset + doc->amp * 0.5f, y_min = doc->offset - doc->amp * 0.5f;
    if (!(y_max - y_min >= 1e-6f)) {
        const fp32 m = std::fabs(y_min) * 0.1f + 1.0f;
        y_min -= m;
        y_max += m;
    }
    fit_selection_to_length();
    plot_load_waveform_yrange(plot, &y_max, &y_min, doc, k_display_points);
    cursor->update_marker_pos();
    update_sbar_cursor_value();
}

void ui_waveform_t::undo_clicked_slot_func(int index, bool is_undo_clicked)
{
    const ui_wave_command_t *command = dynamic_cast<const ui_wave_command_t *>(undo_stack->command(index));
    if (!command)
        return;
    if (is_undo_clicked && !undo_stack->canUndo())
        restore_after_undo(command->get_before());
    else
        restore_after_undo(command->get_after());
}

void ui_waveform_t::fit_selection_to_length()
{
    const uint32 n = get_wv_len();
    if (n == 0) {
        clear_selection();
        return;
    }
    const double last = static_cast<double>(n) - 1.0;
    const std::pair<double, double> z = cursor->get_selzone_range();
    cursor->set_selzone_range(std::min(z.first, last), std::min(z.second, last));
    select_range.start = std::min(select_range.start, last);
    select_range.end = std::min(select_range.end, last);
}

void ui_waveform_t::clear_selection()
{
    cursor->hide_selzone();
    cursor->set_selzone_range(0.0, 0.0);
    set_select_kind(2);
    select_range.start = 0.0;
    select_range.end = 0.0;
    status_bar->cursor_sel_widget->clear_sel_value();
}

std::pair<double, double> ui_waveform_t::get_wave_min_max()
{
    const std::pair<double, double> mm = lib_math_get_min_max(*wave_object->get_wv_data());
    return {mm.first, mm.second};
}
