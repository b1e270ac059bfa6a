// cfg_bswv_main_t: the arbitrary wave of a channel: a built-in wave by index or a user
// wave file by path (held by the channel's arbitrary-wave object), the ".info"
// companion of a user file, and the names shown for the selection. Paths and names are
// plain strings of any length.
#include "cfg_bswv_main.h"

#include "cfg_bswv_arb.h"
#include "cfg_bswv_wave.h"
#include "cfg_wave_info.h"
#include "drv_arb_wave.h"
#include "drv_instance_manage.h"
#include "drv_wave_data.h"
#include "gos.h"

namespace
{
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;
constexpr int32 SOURCE_BUILTIN = 0;

// A mount point of the second platform; its files carry no companion.
const char REMOVABLE_ROOT[] = "/usr/bin/korvane/usr/mass_storage/U-disk0";

lib_unit_data_t zero_record()
{
    lib_unit_data_t r{};
    r.data = 0.0L;
    r.unit = LIB_UNIT_BASE;
    r.changed = false;
    return r;
}

bool file_opens(const std::string &path)
{
    std::FILE *f = gos_fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    gos_fclose(f);
    return true;
}
} // namespace

int32 cfg_bswv_main_t::set_arb_wave(int32 index)
{
    const int32 r = arb->set_builtin_arb_wave(index);
    restore_freq_record();
    apply_current_wave(false);
    return r;
}

int32 cfg_bswv_main_t::get_arb_wave() const
{
    return arb->get_arb_current_wave();
}

int32 cfg_bswv_main_t::get_arb_wave_source()
{
    return arb->get_arb_wave_source();
}

int32 cfg_bswv_main_t::load_user_arb_wave(const std::string &path)
{
    // A file that cannot be read leaves the selection as it was.
    if (!file_opens(path))
        return -13;
    const int32 source = arb->get_arb_wave_source();
    const int32 index = arb->get_arb_current_wave();
    const std::string name = arb->get_arb_wave_name();
    const int32 r = arb->load_user_arb_wave(path);
    if (r < 0)
    {
        arb->set_arb_wave_index(index);
        arb->get_arb_wave_name() = name;
        arb->set_arb_wave_source(source);
    }
    return r;
}

int32 cfg_bswv_main_t::load_arb_wave_file(const std::string &path)
{
    const int32 r = load_user_arb_wave(path);
    apply_wave_info_file(path);
    return r;
}

void cfg_bswv_main_t::apply_wave_info_file(const std::string &path)
{
    if (path.compare(0, sizeof(REMOVABLE_ROOT) - 1, REMOVABLE_ROOT) == 0)
        return;
    const std::string::size_type pos = path.rfind(".bin");
    if (pos == std::string::npos)
        return;
    cfg_wave_info_t info(path.substr(0, pos) + ".info");
    lib_unit_data_t a = zero_record();
    if (info.read_param("amp:", &a) > 0)
        store_ampl(a);
    lib_unit_data_t f = zero_record();
    if (info.read_param("freq:", &f) > 0)
        store_freq(f);
    lib_unit_data_t o = zero_record();
    if (info.read_param("offset:", &o) > 0)
        store_offset_or_dc(o);
    lib_unit_data_t p = zero_record();
    if (info.read_param("phase:", &p) > 0)
        set_phase(&p);
}

std::string cfg_bswv_main_t::get_builtin_arb_wave_name() const
{
    const std::string &file = drv_instance_manage_t::get_instance()->get_wave_data()->get_wave_name(arb->get_arb_current_wave());
    // The number prefix and the extension dropped, then the first "_ram".
    const std::string::size_type start = file.find('_');
    const std::string::size_type begin = start == std::string::npos ? 0 : start + 1;
    const std::string::size_type dot = file.find('.', begin);
    std::string name = file.substr(begin, dot == std::string::npos ? std::string::npos : dot - begin);
    const std::string::size_type ram = name.find("_ram");
    if (ram != std::string::npos)
        name.erase(ram, 4);
    return name;
}

std::string cfg_bswv_main_t::get_user_arb_wave_name() const
{
    const std::string path = const_cast<cfg_bswv_main_t *>(this)->get_current_wave()->get_arb_wave_name();
    const std::string::size_type slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Leading dots stay: ".x.bin" is ".x".
    const std::string::size_type lead = name.find_first_not_of('.');
    if (lead != std::string::npos)
    {
        const std::string::size_type dot = name.find('.', lead);
        if (dot != std::string::npos)
            name.erase(dot);
    }
    return name;
}

std::string cfg_bswv_main_t::get_arb_wave_display_name() const
{
    return arb->get_arb_wave_source() != SOURCE_BUILTIN ? get_user_arb_wave_name() : get_builtin_arb_wave_name();
}

const std::string &cfg_bswv_main_t::get_current_arb_wave_name()
{
    static std::string shared;
    if (wave_type == WAVE_ARB)
        shared = get_arb_wave_display_name();
    else if ((wave_type >= 0 && wave_type < WAVE_ARB) || wave_type == WAVE_PRBS)
        shared.clear();
    return shared;
}

std::string cfg_bswv_main_t::get_arb_wave_path() const
{
    return arb->get_arb_wave_name();
}

int32 cfg_bswv_main_t::set_arb_wave_index(int32 index)
{
    arb->set_arb_wave_index(index);
    return drv_instance_manage_t::get_instance()->get_arb_wave()->set_builtin_wave(ch, index);
}

int32 cfg_bswv_main_t::load_user_arb_wave_twice(const std::string &path)
{
    const int32 r = arb->load_user_arb_wave(path);
    drv_instance_manage_t::get_instance()->get_arb_wave()->load_user_wave(ch, path);
    return r;
}
