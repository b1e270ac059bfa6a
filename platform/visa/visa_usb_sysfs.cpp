#include "visa_usb_sysfs.h"

#include <dirent.h>

#include <fstream>
#include <memory>

namespace {

const char *const k_devices = "/sys/bus/usb/devices";

bool read_line(const std::string &path, std::string &line)
{
    std::ifstream in(path);
    if (!in || !std::getline(in, line))
        return false;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return true;
}

bool read_number(const std::string &path, int &value)
{
    std::string line;
    if (!read_line(path, line))
        return false;
    try {
        value = std::stoi(line);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

struct dir_closer_t
{
    void operator()(DIR *dir) const { closedir(dir); }
};

} // namespace

visa_usb_sysfs_t visa_usb_sysfs_serial(int bus, int address, std::string &serial)
{
    std::unique_ptr<DIR, dir_closer_t> dir(opendir(k_devices));
    if (!dir)
        return visa_usb_sysfs_t::UNKNOWN;
    while (const dirent *entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        // Interfaces ("1-2:1.0") and the dot entries carry no device numbers.
        if (name.empty() || name[0] == '.' || name.find(':') != std::string::npos)
            continue;
        const std::string path = std::string(k_devices) + "/" + name;
        int entry_bus = 0, entry_address = 0;
        if (!read_number(path + "/busnum", entry_bus) || !read_number(path + "/devnum", entry_address) ||
            entry_bus != bus || entry_address != address)
            continue;
        return read_line(path + "/serial", serial) ? visa_usb_sysfs_t::FOUND : visa_usb_sysfs_t::NONE;
    }
    return visa_usb_sysfs_t::UNKNOWN;
}
