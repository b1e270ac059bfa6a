// Invert, mirror and the display-scale conversions of the document window.
#include "ui_waveform.h"

#include "cfg_if_wv.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_parallel.h"
#include "lib_sample_conv.h"
#include "lib_wv_scratch.h"
#include "ui_plot_cursor.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"

#include <QDebug>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

namespace {

constexpr uint32 k_display_points = 3000;
constexpr uint32 k_flip_block = 1048576;
constexpr uint32 k_scale_block = 10485760;
// Samples worth one more thread of a negation: waking a thread costs about as much as
// negating this many.
constexpr uint64 k_negate_grain = 1u << 18;

uint32 index_of(double x)
{
    if (!(x > 0.0))
        return 0;
    return x >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(x);
}

// Negation on 16 bits: -32768 has no positive partner and stays.
short int negate(short int v)
{
    return v == -32768 ? v : static_cast<short int>(-v);
}

} // namespace

bool ui_waveform_t::edit_range(uint32 &lo, uint32 &hi)
{
    double a, b;
    if (cursor->is_selzone_visible()) {
        const std::pair<double, double> z = cursor->get_selzone_range();
        a = z.first;
        b = z.second;
    } else if (cursor->is_x_cursor_visible()) {
        a = cursor->get_x1_pos();
        b = cursor->get_x2_pos();
    } else {
        return false;
    }
    lo = index_of(a);
    hi = index_of(b);
    if (lo > hi)
        std::swap(lo, hi);
    return true;
}

void ui_waveform_t::redraw_after_in_place_edit(bool has_range, uint32 lo, uint32 hi)
{
    plot_load_waveform_vector(plot, wave_object->get_wv_data(), k_display_points);
    if (has_range)
        cursor->update_selzone(lo, hi);
    else
        cursor->update_selzone(0.0, 0.0);
    cursor->set_x_marker_pos(cursor->get_x1_pos(), cursor->get_x2_pos());
}

// The sample file opened for an edit in place of the selection ending at hi, which is
// clamped to the last sample first.
lib_fd_t ui_waveform_t::open_in_place_edit(uint32 &hi)
{
    const uint32 n = get_wv_len();
    if (hi > n - 1) {
        qDebug() << "ui_waveform_t::get_select_waveform_by_xcursor: marker out of range!!!!";
        hi = n - 1;
    }
    lib_fd_t fd = lib_open_rw(wave_object->get_wv_data()->samples.get_path());
    if (!fd.ok())
        lib_diag_err("Error: file failed to load");
    return fd;
}

namespace {

// Rewrites a sample file that shares its file with a backup or an undo step (nothing is
// written in place then): samples lo .. hi come from fill(in, buffer, first, count),
// which reads and changes them block by block; the samples around them are copied by the
// kernel. Blocks are spread over the team, each written at its place as soon as it is
// made. The new file takes the old one's place only when every block was written: false
// otherwise, the samples unchanged.
template <typename F>
bool rewrite_range(const std::string &path, uint32 lo, uint32 hi, F fill)
{
    lib_fd_t in = lib_open_read(path);
    const std::int64_t len = lib_file_length(path);
    lib_wv_scratch_t out(path);
    if (!in.ok() || len < 0 || !out.ok())
        return false;
    const uint64 n = uint64(len) / 2;
    const uint64 head = uint64(lo) * 2, tail = (uint64(hi) + 1) * 2;
    if (lib_copy_bytes(in.get(), 0, out.fd(), 0, head) != head ||
        lib_copy_bytes(in.get(), tail, out.fd(), tail, n * 2 - tail) != n * 2 - tail)
        return false;
    const uint64 count = uint64(hi) - lo + 1;
    const uint64 blocks = (count + k_flip_block - 1) / k_flip_block;
    std::atomic<bool> ok{true};
    // Two threads: one reads and changes a block while the other writes one. Writes to
    // one file do not overlap each other, so more threads only wait for their turn.
#pragma omp parallel num_threads(std::min(2, lib_team_size(count, k_flip_block)))
    {
        std::vector<short int> buf(std::min<uint64>(count, k_flip_block));
#pragma omp for schedule(dynamic, 1)
        for (long long b = 0; b < static_cast<long long>(blocks); ++b) {
            const uint64 first = lo + uint64(b) * k_flip_block;
            const uint32 c = static_cast<uint32>(std::min<uint64>(uint64(hi) - first + 1, k_flip_block));
            const std::size_t bytes = std::size_t(c) * 2;
            if (!ok.load(std::memory_order_relaxed) || !fill(in.get(), buf.data(), first, c) ||
                lib_pwrite_all(out.fd(), buf.data(), bytes, first * 2) != bytes)
                ok = false;
        }
    }
    if (!ok || !out.commit()) {
        lib_diag_err("Error: cannot rewrite sample file " + path + "\n");
        return false;
    }
    return true;
}

void negate_block(short int *p, uint64 count)
{
#pragma omp parallel for num_threads(lib_team_size(count, k_negate_grain))
    for (long long i = 0; i < static_cast<long long>(count); ++i)
        p[i] = negate(p[i]);
}

} // namespace

