#pragma once
// Stand-in for the wave-info reader until it lands: it only tells whether the ".info"
// file opens, and reads no value (0 when it opens, -13 otherwise), as the real reader
// does on this system.
#include "gos.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>

class cfg_wave_info_t
{
public:
    explicit cfg_wave_info_t(const std::string &file_name) : name(file_name) {}
    bool exists() const
    {
        std::FILE *f = gos_fopen(name.c_str(), "rb");
        if (f == nullptr)
            return false;
        gos_fclose(f);
        return true;
    }
    int32 read_param(const std::string &, lib_unit_data_t *) const { return exists() ? 0 : -13; }

private:
    std::string name;
};
