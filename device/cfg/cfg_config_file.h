#pragma once
// cfg_config_file_t: the flag that marks the settings as changed since the last save.
// For now it saves nothing; its init is the start-up's re-apply pass.
#include "lib_types.h"

class cfg_config_file_t
{
public:
    // The whole re-apply pass of the root, then the flag cleared.
    void init();
    int32 save(const char *path);
    uint8 get_changed() const { return changed; }

private:
    uint8 changed = 1;
};
