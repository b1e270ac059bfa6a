#pragma once
// cfg_drv_info_map_t: name and text pairs that the driver layer fills on request; on
// the module the driver supplies none, so the map stays empty.
#include "lib_types.h"

#include <map>
#include <string>

class cfg_drv_info_map_t
{
public:
    void init() {}
    // The driver layer's fill: 1 when it reports a failure (negative), else 0.
    int32 refresh();
    // Refreshed, then this map's entries copied into other: -12 when there are none,
    // else the fill's result (other's own result is left alone).
    int32 copy_to(cfg_drv_info_map_t *other);
    const std::map<std::string, std::string> &entries() const { return map; }
    std::map<std::string, std::string> &entries() { return map; }
    int32 get_result() const { return result; }

private:
    std::map<std::string, std::string> map;
    int32 result = 0;
};

// The root's map copied into a temporary that is refreshed: the refresh's result.
int32 cfg_check_drv_info();