void ui_waveform_t::invert_waveform()
{
    if (!edit_guards())
        return;
    _do_invert_waveform();
    commit_edit();
}

void ui_waveform_t::_do_invert_waveform()
{
    uint32 lo = 0, hi = 0;
    const bool has_range = edit_range(lo, hi);
    const std::string &path = wave_object->get_wv_data()->samples.get_path();
    if (has_range && get_wv_len() > 0 && lib_file_is_shared(path)) {
        if (hi > get_wv_len() - 1) {
            qDebug() << "ui_waveform_t::get_select_waveform_by_xcursor: marker out of range!!!!";
            hi = get_wv_len() - 1;
        }
        if (lo <= hi) {
            const bool whole = rewrite_range(path, lo, hi, [](int in, short int *buf, uint64 first, uint32 c) {
                if (lib_pread_all(in, buf, std::size_t(c) * 2, first * 2) != std::size_t(c) * 2)
                    return false;
                for (uint32 i = 0; i < c; ++i)
                    buf[i] = negate(buf[i]);
                return true;
            });
            // A full disk: the samples stay as they were, and the owner says why.
            if (!whole)
                emit system_info_signal(3);
        }
    } else if (has_range && get_wv_len() > 0) {
        lib_fd_t fd = open_in_place_edit(hi);
        std::vector<short int> buf(std::min<uint64>(uint64(hi) - lo + 1, k_flip_block));
        for (uint64 w = lo; fd.ok() && lo <= hi && w <= hi;) {
            const uint32 c = static_cast<uint32>(std::min<uint64>(uint64(hi) - w + 1, k_flip_block));
            // Only what was read goes back: a short read never writes stale buffer contents.
            const std::size_t got = lib_pread_all(fd.get(), buf.data(), std::size_t(c) * 2, w * 2) / 2;
            if (got == 0)
                break;
            negate_block(buf.data(), got);
            lib_pwrite_all(fd.get(), buf.data(), got * 2, w * 2);
            w += c;
        }
    }
    redraw_after_in_place_edit(has_range, lo, hi);
}

void ui_waveform_t::mirror_waveform()
{
    if (!edit_guards())
        return;
    _do_mirror_waveform();
    commit_edit();
}

void ui_waveform_t::_do_mirror_waveform()
{
    uint32 lo = 0, hi = 0;
    const bool has_range = edit_range(lo, hi);
    const std::string &path = wave_object->get_wv_data()->samples.get_path();
    if (has_range && get_wv_len() > 0 && lib_file_is_shared(path)) {
        if (hi > get_wv_len() - 1) {
            qDebug() << "ui_waveform_t::get_select_waveform_by_xcursor: marker out of range!!!!";
            hi = get_wv_len() - 1;
        }
        if (lo <= hi) {
            // Each block of the new range is the reversed block that ends where it starts.
            const bool whole = rewrite_range(path, lo, hi, [&](int in, short int *buf, uint64 first, uint32 c) {
                const uint64 from = uint64(lo) + hi - first - c + 1;
                if (lib_pread_all(in, buf, std::size_t(c) * 2, from * 2) != std::size_t(c) * 2)
                    return false;
                std::reverse(buf, buf + c);
                return true;
            });
            if (!whole)
                emit system_info_signal(3);
        }
    } else if (has_range && get_wv_len() > 0) {
        lib_fd_t fd = open_in_place_edit(hi);
        const uint64 half = lo <= hi ? (uint64(hi) - lo + 1) / 2 : 0;
        std::vector<short int> front(std::min<uint64>(half, k_flip_block));
        std::vector<short int> back(front.size());
        for (uint64 w = lo; fd.ok() && w < lo + half;) {
            const uint32 c = static_cast<uint32>(std::min<uint64>(k_flip_block, lo + half - w));
            const uint64 d = uint64(lo) + hi - w - c + 1;
            const std::size_t a = lib_pread_all(fd.get(), front.data(), std::size_t(c) * 2, w * 2);
            const std::size_t b = lib_pread_all(fd.get(), back.data(), std::size_t(c) * 2, d * 2);
            if (a != b || a != std::size_t(c) * 2) {
                ui_prompt_t prompt(this);
                prompt.show_info_box(tr("Unknown error occurred!"), false);
                break;
            }
            for (uint32 i = 0; i < c; ++i)
                std::swap(front[i], back[c - 1 - i]);
            lib_pwrite_all(fd.get(), front.data(), std::size_t(c) * 2, w * 2);
            lib_pwrite_all(fd.get(), back.data(), std::size_t(c) * 2, d * 2);
            w += c;
        }
    }
    redraw_after_in_place_edit(has_range, lo, hi);
}

