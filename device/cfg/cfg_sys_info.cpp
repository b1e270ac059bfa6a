// cfg_sys_info_t: the serial-number set-up.
#include "cfg_sys_info.h"

#include "lib_instance_slot.h"
#include "gos.h"

#include <algorithm>
#include <cstring>

namespace
{
const char DEFAULT_SERIAL[] = "0123456789";
const char SERIAL_KEY[] = "Serial Num";
} // namespace

namespace
{
lib_instance_slot_t<cfg_sys_info_t> s_sys_info;
} // namespace

cfg_sys_info_t *cfg_sys_info_t::get_instance()
{
    return s_sys_info.get();
}

void cfg_sys_info_t::reset_instance()
{
    s_sys_info.reset();
}

cfg_serial_item_t cfg_sys_info_t::make_serial_item(const std::string &serial)
{
    cfg_serial_item_t item;
    std::memcpy(item.key, SERIAL_KEY, sizeof SERIAL_KEY);
    std::memcpy(item.value, serial.data(), std::min(serial.size(), sizeof item.value - 1));
    return item;
}

cfg_version_record_t cfg_sys_info_t::make_serial_version(const std::string &serial)
{
    cfg_version_record_t record;
    record.kind = 7;
    std::memcpy(record.ver_name, serial.data(), std::min(serial.size(), sizeof record.ver_name - 1));
    return record;
}

int32 cfg_sys_info_t::put_serial_item(std::string serial)
{
    make_serial_item(serial);
    gos_printf("%zu\n", serial.size());
    return 0;
}

int32 cfg_sys_info_t::put_serial_version(std::string serial)
{
    make_serial_version(serial);
    return 0;
}

void cfg_sys_info_t::set_default_serial()
{
    put_serial_version(DEFAULT_SERIAL);
    put_serial_item(DEFAULT_SERIAL);
}

int32 cfg_sys_info_t::set_serial(const std::string &serial)
{
    put_serial_item(serial);
    put_serial_version(serial);
    return 0;
}

int32 cfg_sys_info_t::reset_serial(std::string &serial)
{
    serial = DEFAULT_SERIAL;
    put_serial_version(serial);
    put_serial_item(serial);
    return 0;
}
