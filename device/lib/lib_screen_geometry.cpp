#include "lib_screen_geometry.h"

lib_screen_geometry_t *lib_screen_geometry_t::get_instance()
{
    static lib_screen_geometry_t geometry{};
    return &geometry;
}

int32 lib_screen_geometry_t::get_screen_type() { return get_instance()->screen_type; }

int32 lib_screen_geometry_t::get_screen_width() const { return is_large() ? 1024 : 800; }
int32 lib_screen_geometry_t::get_screen_height() const { return is_large() ? 600 : 480; }
int32 lib_screen_geometry_t::get_grid_left() const { return 12; }
int32 lib_screen_geometry_t::get_grid_top() const { return is_large() ? 60 : 20; }
int32 lib_screen_geometry_t::get_grid_width() const { return is_large() ? 1000 : 700; }
int32 lib_screen_geometry_t::get_grid_height() const { return is_large() ? 480 : 400; }
int32 lib_screen_geometry_t::get_grid_right() const { return is_large() ? 1012 : 712; }
int32 lib_screen_geometry_t::get_grid_bottom() const { return is_large() ? 540 : 420; }
int32 lib_screen_geometry_t::get_grid_inner_left() const { return 13; }
int32 lib_screen_geometry_t::get_grid_inner_top() const { return is_large() ? 61 : 21; }
int32 lib_screen_geometry_t::get_grid_last_x() const { return is_large() ? 999 : 699; }
int32 lib_screen_geometry_t::get_grid_last_y() const { return is_large() ? 479 : 399; }
int32 lib_screen_geometry_t::get_grid_half_width() const { return is_large() ? 500 : 350; }
int32 lib_screen_geometry_t::get_grid_half_height() const { return is_large() ? 240 : 200; }
int32 lib_screen_geometry_t::get_grid_center_x() const { return is_large() ? 512 : 362; }
int32 lib_screen_geometry_t::get_grid_center_y() const { return is_large() ? 300 : 220; }
int32 lib_screen_geometry_t::get_hor_divisions() const { return is_large() ? 10 : 14; }
int32 lib_screen_geometry_t::get_ver_divisions() const { return 8; }
int32 lib_screen_geometry_t::get_hor_division_pixels() const { return is_large() ? 100 : 50; }
int32 lib_screen_geometry_t::get_ver_division_pixels() const { return is_large() ? 60 : 50; }
float lib_screen_geometry_t::get_hor_division_pixels_f() const { return is_large() ? 100.0f : 50.0f; }
float lib_screen_geometry_t::get_ver_division_pixels_f() const { return is_large() ? 60.0f : 50.0f; }
