#include "lib_screen_geometry.h"

#include <gtest/gtest.h>

namespace {

struct geometry_row_t
{
    const char *name;
    int32 (lib_screen_geometry_t::*getter)() const;
    int32 large;
    int32 other;
};

const geometry_row_t k_rows[] = {
    {"screen_width", &lib_screen_geometry_t::get_screen_width, 1024, 800},
    {"screen_height", &lib_screen_geometry_t::get_screen_height, 600, 480},
    {"grid_left", &lib_screen_geometry_t::get_grid_left, 12, 12},
    {"grid_top", &lib_screen_geometry_t::get_grid_top, 60, 20},
    {"grid_width", &lib_screen_geometry_t::get_grid_width, 1000, 700},
    {"grid_height", &lib_screen_geometry_t::get_grid_height, 480, 400},
    {"grid_right", &lib_screen_geometry_t::get_grid_right, 1012, 712},
    {"grid_bottom", &lib_screen_geometry_t::get_grid_bottom, 540, 420},
    {"grid_inner_left", &lib_screen_geometry_t::get_grid_inner_left, 13, 13},
    {"grid_inner_top", &lib_screen_geometry_t::get_grid_inner_top, 61, 21},
    {"grid_last_x", &lib_screen_geometry_t::get_grid_last_x, 999, 699},
    {"grid_last_y", &lib_screen_geometry_t::get_grid_last_y, 479, 399},
    {"grid_half_width", &lib_screen_geometry_t::get_grid_half_width, 500, 350},
    {"grid_half_height", &lib_screen_geometry_t::get_grid_half_height, 240, 200},
    {"grid_center_x", &lib_screen_geometry_t::get_grid_center_x, 512, 362},
    {"grid_center_y", &lib_screen_geometry_t::get_grid_center_y, 300, 220},
    {"hor_divisions", &lib_screen_geometry_t::get_hor_divisions, 10, 14},
    {"ver_divisions", &lib_screen_geometry_t::get_ver_divisions, 8, 8},
    {"hor_division_pixels", &lib_screen_geometry_t::get_hor_division_pixels, 100, 50},
    {"ver_division_pixels", &lib_screen_geometry_t::get_ver_division_pixels, 60, 50},
};

} // namespace

TEST(LibScreenGeometry, UnsetTypeAnswersTheSmallDisplay)
{
    lib_screen_geometry_t *geometry = lib_screen_geometry_t::get_instance();
    EXPECT_EQ(geometry, lib_screen_geometry_t::get_instance());
    EXPECT_EQ(lib_screen_geometry_t::get_screen_type(), 0);
    EXPECT_EQ(geometry->get_ver_division_pixels_f(), 50.0f);
    EXPECT_EQ(geometry->get_hor_division_pixels_f(), 50.0f);
    for (const auto &row : k_rows)
        EXPECT_EQ((geometry->*row.getter)(), row.other) << row.name;
}

TEST(LibScreenGeometry, EachTypeAnswersItsTable)
{
    lib_screen_geometry_t *geometry = lib_screen_geometry_t::get_instance();
    for (int32 type : {1, 2, 3, -1}) {
        geometry->screen_type = type;
        EXPECT_EQ(lib_screen_geometry_t::get_screen_type(), type);
        for (const auto &row : k_rows)
            EXPECT_EQ((geometry->*row.getter)(), type == 2 ? row.large : row.other) << row.name << " type " << type;
        EXPECT_EQ(geometry->get_hor_division_pixels_f(), type == 2 ? 100.0f : 50.0f);
        EXPECT_EQ(geometry->get_ver_division_pixels_f(), type == 2 ? 60.0f : 50.0f);
    }
}
