#pragma once
// The resources compiled into the library, as the build generates them.
#include "lib_types.h"

struct gos_resource_entry_t
{
    uint16 id;
    const char *type;
    const unsigned char *data;
    u32 size;
};

extern const gos_resource_entry_t gos_resource_entries[];
extern const u32 gos_resource_count;
