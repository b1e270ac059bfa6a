#pragma once
#include <qwt_scale_draw.h>

// Labels a tick with a tenth of its value.
class ui_xt_scale_draw_t : public QwtScaleDraw
{
public:
    QwtText label(double value) const override;
};
