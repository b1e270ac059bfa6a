#pragma once
// cfg_file_converter_t: the door of outside wave files into the channels. A text
// export (".csv", ".CSV", ".dat", ".DAT") given to load_outside_wave is converted to the
// module's wave file and loaded as the channel's user arbitrary wave; the converters'
// own column readers are offered through convert_outside_file.
#include "cfg_outfile2bin_wave_data_main.h"
#include "lib_types.h"

#include <string>

class cfg_file_converter_t
{
public:
    // A process-wide instance besides the root's.
    static cfg_file_converter_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    static void reset_instance();

public:
    // 0 for ".csv"/".CSV", 1 for ".dat"/".DAT" (the last four characters, exact case),
    // 2 otherwise.
    static int32 get_file_kind(std::string path);
    // Imports the export at path on channel ch through folder dir: 1, or -12 for any
    // other ending (nothing is loaded).
    int32 load_outside_wave(int32 ch, std::string path, std::string dir);
    // The column reader of the matching converter; -12 with a message for other endings.
    int32 convert_outside_file(const std::string &path, const std::string &dir, std::string &out_name);

    cfg_csv2bin_wave_data_main_t csv;
    cfg_dat2bin_wave_data_main_t dat;
};