void ui_waveform_t::apply_y_axis_setting(ui_view_setting_t setting)
{
    if (setting.auto_scale) {
        normalize_wave_data();
        update_display_levels();
        const float high = get_high_level(), low = get_low_level();
        // Flat data has no level span to stretch over: amplitude 0 would follow.
        if (high != low)
            convert_wave_levels(static_cast<double>(high) - low, (static_cast<double>(high) + low) * 0.5);
        plot->set_yleft_scale_clamped(low, high);
        short int max = 0, min = 0;
        wave_object->get_wv_max_min(max, min);
        plot->set_yright_scale(min, max);
        plot->update_plot();
        return;
    }
    const float amp = *wave_object->get_amp(), off = *wave_object->get_offset();
    const fp32 y_min = static_cast<fp32>(setting.y_min), y_max = static_cast<fp32>(setting.y_max);
    plot->set_yleft_scale_clamped(y_min, y_max);
    plot->set_yright_scale(volt_to_sample_f(y_min, amp, off), volt_to_sample_f(y_max, amp, off));
    plot->update_plot();
    fit_yright_scale();
}

void ui_waveform_t::update_display_levels()
{
    short int max = 0, min = 0;
    wave_object->get_wv_max_min(max, min);
    const float amp = *wave_object->get_amp(), off = *wave_object->get_offset();
    set_high_level(sample_to_volt(max, amp, off));
    set_low_level(sample_to_volt(min, amp, off));
}

void ui_waveform_t::normalize_wave_data()
{
    if (get_wv_len() == 0)
        return;
    short int max = 0, min = 0;
    wave_object->get_wv_max_min(max, min);
    // Flat data (all samples equal, e.g. all 0) has no factor that stretches it.
    if (min == -32767 || max == 32767 || max == min)
        return;
    const double factor = (32767 - max <= min + 32767) ? std::fabs(32767.0 / max) : std::fabs(32767.0 / min);
    if (!guarded_backup())
        return;
    scale_wave_data(factor);
    emit update_plot_wv_signal();
}

void ui_waveform_t::scale_wave_data(double factor)
{
    lib_wv_file_buffer_t<short int> &samples = wave_object->get_wv_data()->samples;
    const uint32 n = samples.size();
    std::vector<short int> buf(std::min(n, k_scale_block));
    for (uint32 pos = 0; pos < n;) {
        const uint32 got = samples.read(pos, buf.data(), std::min(k_scale_block, n - pos));
        if (got == 0)
            break;
        for (uint32 i = 0; i < got; ++i)
            buf[i] = lib_to_int16_sat(buf[i] * factor);
        samples.write(pos, buf.data(), got);
        pos += got;
    }
    if (factor != 0.0)
        wave_object->set_amp(static_cast<float>(*wave_object->get_amp() / factor));
}

void ui_waveform_t::convert_wave_levels(double amplitude, double offset)
{
    const float old_amp = *wave_object->get_amp(), old_off = *wave_object->get_offset();
    const float new_amp = static_cast<float>(amplitude), new_off = static_cast<float>(offset);
    if (!guarded_backup())
        return;
    lib_wv_file_buffer_t<short int> &samples = wave_object->get_wv_data()->samples;
    const uint32 n = samples.size();
    std::vector<short int> buf(std::min(n, k_scale_block));
    for (uint32 pos = 0; pos < n;) {
        const uint32 got = samples.read(pos, buf.data(), std::min(k_scale_block, n - pos));
        if (got == 0)
            break;
        for (uint32 i = 0; i < got; ++i)
            buf[i] = volt_to_sample(sample_to_volt(buf[i], old_amp, old_off), new_amp, new_off);
        samples.write(pos, buf.data(), got);
        pos += got;
    }
    wave_object->set_amp(new_amp);
    wave_object->set_offset(new_off);
    emit update_plot_wv_signal();
}

void ui_waveform_t::fit_yright_scale()
{
    const ui_range_t r = plot->get_yright_interval();
    const ui_range_t l = plot->get_yleft_interval();
    if (r.second <= 32767.0 && r.first >= -32767.0)
        return;
    const double top = std::max(r.second - 32767.0, 0.0);
    const double bottom = std::max(-32767.0 - r.first, 0.0);
    const double factor = top > bottom ? 32767.0 / r.second : -32767.0 / r.first;
    if (!guarded_backup())
        return;
    scale_wave_data(factor);
    plot->set_yright_scale(static_cast<fp32>(r.first * factor), static_cast<fp32>(r.second * factor));
    emit update_plot_wv_signal();
    plot->set_yleft_scale(static_cast<fp32>(l.first), static_cast<fp32>(l.second));
    plot->update_plot();
}
