#include "ui_linear_map.h"

void ui_linear_map_t::init(double x0_, double x1_, double y0_, double y1_)
{
    x0 = x0_;
    x1 = x1_;
    y0 = y0_;
    y1 = y1_;
}

double ui_linear_map_t::map(double x) const
{
    if (x0 == x1)
        return y1;
    return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

double ui_linear_map_t::unmap(double y) const
{
    if (y0 == y1)
        return x1;
    return x0 + (y - y0) / (y1 - y0) * (x1 - x0);
}
