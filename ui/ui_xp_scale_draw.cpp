#include "ui_xp_scale_draw.h"

#include "ui_linear_map.h"
#include "ui_plot_utils.h"

#include <cmath>
#include <limits>
#include <qwt_plot.h>

ui_xp_scale_draw_t::ui_xp_scale_draw_t()
{
    enableComponent(QwtAbstractScaleDraw::Backbone, false);
    enableComponent(QwtAbstractScaleDraw::Ticks, false);
    setSpacing(4);
}

void ui_xp_scale_draw_t::set_start_index(const double &index)
{
    start_index = index;
}

double ui_xp_scale_draw_t::get_start_index() const
{
    return start_index;
}

void ui_xp_scale_draw_t::set_end_index(const double &index)
{
    end_index = index;
}

double ui_xp_scale_draw_t::get_end_index() const
{
    return end_index;
}

void ui_xp_scale_draw_t::set_wave_freq(const fp32 &freq)
{
    wave_freq = freq;
}

fp32 ui_xp_scale_draw_t::get_wave_freq() const
{
    return wave_freq;
}

void ui_xp_scale_draw_t::set_wave_points(const uint32 &points)
{
    wave_points = points;
}

uint32 ui_xp_scale_draw_t::get_wave_points() const
{
    return wave_points;
}

QwtText ui_xp_scale_draw_t::label(double value) const
{
    ui_linear_map_t map;
    map.init(scaleMap().s1(), scaleMap().s2(), start_index, end_index);
    const double idx = map.map(value);
    const double x = idx + 1.0; // the first sample is labelled 1
    QString index_text;
    if (x >= 0.0 && x < 4294967296.0 && x == std::floor(x))
        index_text = QString::number(x, 'f', 0);
    else
        index_text = QString::number(x, 'f', std::fabs(end_index - start_index) >= 100.0 ? 0 : 1);

    QString text = index_text;
    if (time_flag) {
        uint32 sample = 0;
        if (idx >= 4294967295.0)
            sample = std::numeric_limits<uint32>::max();
        else if (idx > 0.0)
            sample = static_cast<uint32>(idx);
        const int32 points = wave_points > uint32(std::numeric_limits<int32>::max())
                                 ? std::numeric_limits<int32>::max()
                                 : static_cast<int32>(wave_points);
        QString time_text = format_time_label(sample, &wave_freq, &points);
        const int a = time_text.toLocal8Bit().size();
        const int b = index_text.toLocal8Bit().size();
        const int h = (std::abs(a - b) + 1) / 2;
        // blanks are narrower than digits: 1.5 blanks per missing half-width centres the lines
        const QString pad(static_cast<int>(std::ceil(1.5 * h)), QLatin1Char(' '));
        if (a > b)
            index_text = pad + index_text;
        else if (a < b)
            time_text = pad + time_text;
        text = index_text + "\n" + time_text;
    }
    QwtText label(text, QwtText::AutoText);
    label.setColor(QColor(255, 255, 255, 255));
    return label;
}

void ui_xp_scale_draw_t::drawLabel(QPainter *painter, double value) const
{
    QwtScaleDraw::drawLabel(painter, value);
}

ui_xp_scale_draw_t *plot_xp_scale_draw(const QwtPlot *plot)
{
    if (!plot)
        return nullptr;
    return dynamic_cast<ui_xp_scale_draw_t *>(
        const_cast<QwtScaleDraw *>(plot->axisScaleDraw(QwtPlot::xBottom)));
}
