#include "ui_qwt_picker.h"

#include "ui_linear_map.h"
#include "ui_xp_scale_draw.h"

#include <qwt_plot.h>
#include <qwt_scale_map.h>

ui_qwt_picker_t::ui_qwt_picker_t(QwtPlot *plot_, RubberBand rubber_band, DisplayMode tracker_mode,
                                 QWidget *canvas)
    : QwtPicker(rubber_band, tracker_mode, canvas), plot(plot_)
{
    connect_pos_signal();
}

ui_qwt_picker_t::ui_qwt_picker_t(QWidget *canvas) : QwtPicker(canvas)
{
    connect_pos_signal();
}

ui_qwt_picker_t::ui_qwt_picker_t(RubberBand rubber_band, DisplayMode tracker_mode, QWidget *canvas)
    : QwtPicker(rubber_band, tracker_mode, canvas)
{
    connect_pos_signal();
}

bool ui_qwt_picker_t::connect_pos_signal()
{
    return connect(this, SIGNAL(pos_update_signal(fp32, fp32)), this,
                   SLOT(update_pos_slot_func(fp32, fp32)));
}

QPointF ui_qwt_picker_t::get_pos() const
{
    return QPointF(last_x, last_y);
}

void ui_qwt_picker_t::update_pos_slot_func(fp32 x, fp32 y)
{
    last_x = x;
    last_y = y;
}

QwtText ui_qwt_picker_t::trackerText(const QPoint &pos) const
{
    if (!plot)
        return QwtText();
    const QwtScaleMap xmap = plot->canvasMap(QwtPlot::xBottom);
    const fp32 x = static_cast<fp32>(xmap.invTransform(pos.x()));
    const fp32 y = static_cast<fp32>(plot->canvasMap(QwtPlot::yRight).invTransform(pos.y()));
    double index = x;
    if (const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot)) {
        ui_linear_map_t map;
        map.init(xmap.s1(), xmap.s2(), draw->get_start_index(), draw->get_end_index());
        index = map.map(x);
    }
    // trackerText is const in Qwt; the report is the picker's whole purpose
    emit const_cast<ui_qwt_picker_t *>(this)->pos_update_signal(static_cast<fp32>(index), y);
    return QwtText();
}
