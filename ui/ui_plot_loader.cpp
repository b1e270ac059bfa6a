#include "ui_plot_loader.h"

#include "lib_file_io.h"
#include "lib_wv_extract.h"
#include "ui_preview_plot.h"
#include "ui_xp_scale_draw.h"

#include <cmath>

namespace {

bool needs_extraction(uint64 count, uint32 M)
{
    return count > uint64(M) * 10;
}

// Index of the last sample of a stretch of n samples (n >= 1 assumed; 0 for none).
uint32 last_index(uint32 n)
{
    return n ? n - 1 : 0;
}

uint32 index_of(double position)
{
    if (!(position > 0))
        return 0;
    return position >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(position);
}

} // namespace

void plot_load_waveform(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 count, uint32 M)
{
    plot_load_waveform_part(plot, 0, data, count, M);
}

void plot_load_waveform_part(ui_preview_plot_t *plot, uint32 start, lib_wv_data_t<short int> *data,
                             uint32 count, uint32 M)
{
    if (!plot || !data || count == 0)
        return;
    plot->set_index_range(start, static_cast<uint32>(std::min<uint64>(uint64(start) + count - 1, 0xFFFFFFFFu)));
    if (needs_extraction(count, M)) {
        std::vector<int16> points(M);
        lib_math_extract_data(data, count, points.data(), M, start);
        plot->plot_wv_data(points.data(), M);
    } else {
        // zero-filled: samples the file does not have are never shown as stale memory
        std::vector<int16> samples(count, 0);
        lib_fd_t fd = lib_open_read(data->samples.get_path());
        if (fd.ok())
            lib_pread_all(fd.get(), samples.data(), std::size_t(count) * sizeof(int16),
                          std::uint64_t(start) * sizeof(int16));
        plot->plot_wv_data(samples.data(), count);
    }
    plot->update_plot();
}

void plot_reload_visible(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 M)
{
    if (!plot)
        return;
    const ui_xp_scale_draw_t *draw = plot->get_xp_scale_draw();
    const uint32 start = index_of(draw->get_start_index());
    const uint32 end = index_of(draw->get_end_index());
    if (end < start)
        return;
    plot_load_waveform_part(plot, start, data, static_cast<uint32>(std::min<uint64>(uint64(end) - start + 1, 0xFFFFFFFFu)), M);
}

namespace {

// The whole waveform through a vector: extracted when long, else read whole.
void load_vector(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 M,
                 std::vector<short int> &samples)
{
    const uint32 n = data->samples.size();
    plot->set_index_range(0, last_index(n));
    if (uint32(10 * M) < n)
        lib_math_extract_data_to_vector(data, samples, M);
    else
        data->read_all(samples);
}

} // namespace

void plot_load_waveform_yrange(ui_preview_plot_t *plot, fp32 *y_max, fp32 *y_min,
                               lib_wv_data_t<short int> *data, uint32 M)
{
    if (!plot || !data)
        return;
    std::vector<short int> samples;
    load_vector(plot, data, M, samples);
    plot->plot_wv_data_in_range(y_max, y_min, samples);
    std::vector<short int>().swap(samples);
    plot->update_plot();
}

void plot_load_waveform_vector(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 M)
{
    if (!plot || !data)
        return;
    std::vector<short int> samples;
    load_vector(plot, data, M, samples);
    plot->plot_wv_data(samples, true);
    std::vector<short int>().swap(samples);
    plot->update_plot();
}

void plot_show_waveform_vector(ui_preview_plot_t *plot, uint32 n, std::vector<short int> &points)
{
    if (!plot)
        return;
    plot->set_index_range(0, last_index(n));
    plot->plot_wv_data(points, true);
    plot->update_plot();
}

void plot_load_float_vector(ui_preview_plot_t *plot, std::vector<float> &values, uint32 M)
{
    if (!plot)
        return;
    const uint32 n = static_cast<uint32>(std::min<size_t>(values.size(), 0xFFFFFFFFu));
    plot->set_index_range(0, last_index(n));
    std::vector<float> local;
    if (uint32(10 * M) < n)
        lib_math_extract_vector_data(values, local, M);
    else
        local = values;
    plot->plot_wv_data(local, true);
    std::vector<float>().swap(local);
    plot->update_plot();
}

void plot_set_yrange_and_reload(ui_preview_plot_t *plot, fp32 *y_max, fp32 *y_min,
                                lib_wv_data_t<short int> *data, uint32 M)
{
    if (!plot || !y_max || !y_min)
        return;
    plot->set_yleft_scale_clamped(*y_min, *y_max);
    plot_reload_visible(plot, data, M);
}

void plot_load_waveform_range(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data,
                              double range_start, double range_end, uint32 M)
{
    if (!plot || !data)
        return;
    const uint32 n = data->samples.size();
    plot->set_index_range(0, last_index(n));
    std::vector<short int> samples;
    if (uint32(10 * M) < n)
        lib_math_extract_range_data(data, samples, range_start, range_end, M);
    else
        data->read_all(samples);
    plot->plot_wv_data(samples, true);
    std::vector<short int>().swap(samples);
    plot->update_plot();
}
