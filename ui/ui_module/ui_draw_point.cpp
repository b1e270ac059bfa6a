#include "ui_draw_point.h"

#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_parallel.h"
#include "lib_sample_conv.h"
#include "ui_linear_map.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_xp_scale_draw.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPen>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_symbol.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint32 k_draw_points = 3000;
// Samples written per block: contiguous runs go out as a few large writes.
constexpr uint32 k_write_block = 1u << 20;

// Sample index of a position: truncated toward zero, negatives as 0.
uint32 index_of(double x)
{
    if (!(x > 0.0))
        return 0;
    return x >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(x);
}

// The value a line writer stores for a drawn height.
short int stored_value(float v)
{
    return lib_to_int16_sat(static_cast<double>(v));
}

// Writes straight into a sample file, never past its current end: drawing must not
// grow the waveform.
class sample_writer_t
{
public:
    explicit sample_writer_t(lib_wv_data_t<short int> &data)
        : count(data.samples.size()), fd(lib_open_rw(data.samples.get_path()))
    {
    }

    void put(uint32 index, short int value)
    {
        if (fd.ok() && index < count)
            lib_pwrite_all(fd.get(), &value, sizeof(value), std::uint64_t(index) * sizeof(value));
    }

    // Indices a .. b (inclusive) with value(i), in block writes.
    template <typename value_fn_t>
    void put_range(uint32 a, uint32 b, const value_fn_t &value)
    {
        if (!fd.ok() || a > b || a >= count)
            return;
        b = std::min(b, count - 1);
        std::vector<short int> block(std::min<uint64>(uint64(b) - a + 1, k_write_block));
        for (uint64 first = a; first <= b;) {
            const uint32 n = static_cast<uint32>(std::min<uint64>(uint64(b) - first + 1, k_write_block));
            for (uint32 k = 0; k < n; ++k)
                block[k] = value(static_cast<uint32>(first + k));
            lib_pwrite_all(fd.get(), block.data(), std::size_t(n) * sizeof(short int), first * sizeof(short int));
            first += n;
        }
    }

    // Indices a .. b (inclusive) all with one value: the block is filled once.
    void put_fill(uint32 a, uint32 b, short int value)
    {
        if (!fd.ok() || a > b || a >= count)
            return;
        b = std::min(b, count - 1);
        const std::vector<short int> block(std::min<uint64>(uint64(b) - a + 1, k_write_block), value);
        for (uint64 first = a; first <= b;) {
            const uint32 n = static_cast<uint32>(std::min<uint64>(uint64(b) - first + 1, k_write_block));
            lib_pwrite_all(fd.get(), block.data(), std::size_t(n) * sizeof(short int), first * sizeof(short int));
            first += n;
        }
    }

    void put_block(uint32 first, const std::vector<short int> &values)
    {
        if (!fd.ok() || first >= count || values.empty())
            return;
        const uint32 n = static_cast<uint32>(std::min<uint64>(values.size(), uint64(count) - first));
        lib_pwrite_all(fd.get(), values.data(), std::size_t(n) * sizeof(short int),
                       std::uint64_t(first) * sizeof(short int));
    }

private:
    uint32 count;
    lib_fd_t fd;
};

// The samples a .. b of the line through p with slope s (Algorithms of the hand segment).
void write_sloped(sample_writer_t &w, double px, double py, double x, double y)
{
    const float s = static_cast<float>((y - py) / (x - px));
    const uint32 a = index_of(std::min(x, px));
    const uint32 b = index_of(std::max(x, px));
    const long double lpx = px, lpy = py, ls = s;
    w.put_range(a, b, [&](uint32 i) {
        return stored_value(static_cast<float>(lpy + (static_cast<long double>(i) - lpx) * ls));
    });
}

} // namespace

