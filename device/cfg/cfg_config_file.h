#pragma once
// cfg_config_file_t: the changed-since-saved flag of the configuration, the save of the
// whole configuration to its file, and the copy of that file elsewhere. Its init is the
// start-up's re-apply pass.
#include "lib_types.h"

#include <string>

class cfg_config_file_t
{
public:
    // The file the configuration is saved to, relative to the working directory.
    static constexpr const char *CONFIG_PATH = "usr/config/JQZ_config.xml";

    // The whole re-apply pass of the root, then the flag cleared.
    void init();
    void mark_dirty() { dirty = true; }
    bool is_dirty() const { return dirty; }
    void set_dirty(bool value) { dirty = value; }
    // The root's save pass to path; 1.
    int32 save_to(const char *path);
    // Saves to the configuration file and flushes the file system when forced or
    // changed; otherwise nothing.
    void save(bool force);
    void save_now() { save(true); }
    // Saves, then copies the configuration file to destination; 1 whether the copy
    // worked or not.
    int32 export_to(const std::string &destination);
    // The root's save pass to path, the flag left alone.
    void save_as(const char *path);

private:
    bool dirty = true;
};
