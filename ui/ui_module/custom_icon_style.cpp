#include "custom_icon_style.h"

CustomIconStyle::CustomIconStyle() : mSize(14) {}

CustomIconStyle::~CustomIconStyle() = default;

int CustomIconStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    return QCommonStyle::pixelMetric(metric, option, widget);
}

QSize CustomIconStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                        const QWidget *widget) const
{
    QSize s = QCommonStyle::sizeFromContents(type, option, size, widget);
    if (type == QStyle::CT_MenuItem)
        s.setWidth(s.width() + 10);
    return s;
}
