#include "drv_arb_wave.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"
#include "drv_wave_data.h"
#include "drv_wave_ram.h"
#include "drv_wave_table.h"
#include "gos.h"
#include "lib_file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t DRV_STAMP_LEN = 16;

// Per channel, for the whole process: the name (built-in file name or user path) last
// accepted, and the stamp last seen of a user file.
std::string s_last_name[2];
char s_last_stamp[2][DRV_STAMP_LEN + 1] = {};

drv_wave_data_t *drv_arb_store()
{
    return drv_instance_manage_t::get_instance()->get_wave_data();
}

// The byte length of a regular file, or -1 when the path names none that opens.
int64 drv_regular_file_size(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat info;
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular ? static_cast<int64>(info.st_size) : -1;
}

} // namespace

drv_arb_wave_t::drv_arb_wave_t(drv_fpga_t *fpga, drv_phase_t *phase, drv_freq_t *freq)
    : _fpga(fpga), _phase(phase), _freq(freq)
{
}

int32 drv_arb_wave_t::set_sample_rate_mode(int32 ch, int32 mode)
{
    if (!is_channel(ch))
        return 0;
    _mode[ch] = mode;
    _fpga->set_sample_rate_mode(ch, mode);
    _fpga->set_pulse_mode(ch, 0);
    _fpga->set_noise_mode(ch, 0);
    return 1;
}

int32 drv_arb_wave_t::get_sample_rate_mode(int32 ch)
{
    return _fpga->get_sample_rate_mode(ch);
}

bool drv_arb_wave_t::_is_file_changed(int32 ch, const std::string &path)
{
    char stamp[DRV_STAMP_LEN + 1] = {};
    if (lib_get_file_stamp(path.c_str(), stamp) < 0)
        return false;
    if (std::strncmp(stamp, s_last_stamp[ch], DRV_STAMP_LEN) == 0)
        return false;
    std::memcpy(s_last_stamp[ch], stamp, DRV_STAMP_LEN);
    return true;
}

bool drv_arb_wave_t::_need_reload(int32 ch, const std::string &path, int32 id)
{
    std::string name;
    if (id == WAVE_ID_USER) {
        if (path.empty())
            return false;
        if (_is_file_changed(ch, path)) {
            _dds_reload[ch] = true;
            _sr_reload[ch] = true;
        }
        // Another user file at an unchanged stamp is a new wave too.
        name = path;
    } else {
        name = drv_arb_store()->get_wave_name(id);
    }
    if (name != s_last_name[ch]) {
        s_last_name[ch] = name;
        _dds_reload[ch] = true;
        _sr_reload[ch] = true;
    }
    switch (_fpga->get_sample_rate_mode(ch)) {
    case 0:
        return _dds_reload[ch];
    case 1:
        return _sr_reload[ch];
    default:
        return false;
    }
}

int32 drv_arb_wave_t::set_builtin_wave(int32 ch, int32 id)
{
    if (!is_channel(ch))
        return 0;
    if (!_need_reload(ch, std::string(), id))
        return 0;
    drv_arb_store()->load_builtin_wave(ch, id);
    return 1;
}

int32 drv_arb_wave_t::load_user_wave(int32 ch, const std::string &path)
{
    if (!is_channel(ch))
        return 0;
    const int64 bytes = drv_regular_file_size(path);
    if (bytes < 0)
        return drv_wave_data_t::WAVE_CANNOT_OPEN;
    drv_wave_data_t *store = drv_arb_store();
    const int64 limit = store->get_max_wave_len();
    if (bytes / 2 > limit) {
        gos_printf("%s:file too big !", path.c_str());
        return drv_wave_data_t::WAVE_TOO_LONG;
    }
    if (!_need_reload(ch, path, WAVE_ID_USER))
        return 0;
    return store->load_user_wave_file(ch, path);
}

int32 drv_arb_wave_t::set_builtin_arb_wave(int32 ch, int32 id)
{
    const int32 result = set_builtin_wave(ch, id);
    reload_wave(ch);
    return result;
}

int32 drv_arb_wave_t::load_user_arb_wave(int32 ch, const std::string &path)
{
    const int32 result = load_user_wave(ch, path);
    reload_wave(ch);
    return result;
}

void drv_arb_wave_t::reload_wave(int32 ch)
{
    if (!is_channel(ch))
        return;
    switch (_fpga->get_sample_rate_mode(ch)) {
    case 0:
        _fpga->set_sample_rate_mode(ch, 0);
        _fpga->set_start_offset_load(ch, 1);
        _load_dds_wave(ch);
        _dds_reload[ch] = false;
        break;
    case 1:
        _load_sample_rate_wave(ch);
        _sr_reload[ch] = false;
        _phase->set_phase(_fpga, ch, _phase->get_phase(ch));
        break;
    default:
        break;
    }
}

void drv_arb_wave_t::_load_dds_wave(int32 ch)
{
    drv_wave_data_t *store = drv_arb_store();
    std::vector<int16> wave;
    store->get_arb_wave(ch, 0, wave);
    store->write_wave(ch, wave);
}

void drv_arb_wave_t::_load_sample_rate_wave(int32 ch)
{
    std::vector<int16> wave;
    drv_arb_store()->get_arb_wave(ch, 1, wave);
    drv_instance_manage_t::get_instance()->get_wave_ram()->write_arb_wave(_fpga, _phase, ch, wave);
}

int32 drv_arb_wave_t::set_sample_rate_phase(int32 ch, long double sample_rate, long double phase)
{
    if (!is_channel(ch))
        return 0;
    _phase->set_sample_rate_phase(_fpga, ch, sample_rate, phase);
    return 1;
}

void drv_arb_wave_t::set_sample_rate(int32 ch, long double rate)
{
    _fpga->set_sample_rate(ch, rate);
}

long double drv_arb_wave_t::freq_to_sample_rate(int32 ch, long double hz)
{
    const int32 n = drv_arb_store()->get_wave_len(ch, 1);
    return n == 0 ? 0.0L : hz * n;
}

long double drv_arb_wave_t::sample_rate_to_freq(int32 ch, long double rate)
{
    const int32 n = drv_arb_store()->get_wave_len(ch, 1);
    return n == 0 ? 0.0L : rate / n;
}

void drv_arb_wave_t::reset_flags()
{
    for (int32 ch = 0; ch < 2; ++ch) {
        _dds_reload[ch] = true;
        _sr_reload[ch] = true;
    }
}

void drv_arb_wave_t::set_dds_reload(int32 ch, bool on)
{
    if (is_channel(ch))
        _dds_reload[ch] = on;
}

bool drv_arb_wave_t::get_dds_reload(int32 ch) const
{
    return is_channel(ch) && _dds_reload[ch];
}

void drv_arb_wave_t::set_sr_reload(int32 ch, bool on)
{
    if (is_channel(ch))
        _sr_reload[ch] = on;
}

bool drv_arb_wave_t::get_sr_reload(int32 ch) const
{
    return is_channel(ch) && _sr_reload[ch];
}

void drv_arb_wave_t::set_mode(int32 ch, int32 mode)
{
    if (is_channel(ch))
        _mode[ch] = mode;
}

int32 drv_arb_wave_t::get_mode(int32 ch) const
{
    return is_channel(ch) ? _mode[ch] : 0;
}
