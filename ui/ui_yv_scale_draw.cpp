#include "ui_yv_scale_draw.h"

#include <cmath>

ui_yv_scale_draw_t::ui_yv_scale_draw_t(int kind_) : kind(kind_)
{
    enableComponent(QwtAbstractScaleDraw::Backbone, false);
    enableComponent(QwtAbstractScaleDraw::Ticks, false);
    setSpacing(0);
}

QwtText ui_yv_scale_draw_t::label(double value) const
{
    QString text;
    if (kind == 0) {
        const double a = std::fabs(value);
        if (a >= 1e-6 && a < 1.0)
            text = QString::number(value * 1000.0, 'f', 2) + "m";
        else
            text = QString::number(value, 'f', 2);
    } else if (kind == 1) {
        text = QString::number(value, 'f', 0);
    }
    const int len = text.toLocal8Bit().size();
    if (len < 9)
        text = QString(9 - len, QLatin1Char(' ')) + text;
    QwtText label(text, QwtText::AutoText);
    label.setColor(QColor(255, 255, 255, 255));
    return label;
}

void ui_yv_scale_draw_t::drawLabel(QPainter *painter, double value) const
{
    QwtScaleDraw::drawLabel(painter, value);
}
