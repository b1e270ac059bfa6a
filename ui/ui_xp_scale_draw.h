#pragma once
#include "lib_types.h"

#include <qwt_scale_draw.h>

class QwtPlot;

// Labels the waveform plot's x axis, which runs over display positions, with the sample
// indices those positions stand for (numbered from 1), optionally with each sample's
// time underneath. Qwt caches label texts inside an installed draw, so a changed range
// or time flag takes a new draw.
class ui_xp_scale_draw_t : public QwtScaleDraw
{
public:
    ui_xp_scale_draw_t();

    void set_start_index(const double &index);
    double get_start_index() const;
    void set_end_index(const double &index);
    double get_end_index() const;
    void set_wave_freq(const fp32 &freq);
    fp32 get_wave_freq() const;
    void set_wave_points(const uint32 &points);
    uint32 get_wave_points() const;

    QwtText label(double value) const override;

    bool time_flag = false;

protected:
    void drawLabel(QPainter *painter, double value) const override;

private:
    double start_index = 0.0;
    double end_index = 16384.0;
    fp32 wave_freq = 1000.0f;
    uint32 wave_points = 16384;
};

// The x scale draw installed on a plot's xBottom axis, or null.
ui_xp_scale_draw_t *plot_xp_scale_draw(const QwtPlot *plot);
