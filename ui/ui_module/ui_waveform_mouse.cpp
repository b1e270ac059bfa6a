// Mouse tools of the document window: dispatch, tool switching, canvas cursors and the
// table of drawing points.
#include "ui_waveform.h"

#include "cfg_if_wv.h"
#include "lib_diag.h"
#include "ui_draw_point.h"
#include "ui_plot_cursor.h"
#include "ui_preview_plot.h"
#include "ui_qwt_picker.h"
#include "ui_qwt_plotzoomer.h"
#include "ui_xp_scale_draw.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPixmap>
#include <qwt_plot_canvas.h>

#include <cmath>

// The drawing cursors live in this static library's resources.
static void init_document_resources()
{
    Q_INIT_RESOURCE(ui_document);
}

namespace {

const char *draw_cursor_picture(int draw_type)
{
    switch (draw_type) {
    case 1: return ":/Image/resources/cursor.ico";
    case 2: return ":/Image/resources/cursor_hline.ico";
    case 3: return ":/Image/resources/cursor_vline.ico";
    case 4: return ":/Image/resources/cursor_obline.ico";
    case 5: return ":/Image/resources/cursor_point.ico";
    default: return nullptr;
    }
}

// Sample index under the pointer: x + 0.5 truncated toward zero.
double rounded_index(double x)
{
    const double r = x + 0.5;
    if (!(r > 0.0))
        return std::isnan(r) ? 0.0 : std::ceil(r);
    return std::trunc(r);
}

} // namespace

void ui_waveform_t::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        do_mouse_event(UI_MOUSE_PRESS, event);
}

void ui_waveform_t::mouseMoveEvent(QMouseEvent *event)
{
    do_mouse_event(UI_MOUSE_MOVE, event);
}

void ui_waveform_t::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    do_mouse_event(UI_MOUSE_RELEASE, event);
    // A stroke released outside the plot still ends as one undo step.
    end_stroke();
    drawing->set_preview_visible(false);
}

void ui_waveform_t::do_mouse_event(ui_mouse_act_t act, QMouseEvent *event)
{
    const QPointF pos = plot->get_picker()->get_pos();
    const double i = rounded_index(pos.x());
    const double y = pos.y();
    const ui_xp_scale_draw_t *draw = plot->get_xp_scale_draw();
    const ui_range_t yr = plot->get_yright_interval();
    const fp32 fi = static_cast<fp32>(i), fy = static_cast<fp32>(y);
    const bool inside = fi >= static_cast<fp32>(draw->get_start_index()) &&
                        fi <= static_cast<fp32>(draw->get_end_index()) && fy >= static_cast<fp32>(yr.first) &&
                        fy <= static_cast<fp32>(yr.second);
    if (!inside) {
        cursor->set_selzone_start_flag(true);
        return;
    }
    cursor->set_selzone_start_flag(false);
    lib_wv_data_t<short int> *data = wave_object->get_wv_data();
    // 3 is never set but dispatched like the cursor function.
    switch (static_cast<int>(get_mouse_func())) {
    case UI_MOUSE_ZOOM:
        zoomer->set_total_points(get_wv_len());
        zoomer->set_wave_data(data);
        zoomer->do_zoom_mouse_event(act, event, i, y);
        break;
    case UI_MOUSE_DRAW_POINT:
        draw_stroke(act, event, *data, i, y);
        break;
    case UI_MOUSE_NORMAL:
    case UI_MOUSE_CURSOR:
    case 3:
        cursor->do_cursor_mouse_event(act, event, i, y);
        if (cursor->is_selzone_changed())
            set_select_kind(0);
        break;
    default:
        break;
    }
    emit update_control_state_signal();
    update_sbar_cursor_value();
}

void ui_waveform_t::draw_stroke(ui_mouse_act_t act, QMouseEvent *event, lib_wv_data_t<short int> &data, double x,
                                double y)
{
    if (act == UI_MOUSE_PRESS)
        end_stroke();
    if (stroke == stroke_refused)
        return;
    if (stroke == stroke_open) {
        drawing->do_point_operate_by_mouse(act, event, data, x, y);
        if (act == UI_MOUSE_RELEASE)
            end_stroke();
        return;
    }
    // A stroke starts at its first point inside the plot: the press, or a drag that comes
    // in from outside with the left button held (point editing writes only on presses).
    const bool dragged_in = act == UI_MOUSE_MOVE && event && (event->buttons() & Qt::LeftButton) &&
                            drawing->get_draw_type() != 5;
    if (act != UI_MOUSE_PRESS && !dragged_in)
        return;
    if (backup_wave_data() == 3) {
        lib_diag_line("LIB_MEMORY_NOT_ENOUGH ");
        emit system_info_signal(3);
        stroke = stroke_refused;
        return;
    }
    stroke = stroke_open;
    if (act == UI_MOUSE_PRESS) {
        drawing->do_point_operate_by_mouse(UI_MOUSE_PRESS, event, data, x, y);
        return;
    }
    QMouseEvent press(QEvent::MouseButtonPress, event->localPos(), event->windowPos(), event->screenPos(),
                      Qt::LeftButton, event->buttons(), event->modifiers());
    drawing->do_point_operate_by_mouse(UI_MOUSE_PRESS, &press, data, x, y);
}

