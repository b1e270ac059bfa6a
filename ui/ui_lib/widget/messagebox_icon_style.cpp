#include "messagebox_icon_style.h"

MessageboxIconStyle::MessageboxIconStyle() : icon_size(30) {}

int MessageboxIconStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                     const QWidget *widget) const
{
    return QCommonStyle::pixelMetric(metric, option, widget);
}
