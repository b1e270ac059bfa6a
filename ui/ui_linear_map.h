#pragma once

// Maps the interval x0..x1 linearly onto y0..y1 (and back): how plot positions and
// sample indices are converted.
class ui_linear_map_t
{
public:
    void init(double x0_, double x1_, double y0_, double y1_);
    // y1 when the source interval is empty
    double map(double x) const;
    // x1 when the target interval is empty
    double unmap(double y) const;

    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;
};