void ui_waveform_t::end_stroke()
{
    const bool open = stroke == stroke_open;
    stroke = stroke_none;
    if (open)
        commit_edit();
}

void ui_waveform_t::update_canvas_cursor()
{
    switch (get_mouse_func()) {
    case UI_MOUSE_DRAW_POINT: {
        init_document_resources();
        const char *picture = draw_cursor_picture(drawing->get_draw_type());
        if (picture) {
            const QPixmap pixmap(picture);
            // An unreadable picture still shows that a drawing tool is on.
            set_canvas_cursor(pixmap.isNull() ? QCursor(Qt::CrossCursor)
                                              : QCursor(pixmap.scaled(32, 32), 0, 32));
        }
        break;
    }
    case UI_MOUSE_ZOOM:
        zoomer->update_zoom_cursor();
        break;
    default:
        set_canvas_cursor(QCursor(Qt::ArrowCursor));
        break;
    }
    plot->replot();
}

void ui_waveform_t::update_mouse_shape_slot_func(ui_mouse_func_t mouse_shape)
{
    set_mouse_func(mouse_shape);
    update_canvas_cursor();
}

void ui_waveform_t::reset_mouse_func()
{
    set_mouse_func(UI_MOUSE_NORMAL);
    update_canvas_cursor();
}

void ui_waveform_t::set_draw_type(int type)
{
    if (type != drawing->get_draw_type() || get_mouse_func() != UI_MOUSE_DRAW_POINT) {
        if (type < 1 || type > 5)
            return;
        set_mouse_func(UI_MOUSE_DRAW_POINT);
        drawing->refresh_markers(type == 5);
        drawing->set_draw_type(type);
        update_canvas_cursor();
        return;
    }
    set_mouse_func(UI_MOUSE_NORMAL);
    update_canvas_cursor();
}

void ui_waveform_t::set_zoom_mode(int mode)
{
    if (mode != zoomer->get_zoom_mode() || get_mouse_func() != UI_MOUSE_ZOOM) {
        if (mode >= 0 && mode <= 2) {
            set_mouse_func(UI_MOUSE_ZOOM);
            zoomer->set_zoom_mode(mode);
            update_canvas_cursor();
        } else if (mode == 3) {
            set_mouse_func(UI_MOUSE_NORMAL);
            zoomer->set_zoom_mode(3);
            bind_zoomer_data();
            zoomer->reset_zoom();
            update_canvas_cursor();
        }
        return;
    }
    set_mouse_func(UI_MOUSE_NORMAL);
    update_canvas_cursor();
}

void ui_waveform_t::switch_cursor(int kind)
{
    if (kind == 0) {
        if (cursor->is_x_cursor_visible()) {
            cursor->set_x_cursor_visible(false);
        } else {
            cursor->set_x_cursor_visible(true);
            cursor->reset_cursor_pos(0);
        }
    } else if (kind == 1) {
        if (cursor->is_y_cursor_visible()) {
            cursor->set_y_cursor_visible(false);
        } else {
            cursor->set_y_cursor_visible(true);
            cursor->reset_cursor_pos(1);
        }
    }
    set_mouse_func(UI_MOUSE_CURSOR);
    update_canvas_cursor();
    plot->replot();
}

void ui_waveform_t::do_point_menu_action(int op)
{
    if (op < 0 || op > 3)
        return;
    set_mouse_func(UI_MOUSE_DRAW_POINT);
    update_canvas_cursor();
    drawing->do_point_menu(op);
}

void ui_waveform_t::show_point_table_form()
{
    if (!guarded_backup())
        return;
    const QList<QPointF> raw = drawing->get_points();
    set_mouse_func(UI_MOUSE_DRAW_POINT);
    update_canvas_cursor();
    drawing->set_wave_length(get_wv_len());
    connect(drawing, SIGNAL(point_table_form_btn_signal(ui_point_table_form_t *, int32)), this,
            SLOT(point_table_form_btn_slot_func(ui_point_table_form_t *, int32)), Qt::UniqueConnection);
    const lib_wv_data_t<short int> *data = wave_object->get_wv_data();
    drawing->load_points(raw, data->amp, data->offset);
}

void ui_waveform_t::point_table_form_btn_slot_func(ui_point_table_form_t *type, int32 btn)
{
    disconnect(drawing, SIGNAL(point_table_form_btn_signal(ui_point_table_form_t *, int32)), this,
               SLOT(point_table_form_btn_slot_func(ui_point_table_form_t *, int32)));
    if (btn == 2) {
        type->close();
    } else if (btn == 3) {
        lib_wv_data_t<short int> *data = wave_object->get_wv_data();
        const double amp = data->amp, off = data->offset;
        QList<QPointF> converted;
        for (const QPointF &p : drawing->ui_point_table_form_t::get_points()) {
            // Amplitude 0 has no volts-to-sample scale: such points sit at the middle.
            const double y = amp != 0.0 ? (p.y() - off) / amp * 65534.0 : 0.0;
            converted.append(QPointF(p.x() - 1.0, y));
        }
        drawing->get_points() = converted;
        drawing->rebuild_markers(converted);
        drawing->write_samples(*data);
        emit update_control_state_signal();
        commit_edit();
        type->close();
    }
    backup.clear();
}
