// drv_wave_data_t: construction, the wave table, the start-up load, file and resource
// reads and the lookups. Synthesis and resampling are in drv_wave_data_synth.cpp, the
// wave-memory writes in drv_wave_data_load.cpp.
#include "drv_wave_data.h"

#include "drv_wave_dir.h"
#include "drv_wave_table.h"
#include "gos.h"
#include "gos_resource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

namespace {

std::string &drv_wave_dir_override()
{
    static std::string dir;
    return dir;
}

std::set<uint16> &drv_hidden_resources()
{
    static std::set<uint16> hidden;
    return hidden;
}

// The working directory as text, or an empty text when it is unknown.
std::string drv_working_dir()
{
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string();
}

// The library is built for x86-64 only (lib_types.h), so little-endian samples are
// the machine's own and copy as they are.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "wave files hold little-endian samples");

// An open wave file, closed when it goes out of scope.
class drv_wave_file_t
{
public:
    // Opens only regular files: on this platform a directory opens too, and a pipe
    // would block the caller.
    explicit drv_wave_file_t(const std::string &path)
    {
        _fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (_fd < 0)
            return;
        struct stat info;
        if (::fstat(_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(_fd);
            _fd = -1;
            return;
        }
        _size = static_cast<uint64>(info.st_size);
    }
    ~drv_wave_file_t()
    {
        if (_fd >= 0)
            ::close(_fd);
    }
    drv_wave_file_t(const drv_wave_file_t &) = delete;
    drv_wave_file_t &operator=(const drv_wave_file_t &) = delete;

    bool is_open() const { return _fd >= 0; }
    // Length in bytes.
    uint64 size() const { return _size; }
    // Reads exactly count bytes from the start; false when fewer arrive.
    bool read_all(void *buffer, std::size_t count)
    {
        auto *out = static_cast<unsigned char *>(buffer);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(_fd, out + done, count - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int _fd = -1;
    uint64 _size = 0;
};

} // namespace

void drv_wave_data_set_wave_dir(const std::string &dir)
{
    drv_wave_dir_override() = dir;
}

void drv_wave_data_hide_resource(uint16 resource_id, bool hidden)
{
    if (hidden)
        drv_hidden_resources().insert(resource_id);
    else
        drv_hidden_resources().erase(resource_id);
}

drv_wave_data_t::drv_wave_data_t()
{
    init();
}

drv_wave_data_t::~drv_wave_data_t() = default;

int32 drv_wave_data_t::get_dds_wave_len() { return 16384; }
int32 drv_wave_data_t::get_max_wave_len() { return 8388608; }
int32 drv_wave_data_t::get_max_sample() { return 32767; }
int32 drv_wave_data_t::get_min_sample() { return -32768; }

void drv_wave_data_t::init()
{
    init_paths();
    init_wave_names();
    load_all_waves();
    load_default_waves();
}

void drv_wave_data_t::init_paths()
{
    const std::string &override_dir = drv_wave_dir_override();
    _wave_dir = override_dir.empty() ? std::string(DRV_WAVE_DIR) : override_dir;
    _user_dir = drv_working_dir() + "/usr/usr/";
}

void drv_wave_data_t::init_wave_names()
{
    for (const drv_wave_entry_t &entry : DRV_WAVE_TABLE)
        add_wave_name(entry.id, entry.name);
}

void drv_wave_data_t::add_wave_name(int32 id, const std::string &name)
{
    _id_name_map[id] = name;
    _name_id_map[name] = id;
}

void drv_wave_data_t::load_all_waves()
{
    std::set<std::string> from_resource;
    for (const drv_resource_wave_t &resource : DRV_RESOURCE_WAVES) {
        load_resource_wave(resource.resource_id, _wave_map[resource.name]);
        from_resource.insert(resource.name);
    }
    for (const drv_wave_entry_t &entry : DRV_WAVE_TABLE) {
        const std::string name = entry.name;
        if (name.empty() || from_resource.count(name) != 0)
            continue;
        read_wave_file(_wave_dir + name, _wave_map[name]);
        if (entry.id == 140) {
            const std::string extra = DRV_WAVE_EXTRA_NAME;
            read_wave_file(_wave_dir + extra, _wave_map[extra]);
        }
    }
}

void drv_wave_data_t::load_default_waves()
{
    const std::string name = get_wave_name(2);
    get_wave_data_by_name(name, _arb_wave[0]);
    get_wave_data_by_name(name, _arb_wave[1]);
}

int32 drv_wave_data_t::load_resource_wave(uint16 resource_id, std::vector<int16> &out)
{
    if (drv_hidden_resources().count(resource_id) != 0)
        return WAVE_NO_RESOURCE;
    const void *data = nullptr;
    u32 size = 0;
    if (gos_find_resource(resource_id, DRV_RESOURCE_WAVE_TYPE, &data, &size) != 1 || !data)
        return WAVE_NO_RESOURCE;
    const uint64 count = size / 2;
    if (count > static_cast<uint64>(get_max_wave_len()))
        return WAVE_NO_RESOURCE;
    out.resize(static_cast<std::size_t>(count));
    if (count != 0)
        std::memcpy(out.data(), data, out.size() * sizeof(int16));
    return 0;
}

int32 drv_wave_data_t::read_wave_file(const std::string &path, std::vector<int16> &out)
{
    drv_wave_file_t file(path);
    if (!file.is_open())
        return WAVE_CANNOT_OPEN;
    const int64 limit = get_max_wave_len();
    const uint64 count = file.size() / 2;
    if (limit < 0 || count > static_cast<uint64>(limit))
        return WAVE_TOO_LONG;
    std::vector<int16> samples(static_cast<std::size_t>(count));
    // A file that delivers less than its length would leave samples undefined.
    if (!file.read_all(samples.data(), samples.size() * sizeof(int16)))
        return WAVE_CANNOT_OPEN;
    out.swap(samples);
    return WAVE_READ_OK;
}

const std::string &drv_wave_data_t::get_wave_name(int32 id)
{
    auto it = _id_name_map.find(id);
    if (it != _id_name_map.end())
        return it->second;
    static const std::string none;
    return _id_name_map.empty() ? none : _id_name_map.begin()->second;
}

int32 drv_wave_data_t::find_wave(const std::string &name, int32 *id)
{
    auto it = _name_id_map.find(name);
    if (it == _name_id_map.end())
        return 0;
    if (id)
        *id = it->second;
    return 1;
}

int32 drv_wave_data_t::get_wave_data_by_name(const std::string &name, std::vector<int16> &out)
{
    auto it = _wave_map.find(name);
    if (it != _wave_map.end()) {
        out = it->second;
        return 1;
    }
    out.clear();
    return read_wave_file(_user_dir + name, out) < 0 ? WAVE_NOT_FOUND : 1;
}

void drv_wave_data_t::get_builtin_wave(int32 id, std::vector<int16> &out, float symmetry)
{
    if (id == WAVE_ID_RAMP) {
        out.clear();
        make_ramp_wave(static_cast<long double>(symmetry), get_dds_wave_len(), out);
        return;
    }
    get_wave_data_by_name(get_wave_name(id), out);
}

int32 drv_wave_data_t::load_builtin_wave(int32 ch, int32 id)
{
    if (!is_channel(ch))
        return 0;
    get_builtin_wave(id, _arb_wave[ch], 0.0f);
    return 1;
}

int32 drv_wave_data_t::load_user_wave_file(int32 ch, const std::string &path)
{
    if (!is_channel(ch))
        return 0;
    return read_wave_file(path, _arb_wave[ch]);
}

void drv_wave_data_t::get_arb_wave(int32 ch, int32 mode, std::vector<int16> &out)
{
    if (!is_channel(ch))
        return;
    if (mode == 1) {
        out = _arb_wave[ch];
    } else if (mode == 0) {
        out.clear();
        resample(get_dds_wave_len(), _arb_wave[ch], out);
    }
}

void drv_wave_data_t::get_resampled_wave_by_name(const std::string &name, int32 n, std::vector<int16> &out)
{
    std::vector<int16> wave;
    get_wave_data_by_name(name, wave);
    out.clear();
    resample(n, wave, out);
}

int32 drv_wave_data_t::get_wave_len(int32 ch, int32 mode)
{
    if (mode == 0)
        return get_dds_wave_len();
    if (mode == 1)
        return is_channel(ch) ? static_cast<int32>(_arb_wave[ch].size()) : 0;
    return 1;
}

void drv_add_absolute_path(std::string &path)
{
    const std::string cwd = drv_working_dir();
    if (cwd.empty()) {
        gos_printf("drv_add_absolute_path\n");
        path = "config/arb/" + path;
        return;
    }
    // The directory's text needs its separator before "config/arb/".
    path = cwd + "/config/arb/" + path;
}
