#pragma once
// Enums that the plots, their mouse tools and their owners exchange. Signal and slot
// signatures name them as text, so every header spells them through this file.
#include "lib_types.h"

// How the waveform plot draws its curve.
enum ui_curvv_show_t : int32
{
    UI_CURVE_LINES = 0,
    UI_CURVE_STEPS = 1,
    UI_CURVE_INVERTED_STEPS = 2,
    UI_CURVE_FITTED = 3,
};

// The mouse action a document window passes to cursors, zoomer and point drawing.
enum ui_mouse_act_t : int32
{
    UI_MOUSE_PRESS = 0,
    UI_MOUSE_MOVE = 1,
    UI_MOUSE_RELEASE = 2,
};
