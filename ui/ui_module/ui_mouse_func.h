#pragma once
#include "lib_types.h"

// Mouse tool of a document window; 3 is never set and handled like 2.
enum ui_mouse_func_t : int32 {
    UI_MOUSE_NORMAL = 0,
    UI_MOUSE_ZOOM = 1,
    UI_MOUSE_CURSOR = 2,
    UI_MOUSE_DRAW_POINT = 4,
};
