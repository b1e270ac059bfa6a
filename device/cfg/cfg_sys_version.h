#pragma once
// cfg_sys_version_t: the software version and serial start-up of products other than
// the module. For now it does nothing.
#include "lib_types.h"

class cfg_sys_version_t
{
public:
    static cfg_sys_version_t *get_instance()
    {
        static cfg_sys_version_t instance;
        return &instance;
    }
    int32 init_config_data() { return 1; }
};
