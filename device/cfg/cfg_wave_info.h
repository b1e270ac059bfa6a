#pragma once
// cfg_wave_info_t: the accessor of a user wave's ".info" companion file. Its parameter
// reads only report whether the file opens (0, or -13) and deliver no value; its writes
// write nothing. It also reads the header of a ".csv" wave file and parses a
// "key,value" line out of a text.
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>

class cfg_wave_info_t
{
public:
    explicit cfg_wave_info_t(const std::string &file_name);

    // The ".info" file opens for reading.
    bool exists() const;
    // 0 when the file exists, else -13.
    int32 check_file(int32, int32) const;
    int32 write_stub(int32, int32) const { return 0; }
    // One key of amp_key, freq_key, offset_key, phase_key: 0 when the file exists,
    // else -13; out is not written.
    int32 read_param(const std::string &key, lib_unit_data_t *out) const;
    // Writes nothing; 0.
    int32 write_param(const std::string &key, long double value) const;
    // The number after the first comma that follows key in text, up to the line end:
    // 1 with *out set, or -13 when key, comma or number text is missing.
    static int32 parse_key_value(const std::string &text, const std::string &key, float *out);
    // 1 when path names a readable ".csv" (or ".CSV") file and the ".info" file exists,
    // else 0.
    u32 read_csv_header(const std::string &path) const;

    const std::string &get_file_name() const { return file_name; }

    std::string file_name;
    std::string root_key = "bin_info_root";
    std::string amp_key = "amp:";
    std::string freq_key = "freq:";
    std::string phase_key = "phase:";
    std::string offset_key = "offset:";
};

// Copies two names into a record of two 101-byte fields, which is then dropped: -13 when
// either is longer than 100 characters, else 1.
int32 cfg_copy_wave_names(int32, const std::string &a, const std::string &b);
