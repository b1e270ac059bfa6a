#pragma once
#include "lib_types.h"
#include "ui_plot_types.h"

// How a document window draws its waveform; copied by value between the window and
// the display properties dialog. The defaults are those of a new document window.
struct ui_view_setting_t
{
    bool grid_show = true;
    // Time labels under the sample-index labels of the x axis.
    bool time_scale_show = false;
    // Volts-axis range from the waveform itself (true) or from y_min .. y_max (false).
    bool auto_scale = true;
    // Curve drawing (the plot's ui_curvv_show_t): 0 lines, 1 steps, 2 inverted steps,
    // 3 fitted lines. Only read after the dialog's first OK has written it.
    ui_curvv_show_t curve_style = UI_CURVE_LINES;
    double y_max = 1.0;
    double y_min = -1.0;
    // Pen width kind: 0..3 draw 1..4 pixels, anything else 2.
    int32 line_width = 1;
    int32 line_rgb[3] = {255, 255, 0};
    int32 x_cursor_rgb[3] = {255, 0, 0};
    int32 y_cursor_rgb[3] = {0, 255, 0};
};
