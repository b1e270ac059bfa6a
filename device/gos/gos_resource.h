#pragma once
// Resources of the library module. The library's original platform looked them up in
// its own module by id and type; here they are compiled into the library (the table of
// gos_resource_data.h, generated at build time) and found the same way.
#include "lib_types.h"

extern "C" {

// Finds the resource of the id and type; returns 1 with its bytes and their count, or
// 0 with nothing written when the library carries no such resource.
int gos_find_resource(uint16 id, const char *type, const void **data, u32 *size);

} // extern "C"
