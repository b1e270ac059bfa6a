#include "cfg_file_converter.h"

#include "lib_instance_slot.h"
#include "gos.h"

namespace
{
lib_instance_slot_t<cfg_file_converter_t> s_file_converter;
} // namespace

cfg_file_converter_t *cfg_file_converter_t::get_instance()
{
    return s_file_converter.get();
}

void cfg_file_converter_t::reset_instance()
{
    s_file_converter.reset();
}

int32 cfg_file_converter_t::get_file_kind(std::string path)
{
    if (path.size() < 4)
        return 2;
    const std::string ending = path.substr(path.size() - 4);
    if (ending == ".csv" || ending == ".CSV")
        return 0;
    if (ending == ".dat" || ending == ".DAT")
        return 1;
    return 2;
}

int32 cfg_file_converter_t::load_outside_wave(int32 ch, std::string path, std::string dir)
{
    switch (get_file_kind(path)) {
    case 0:
        return csv.import_text_wave(ch, path, dir);
    case 1:
        return dat.import_text_wave(ch, path, dir);
    default:
        return -12;
    }
}

int32 cfg_file_converter_t::convert_outside_file(const std::string &path, const std::string &dir, std::string &out_name)
{
    switch (get_file_kind(path)) {
    case 0:
        return csv.convert_outfile_to_bin(path, dir, out_name);
    case 1:
        return dat.convert_outfile_to_bin(path, dir, out_name);
    default:
        gos_printf("Not support outside file!\n");
        return -12;
    }
}
