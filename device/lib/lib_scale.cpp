#include "lib_scale.h"

#include "lib_screen_geometry.h"
#include "lib_trunc.h"
#include "lib_unit_convert.h"

#include <cmath>
#include <limits>

namespace {

const float s_coarse[LIB_SCALE_COARSE_COUNT] = {0.1f, 0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100, 200, 500};
const float s_125[LIB_SCALE_125_COUNT] = {0.1f, 0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
const long double s_fine[LIB_SCALE_FINE_COUNT] = {0.0005L, 0.001L, 0.002L, 0.005L, 0.01L, 0.02L,
                                                  0.05L,   0.1L,   0.2L,   0.5L,   1.0L,  2.0L,
                                                  5.0L,    10.0L,  20.0L,  50.0L,  100.0L};
const u8 s_weights[LIB_SCALE_WEIGHT_COUNT] = {16, 8, 4, 2, 1, 2, 1, 1, 2, 1, 1, 2, 1, 1};
const long double s_time_base[LIB_TIME_BASE_COUNT] = {
    2e-10L, 5e-10L, 1e-9L, 2e-9L, 5e-9L, 1e-8L, 2e-8L, 5e-8L, 1e-7L, 2e-7L, 5e-7L, 1e-6L, 2e-6L,
    5e-6L,  1e-5L,  2e-5L, 5e-5L, 1e-4L, 2e-4L, 5e-4L, 1e-3L, 2e-3L, 5e-3L, 1e-2L, 2e-2L, 5e-2L,
    0.1L,   0.2L,   0.5L,  1.0L,  2.0L,  5.0L,  10.0L, 20.0L, 50.0L, 100.0L, 200.0L, 500.0L, 1000.0L};

bool lib_in_table(int32 i, int32 count) { return i >= 0 && i < count; }

float lib_division_pixels() { return lib_screen_geometry_t::get_instance()->get_ver_division_pixels_f(); }

// The fine scale keeps 50-pixel divisions except for every third step on screen type 2.
float lib_fine_division_pixels(int32 i)
{
    return lib_screen_geometry_t::get_screen_type() == 2 && i % 3 == 0 ? 60.0f : 50.0f;
}

int32 lib_round_pixels(long double q) { return lib_trunc_i32(std::round(static_cast<double>(q))); }

} // namespace

lib_unit_data_t lib_scale_value_of_pixels(int32 pixels, lib_unit_data_t per_division)
{
    per_division.data = per_division.data * pixels / lib_division_pixels();
    return per_division;
}

int32 lib_scale_pixels_of_value(lib_unit_data_t value, lib_unit_data_t per_division)
{
    if (per_division.data == 0.0L)
        return 0;
    const long double q = lib_division_pixels() * lib_unit_prefix_rebase(value.data, value.unit, per_division.unit) /
                          per_division.data;
    return lib_round_pixels(q);
}

float lib_scale_step_125(int32 i) { return lib_in_table(i, LIB_SCALE_125_COUNT) ? s_125[i] : 1.0f; }

float lib_scale_step_125_or_one(int32 i) { return lib_scale_step_125(i); }

int32 lib_scale_fine_step_count(void) { return LIB_SCALE_FINE_COUNT; }

long double lib_scale_fine_step(int32 i) { return lib_in_table(i, LIB_SCALE_FINE_COUNT) ? s_fine[i] : 1.0L; }

u8 lib_scale_step_weight(int32 i) { return lib_in_table(i, LIB_SCALE_WEIGHT_COUNT) ? s_weights[i] : 1; }

void lib_scale_coarse_position(int32 mode, int32 *index, long double *value, int32 *pixels)
{
    if (mode == 1 || !index || !value || !pixels)
        return;
    if (*value < 0.1)
        *value = 0.1;
    if (*value > 20)
        *value = 20;
    if (*value == 0.1) {
        *index = 0;
        *pixels = 0;
        return;
    }
    // A NaN value finds no step and stays on the last one.
    int32 i = 1;
    while (i < LIB_SCALE_COARSE_COUNT - 1 && !(s_coarse[i] >= *value))
        ++i;
    *index = i;
    *pixels = lib_trunc_i32(lib_division_pixels() * (*value - s_coarse[i]) / (s_coarse[i] - s_coarse[i - 1]));
}

void lib_scale_coarse_value(int32 mode, int32 index, int32 pixels, lib_unit_data_t *out)
{
    if (!out)
        return;
    out->unit = LIB_UNIT_API_BASE;
    if (mode == 1)
        return;
    if (index == 0)
        out->data = 0.1;
    else if (lib_in_table(index, LIB_SCALE_COARSE_COUNT))
        out->data = s_coarse[index] + pixels * (s_coarse[index] - s_coarse[index - 1]) / lib_division_pixels();
    else
        out->data = 1.0L;
}

void lib_scale_fine_position(int32 *index, lib_unit_data_t *value, int32 *pixels, bool *nearer_lower)
{
    if (!index || !value || !pixels || !nearer_lower)
        return;
    if (value->unit != LIB_UNIT_API_BASE) {
        value->data = lib_unit_prefix_rebase(value->data, value->unit, LIB_UNIT_API_BASE);
        value->unit = LIB_UNIT_API_BASE;
    }
    // Clamped to the table's own entries, so that the ends find their steps exactly.
    if (value->data < s_fine[0])
        value->data = s_fine[0];
    if (value->data > s_fine[13])
        value->data = s_fine[13];
    const long double v = value->data;
    int32 i = 0;
    while (i < LIB_SCALE_FINE_COUNT - 1 && !(s_fine[i] >= v))
        ++i;
    const long double below = i > 0 ? s_fine[i - 1] : 0.0L;
    *nearer_lower = s_fine[i] - v > v - below;
    *index = i;
    *pixels = lib_round_pixels(lib_fine_division_pixels(i) * (v - s_fine[i]) / (s_fine[i] - below));
}

void lib_scale_fine_value(int32 mode, int32 index, int32 pixels, lib_unit_data_t *out)
{
    if (!out)
        return;
    out->unit = LIB_UNIT_API_BASE;
    if (!lib_in_table(index, LIB_SCALE_FINE_COUNT)) {
        out->data = 1.0L;
        return;
    }
    if (mode != 1) {
        out->data = static_cast<float>(s_fine[index]);
        return;
    }
    if (index == 0) {
        out->data = pixels > 0 ? s_fine[1] : s_fine[0];
        return;
    }
    const float per_pixel = static_cast<float>((s_fine[index] - s_fine[index - 1]) / lib_fine_division_pixels(index));
    out->data = static_cast<float>(s_fine[index] + pixels * per_pixel);
}

float lib_scale_step_ratio(int32 mode, int32 i, int32 j)
{
    if (mode == 1)
        return std::numeric_limits<float>::quiet_NaN();
    if (!lib_in_table(i, LIB_SCALE_COARSE_COUNT) || !lib_in_table(j, LIB_SCALE_COARSE_COUNT))
        return 1.0f;
    return s_coarse[i] / s_coarse[j];
}

int32 lib_scale_clamp_offset(int32 range, float step, int32 *offset)
{
    if (!offset || step == 0.0f)
        return 1;
    int32 k;
    if (range < 0)
        k = 0;
    else if (range <= 7)
        k = 100;
    else if (range >= 11 && range <= 13)
        k = 10000;
    else
        k = 1000;
    // In 64 bits, so that the negated limit of a negative step cannot overflow.
    const int64 limit = lib_trunc_i32(k / step + 0.5);
    if (*offset > limit) {
        *offset = static_cast<int32>(limit);
        return -10;
    }
    if (*offset < -limit) {
        *offset = static_cast<int32>(-limit);
        return -11;
    }
    return 1;
}

const long double *lib_time_base_steps(void) { return s_time_base; }

int32 lib_time_base_index(double x)
{
    for (int32 i = 0; i < LIB_TIME_BASE_COUNT; ++i)
        if (s_time_base[i] > x - 1e-12)
            return i;
    return LIB_TIME_BASE_COUNT;
}

int32 lib_scale_fine_index(double x)
{
    constexpr int32 searched = 13;
    for (int32 i = 0; i < searched; ++i)
        if (s_fine[i] > x - 1e-12)
            return i;
    return searched;
}
