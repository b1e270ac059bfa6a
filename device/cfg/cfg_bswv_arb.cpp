// cfg_bswv_arb_t: arbitrary-wave selection, limits and user-wave files. File work runs
// in-process; the command lines are only printed, so a path with blanks or shell
// characters is handled as the file name it is.
#include "cfg_bswv_arb.h"

#include "cfg_drv_port.h"
#include "gos.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace
{
constexpr int32 DEFAULT_WAVE_INDEX = 2;
constexpr int32 SOURCE_BUILTIN = 0;
constexpr int32 SOURCE_USER = 1;
// Where a copied user wave goes, under the working directory.
constexpr const char *COPY_DIR = "usr/usr/";
} // namespace

std::string &cfg_bswv_arb_t::storage_root()
{
    static std::string root = "/usr/bin/korvane/usr/mass_storage/U-disk0";
    return root;
}

void cfg_bswv_arb_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    set_default_limits(ch);
    reset_selection();
}

void cfg_bswv_arb_t::reset_selection()
{
    wave_index = DEFAULT_WAVE_INDEX;
    wave_source = SOURCE_BUILTIN;
    wave_name.clear();
}

void cfg_bswv_arb_t::set_default_limits(int32)
{
    max_freq = 1e7L;
    max_sample_rate = cfg_drv_get_arb_srate_flag() != 0 ? 2e7L : 0.0L;
}

long double cfg_bswv_arb_t::get_base_min_freq()
{
    return cfg_bswv_wave_t::get_min_freq(channel);
}

long double cfg_bswv_arb_t::get_max_freq(int32)
{
    return get_stored_max_freq();
}

long double cfg_bswv_arb_t::get_max_freq_by_ampl(long double)
{
    return get_stored_max_freq();
}

long double cfg_bswv_arb_t::get_max_sample_rate()
{
    return max_sample_rate;
}

long double cfg_bswv_arb_t::get_min_sample_rate(int32 ch)
{
    min_sample_rate = get_base_min_freq() * cfg_drv_get_ch_wave_len(ch);
    return min_sample_rate;
}

int32 cfg_bswv_arb_t::set_builtin_arb_wave(int32 index)
{
    const int32 r = cfg_drv_set_builtin_arb_wave(channel, index);
    if (r >= 0)
        set_arb_wave_index(index);
    return r;
}

int32 cfg_bswv_arb_t::get_arb_current_wave()
{
    return wave_index;
}

int32 cfg_bswv_arb_t::load_user_arb_wave(std::string path)
{
    const int32 r = cfg_drv_load_user_arb_wave(channel, path);
    wave_name = path;
    set_arb_wave_source(SOURCE_USER);
    copy_user_wave_to_storage(path);
    return r;
}

std::string &cfg_bswv_arb_t::get_arb_wave_name()
{
    return wave_name;
}

void cfg_bswv_arb_t::delete_arb_wave_files(std::string path)
{
    const std::string::size_type pos = path.rfind(".bin");
    if (pos == std::string::npos)
        return;
    const std::string info = path.substr(0, pos) + ".info";
    gos_printf("rm -f %s\n", info.c_str());
    std::error_code error;
    // Only a regular file goes; a folder of that name stays, as rm -f leaves it.
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(info, error)))
        std::filesystem::remove(info, error);
    ::sync();
}

int32 cfg_bswv_arb_t::set_arb_wave_index(int32 index)
{
    set_arb_wave_source(SOURCE_BUILTIN);
    wave_index = index;
    wave_name.clear();
    return 1;
}

int32 cfg_bswv_arb_t::get_arb_wave_source()
{
    return wave_source;
}

int32 cfg_bswv_arb_t::set_arb_wave_source(int32 source)
{
    wave_source = source;
    return 1;
}

void cfg_bswv_arb_t::copy_user_wave_to_storage(const std::string &path)
{
    const std::string &root = storage_root();
    if (path.compare(0, root.size(), root) != 0 || path.size() < root.size())
        return;
    const std::string::size_type slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.find(".bin") == std::string::npos)
        return;
    const std::string dest = std::string(COPY_DIR) + name;
    gos_printf("cp %s %s\n", path.c_str(), dest.c_str());
    // A missing source or an unwritable folder fails quietly, as the ignored command
    // status did.
    std::error_code error;
    std::filesystem::copy_file(path, dest, std::filesystem::copy_options::overwrite_existing, error);
    ::sync();
    delete_arb_wave_files(dest);
}
