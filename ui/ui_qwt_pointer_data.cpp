#include "ui_qwt_pointer_data.h"

#include <qwt_series_data.h>

QwtFloatPointerData::QwtFloatPointerData(const fp32 *x, const fp32 *y, int32 size)
    : d_x(x), d_y(y), d_size(size < 0 ? 0 : size)
{
}

size_t QwtFloatPointerData::size() const
{
    return static_cast<size_t>(d_size);
}

QPointF QwtFloatPointerData::sample(size_t i) const
{
    return QPointF(d_x[i], d_y[i]);
}

QRectF QwtFloatPointerData::boundingRect() const
{
    if (d_boundingRect.width() < 0)
        d_boundingRect = qwtBoundingRect(*this);
    return d_boundingRect;
}

const fp32 *QwtFloatPointerData::xData() const
{
    return d_x;
}

const fp32 *QwtFloatPointerData::yData() const
{
    return d_y;
}

QwtShortPointerData::QwtShortPointerData(const int16 *x, const int16 *y, int32 size)
    : d_x(x), d_y(y), d_size(size < 0 ? 0 : size)
{
}

size_t QwtShortPointerData::size() const
{
    return static_cast<size_t>(d_size);
}

QPointF QwtShortPointerData::sample(size_t i) const
{
    return QPointF(d_x[i], d_y[i]);
}

QRectF QwtShortPointerData::boundingRect() const
{
    if (d_boundingRect.width() < 0)
        d_boundingRect = qwtBoundingRect(*this);
    return d_boundingRect;
}

const int16 *QwtShortPointerData::xData() const
{
    return d_x;
}

const int16 *QwtShortPointerData::yData() const
{
    return d_y;
}
