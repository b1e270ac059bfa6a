#pragma once
// lib_screen_geometry_t: screen and grid geometry of an instrument display, for the
// 1024 x 600 display (type 2) and the 800 x 480 one (every other type). Nothing in the
// library sets the type, so it stays 0 and the answers are those of the 800 x 480
// display.
#include "lib_types.h"

class lib_screen_geometry_t
{
public:
    static lib_screen_geometry_t *get_instance();
    // screen_type of the process-wide object.
    static int32 get_screen_type();

    int32 get_screen_width() const;
    int32 get_screen_height() const;
    int32 get_grid_left() const;
    int32 get_grid_top() const;
    int32 get_grid_width() const;
    int32 get_grid_height() const;
    int32 get_grid_right() const;
    int32 get_grid_bottom() const;
    int32 get_grid_inner_left() const;
    int32 get_grid_inner_top() const;
    int32 get_grid_last_x() const;
    int32 get_grid_last_y() const;
    int32 get_grid_half_width() const;
    int32 get_grid_half_height() const;
    int32 get_grid_center_x() const;
    int32 get_grid_center_y() const;
    int32 get_hor_divisions() const;
    int32 get_ver_divisions() const;
    int32 get_hor_division_pixels() const;
    int32 get_ver_division_pixels() const;
    float get_hor_division_pixels_f() const;
    float get_ver_division_pixels_f() const;

    int32 screen_type;

private:
    bool is_large() const { return screen_type == 2; }
};
