#pragma once
#include "lib_types.h"

#include <qwt_series_data.h>

// Series over caller-owned x and y arrays of fp32 (QwtFloatPointerData) or int16
// (QwtShortPointerData); the arrays must outlive the series.
class QwtFloatPointerData : public QwtSeriesData<QPointF>
{
public:
    QwtFloatPointerData(const fp32 *x, const fp32 *y, int32 size);

    size_t size() const override;
    QPointF sample(size_t i) const override;
    QRectF boundingRect() const override;

    const fp32 *xData() const;
    const fp32 *yData() const;

private:
    const fp32 *d_x;
    const fp32 *d_y;
    int32 d_size;
};

class QwtShortPointerData : public QwtSeriesData<QPointF>
{
public:
    QwtShortPointerData(const int16 *x, const int16 *y, int32 size);

    size_t size() const override;
    QPointF sample(size_t i) const override;
    QRectF boundingRect() const override;

    const int16 *xData() const;
    const int16 *yData() const;

private:
    const int16 *d_x;
    const int16 *d_y;
    int32 d_size;
};
