#include "gos_resource.h"

#include "gos_resource_data.h"

#include <cstring>

int gos_find_resource(uint16 id, const char *type, const void **data, u32 *size)
{
    if (!type || !data || !size)
        return 0;
    for (u32 i = 0; i < gos_resource_count; ++i) {
        const gos_resource_entry_t &entry = gos_resource_entries[i];
        if (entry.id == id && std::strcmp(entry.type, type) == 0) {
            *data = entry.data;
            *size = entry.size;
            return 1;
        }
    }
    return 0;
}
