// cfg_sys_version_t: the version and serial start-up step.
#include "cfg_sys_version.h"

#include "cfg_drv_port.h"
#include "lib_instance_slot.h"
#include "cfg_sys_info.h"
#include "gos.h"

#include <cstdio>
#include <cstring>

std::string cfg_version_value_text(int32 value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02x", static_cast<uint32>(value));
    return text;
}

namespace
{
lib_instance_slot_t<cfg_sys_version_t> s_sys_version;
} // namespace

cfg_sys_version_t *cfg_sys_version_t::get_instance()
{
    return s_sys_version.get();
}

void cfg_sys_version_t::reset_instance()
{
    s_sys_version.reset();
}

int32 cfg_sys_version_t::init_config_data()
{
    cfg_drv_sys_info_begin();
    cfg_sys_info_t::get_instance()->set_default_serial();
    cfg_drv_sys_info_end();
    set_soft_version();
    set_driver_versions();
    return 1;
}

cfg_version_record_t cfg_sys_version_t::make_record(int32 kind, const std::string &text)
{
    cfg_version_record_t record;
    record.kind = kind;
    if (text.size() < CFG_VERSION_NAME_SIZE)
        std::memcpy(record.ver_name, text.data(), text.size());
    return record;
}

cfg_version_record_t cfg_sys_version_t::set_soft_version()
{
    const std::string version = std::string(__DATE__) + ", " + __TIME__;
    if (version.size() >= CFG_VERSION_NAME_SIZE)
    {
        gos_printf("vertion.size() = %zu\n", version.size());
        gos_printf("sizeof(system_soft_version.ver_name) = %zu\n", CFG_VERSION_NAME_SIZE);
    }
    return make_record(1, version);
}

cfg_version_record_t cfg_sys_version_t::set_version_field(int32 kind, int32 value)
{
    return make_record(kind, cfg_version_value_text(value));
}

std::array<cfg_version_record_t, 4> cfg_sys_version_t::set_driver_versions()
{
    std::array<cfg_version_record_t, 4> records;
    const int32 kinds[4] = {3, 5, 6, 4};
    for (size_t i = 0; i < 4; ++i)
        records[i] = set_version_field(kinds[i], cfg_drv_get_version_item(kinds[i]));
    return records;
}

void cfg_sys_version_t::set_default_serial() { cfg_sys_info_t::get_instance()->set_default_serial(); }
void cfg_sys_version_t::begin_sys_info() { cfg_drv_sys_info_begin(); }
void cfg_sys_version_t::end_sys_info() { cfg_drv_sys_info_end(); }
