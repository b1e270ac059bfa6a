#include "ui_window_counter.h"

int32 g_window_counter = 1;