void draw_line_to_point(lib_wv_data_t<short int> &data, double *last, double x, double y)
{
    sample_writer_t w(data);
    if (x == last[0])
        w.put(index_of(last[0]), stored_value(static_cast<float>(y)));
    else
        write_sloped(w, last[0], last[1], x, y);
    last[0] = x;
    last[1] = y;
}

void draw_fill_run(lib_wv_data_t<short int> &data, uint32 first, uint32 last, short int value)
{
    sample_writer_t w(data);
    w.put_fill(first, last, value);
}

ui_draw_point_t::ui_draw_point_t(QwtPlot *plot_, QWidget *parent)
    : ui_point_table_form_t(parent), plot(plot_), selected_index(0), preview_curve(new QwtPlotCurve(QString())),
      start_x(0.0), start_y(0.0), end_x(0.0), end_y(0.0), draw_type(0)
{
    QPen pen(Qt::white, 1.0, Qt::DotLine);
    preview_curve->setPen(pen);
    preview_curve->setYAxis(QwtPlot::yRight);
    preview_curve->setVisible(false);
    preview_curve->attach(plot);
}

// Markers and the preview curve belong to the plot, which deletes them with itself.
ui_draw_point_t::~ui_draw_point_t() = default;

bool ui_draw_point_t::is_first_point() const
{
    return selected_index <= 0;
}

bool ui_draw_point_t::is_last_point() const
{
    return selected_index >= markers.size() - 1;
}

bool ui_draw_point_t::is_points_empty() const
{
    return markers.isEmpty();
}

double ui_draw_point_t::plot_x(double index) const
{
    const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot);
    const QwtScaleMap map = plot->canvasMap(QwtPlot::xBottom);
    ui_linear_map_t lm;
    lm.init(map.s1(), map.s2(), draw ? draw->get_start_index() : 0.0, draw ? draw->get_end_index() : 0.0);
    return lm.unmap(index);
}

