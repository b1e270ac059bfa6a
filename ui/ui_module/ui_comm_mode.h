#pragma once
#include "lib_types.h"

// What the communication dialog does: send to a generator, read from a generator,
// import from an oscilloscope.
enum ui_comm_mode_t : int32 {
    UI_COMM_SEND = 0,
    UI_COMM_READ = 1,
    UI_COMM_IMPORT = 2,
};
