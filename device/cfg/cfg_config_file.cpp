// cfg_config_file_t: start-up re-apply, save and copy of the configuration file. The
// file work runs in-process: a destination path reaches no shell, so blanks and shell
// characters in it are only part of the file name.
#include "cfg_config_file.h"

#include "cfg_main.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

void cfg_config_file_t::init()
{
    cfg_main_t::get_instance()->apply_all();
    dirty = false;
}

int32 cfg_config_file_t::save_to(const char *path)
{
    cfg_main_t::get_instance()->save_config(path);
    return 1;
}

void cfg_config_file_t::save(bool force)
{
    if (!force && !dirty)
        return;
    save_to(CONFIG_PATH);
    dirty = false;
    ::sync();
}

int32 cfg_config_file_t::export_to(const std::string &destination)
{
    save(true);
    // A missing source or an unwritable destination leaves everything as it was; the
    // result stays 1 as before.
    std::error_code error;
    std::filesystem::path target(destination);
    // Like cp, a folder receives the file under its own name.
    if (std::filesystem::is_directory(target, error))
        target /= std::filesystem::path(CONFIG_PATH).filename();
    std::filesystem::copy_file(CONFIG_PATH, target, std::filesystem::copy_options::overwrite_existing, error);
    return 1;
}

void cfg_config_file_t::save_as(const char *path)
{
    cfg_main_t::get_instance()->save_config(path);
}