QwtPlotMarker *ui_draw_point_t::new_marker() const
{
    QwtPlotMarker *m = new QwtPlotMarker(QString());
    m->setYAxis(QwtPlot::yRight);
    QPen pen(QBrush(Qt::red), 4.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    m->setSymbol(new QwtSymbol(QwtSymbol::XCross, QBrush(Qt::yellow), pen, QSize(8, 12)));
    return m;
}

void ui_draw_point_t::reload_plot(lib_wv_data_t<short int> &data)
{
    plot_reload_visible(dynamic_cast<ui_preview_plot_t *>(plot), &data, k_draw_points);
}

void ui_draw_point_t::do_point_operate_by_mouse(ui_mouse_act_t act, QMouseEvent *event,
                                                lib_wv_data_t<short int> &data, double x, double y)
{
    const uint32 n = data.samples.size();
    if (!(x < static_cast<double>(n))) {
        qDebug() << "ui_draw_point_t::do_point_operate_by_mouse:not in editable area!!!!!!";
        return;
    }
    preview_data = &data;
    switch (act) {
    case UI_MOUSE_MOVE:
    case UI_MOUSE_RELEASE:
        end_x = x;
        end_y = y;
        update_preview(act == UI_MOUSE_MOVE);
        if (draw_type != 5)
            write_by_draw_type(data);
        break;
    case UI_MOUSE_PRESS:
        if (!event || event->button() != Qt::LeftButton)
            return;
        if (draw_type == 5) {
            if (get_max_points() < static_cast<uint32>(markers.size()) + 1)
                show_max_points_message(get_max_points(), parentWidget());
            else
                add_or_move_point(x, y);
        }
        start_x = end_x = x;
        start_y = end_y = y;
        write_by_draw_type(data);
        break;
    default:
        break;
    }
}

void ui_draw_point_t::write_samples(lib_wv_data_t<short int> &data)
{
    write_by_draw_type(data);
}

void ui_draw_point_t::write_by_draw_type(lib_wv_data_t<short int> &data)
{
    switch (draw_type) {
    case 1: draw_hand_segment(data); break;
    case 2: draw_horizontal_line(data); break;
    case 3: draw_vertical_line(data); break;
    case 4: draw_oblique_line(data); break;
    case 5: draw_points(data); break;
    default: break;
    }
}

void ui_draw_point_t::draw_hand_segment(lib_wv_data_t<short int> &data)
{
    double last[2] = {start_x, start_y};
    draw_line_to_point(data, last, end_x, end_y);
    start_x = last[0];
    start_y = last[1];
    reload_plot(data);
}

void ui_draw_point_t::draw_horizontal_line(lib_wv_data_t<short int> &data)
{
    draw_fill_run(data, index_of(std::min(start_x, end_x)), index_of(std::max(start_x, end_x)),
                  stored_value(static_cast<float>(start_y)));
    reload_plot(data);
}

void ui_draw_point_t::draw_vertical_line(lib_wv_data_t<short int> &data)
{
    {
        sample_writer_t w(data);
        w.put(index_of(start_x), stored_value(static_cast<float>(end_y)));
    }
    reload_plot(data);
}

void ui_draw_point_t::draw_oblique_line(lib_wv_data_t<short int> &data)
{
    {
        sample_writer_t w(data);
        if (end_x == start_x)
            w.put(index_of(start_x), stored_value(static_cast<float>(end_y)));
        else
            write_sloped(w, start_x, start_y, end_x, end_y);
    }
    reload_plot(data);
}

float ui_draw_point_t::interpolate_linear(float y0, float h, uint32 k)
{
    return static_cast<float>(y0 + static_cast<double>(k) * h);
}

void ui_draw_point_t::interpolate_segment(const QPointF &p0, const QPointF &p1, std::vector<float> &out)
{
    const uint32 a = index_of(p0.x());
    const uint32 b = index_of(p1.x());
    const float y0 = static_cast<float>(p0.y());
    if (a == b) {
        out.push_back(y0);
    } else if (a < b) {
        const uint32 n = b - a;
        const float h = static_cast<float>((p1.y() - p0.y()) / n);
        for (uint32 k = 0; k < n; ++k)
            out.push_back(interpolate_linear(y0, h, k));
    }
}

std::vector<float> ui_draw_point_t::interpolate_points(const QList<QPointF> &sorted)
{
    std::vector<float> values;
    if (sorted.isEmpty())
        return values;
    for (int i = 0; i + 1 < sorted.size(); ++i)
        interpolate_segment(sorted[i], sorted[i + 1], values);
    values.push_back(static_cast<float>(sorted.last().y()));
    return values;
}

void ui_draw_point_t::draw_points(lib_wv_data_t<short int> &data)
{
    if (points.isEmpty())
        return;
    QList<QPointF> sorted = points;
    std::sort(sorted.begin(), sorted.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    const std::vector<float> values = interpolate_points(sorted);
    lib_diag_line("area_wv_len:" + std::to_string(values.size()));
    std::vector<short int> block(values.size());
    const long long count = static_cast<long long>(values.size());
#pragma omp parallel for num_threads(lib_team_size(values.size(), 1u << 17))
    for (long long i = 0; i < count; ++i) {
        const float v = values[std::size_t(i)];
        block[std::size_t(i)] = v > 32767.0f ? 32767 : (v < -32767.0f ? -32767 : lib_to_int16_sat(v));
    }
    {
        sample_writer_t w(data);
        w.put_block(index_of(sorted.first().x()), block);
    }
    reload_plot(data);
}

void ui_draw_point_t::update_preview(bool show)
{
    if (show) {
        QVector<QPointF> line;
        line << QPointF(plot_x(start_x), start_y) << QPointF(plot_x(end_x), end_y);
        if (preview_data) {
            const uint32 i = index_of(end_x);
            line << QPointF(plot_x(i), preview_data->samples[i]);
        }
        preview_curve->setSamples(line);
        preview_curve->setVisible(true);
    } else {
        preview_curve->setVisible(false);
    }
    plot->replot();
}

void ui_draw_point_t::set_preview_visible(bool visible)
{
    preview_curve->setVisible(visible);
    plot->replot();
}

void ui_draw_point_t::add_or_move_point(double x, double y)
{
    const uint32 key = index_of(x);
    int found = -1;
    for (int i = 0; i < points.size(); ++i) {
        if (index_of(points[i].x()) == key) {
            found = i;
            break;
        }
    }
    if (found >= 0) {
        points[found].setY(y);
        markers[found]->setValue(plot_x(x), y);
        select_point(found);
    } else {
        points.append(QPointF(x, y));
        QwtPlotMarker *m = new_marker();
        m->setValue(plot_x(x), y);
        markers.append(m);
        m->attach(plot);
        select_point(markers.size() - 1);
    }
    refresh_markers(true);
}

void ui_draw_point_t::select_point(int i)
{
    if (i >= 0 && i < markers.size())
        selected_index = i;
}

void ui_draw_point_t::delete_point(int i)
{
    if (markers.isEmpty())
        return;
    if (i >= 0 && i < markers.size()) {
        delete markers.takeAt(i);
        if (i < points.size())
            points.removeAt(i);
    }
    select_point(i - 1);
    refresh_markers(true);
}

void ui_draw_point_t::do_point_menu(int op)
{
    if (draw_type != 5) {
        ui_prompt_t prompt(this);
        prompt.show_info_box(tr("The function is for Editting Points.") + "\n" +
                                 tr("Please enable the points editting first."),
                             false);
        return;
    }
    switch (op) {
    case 0:
        select_point(selected_index - 1);
        refresh_markers(true);
        break;
    case 1:
        select_point(selected_index + 1);
        refresh_markers(true);
        break;
    case 2: delete_point(selected_index); break;
    case 3: clear_points(); break;
    default: break;
    }
}

bool ui_draw_point_t::check_cover_points(bool ask)
{
    if (markers.isEmpty() || draw_type != 5)
        return true;
    ui_prompt_t prompt(parentWidget());
    if (ask) {
        if (prompt.show_yes_no_box(tr("This edit operation will cover the current points. Continue?")) != 0)
            return false;
    } else {
        prompt.show_info_box(tr("This edit operation will cover the current points."), false);
    }
    clear_points();
    emit update_mouse_shape_signal(UI_MOUSE_NORMAL);
    return true;
}

void ui_draw_point_t::refresh_markers(bool show)
{
    for (int i = 0; i < markers.size(); ++i) {
        QwtPlotMarker *m = markers[i];
        m->setYAxis(QwtPlot::yRight);
        if (show) {
            m->setVisible(true);
            QPen pen(QBrush(i == selected_index ? Qt::green : Qt::red), 4.0, Qt::SolidLine, Qt::SquareCap,
                     Qt::BevelJoin);
            m->setSymbol(new QwtSymbol(QwtSymbol::XCross, QBrush(Qt::yellow), pen, QSize(8, 12)));
        } else {
            m->setVisible(false);
        }
    }
    plot->replot();
}

void ui_draw_point_t::clear_markers()
{
    qDeleteAll(markers);
    markers.clear();
    select_point(0);
    refresh_markers(true);
}

void ui_draw_point_t::clear_points()
{
    clear_markers();
    points.clear();
}

void ui_draw_point_t::rebuild_markers(QList<QPointF> list)
{
    clear_markers();
    for (const QPointF &p : list) {
        QwtPlotMarker *m = new_marker();
        m->setValue(plot_x(p.x()), p.y());
        markers.append(m);
        m->attach(plot);
        select_point(markers.size() - 1);
    }
    refresh_markers(true);
}

void ui_draw_point_t::update_markers()
{
    rebuild_markers(points);
}

void ui_draw_point_t::set_start_point(double x, double y)
{
    start_x = x;
    start_y = y;
}

void ui_draw_point_t::set_end_point(double x, double y)
{
    end_x = x;
    end_y = y;
}
