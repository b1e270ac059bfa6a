// cfg_config_file_t: start-up re-apply and save pass.
#include "cfg_config_file.h"

#include "cfg_main.h"

void cfg_config_file_t::init()
{
    cfg_main_t::get_instance()->apply_all();
    changed = 0;
}

int32 cfg_config_file_t::save(const char *path)
{
    cfg_main_t::get_instance()->save_config(path);
    return 1;
}
