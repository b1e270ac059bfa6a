#pragma once
// cfg_drv_info_map_t: the driver map copied from the driver layer; empty on the module.
#include "lib_types.h"

#include <map>
#include <string>

class cfg_drv_info_map_t
{
public:
    void init() {}
    const std::map<std::string, int32> &entries() const { return map; }

private:
    std::map<std::string, int32> map;
};
