#pragma once
#include "lib_types.h"

#include <qwt_scale_draw.h>

// Labels a y axis of the waveform plot: kind 0 volts (milli below 1 V), kind 1 raw
// sample values; padded to 9 characters so the layout does not jump with the range.
class ui_yv_scale_draw_t : public QwtScaleDraw
{
public:
    explicit ui_yv_scale_draw_t(int kind);

    QwtText label(double value) const override;

protected:
    void drawLabel(QPainter *painter, double value) const override;

private:
    int32 kind;
};
