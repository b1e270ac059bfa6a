#pragma once
// cfg_sys_version_t: the start-up step of products whose driver start-up answers true
// (never the module): the default serial, then the version records (the build stamp,
// and the four values the driver reports). The records live only inside the step;
// the operations hand them back so that callers can see what was composed.
#include "lib_types.h"

#include <array>
#include <string>

constexpr size_t CFG_VERSION_NAME_SIZE = 300;

// One version record: kind 1 software, 3 to 6 driver-reported values, 7 the serial.
struct cfg_version_record_t
{
    int32 kind = 0;
    int32 reserved = 0;
    char ver_name[CFG_VERSION_NAME_SIZE] = {};
};

// A value's text: lower-case hexadecimal, at least two digits.
std::string cfg_version_value_text(int32 value);

template <typename T>
class lib_instance_slot_t;

class cfg_sys_version_t
{
public:
    static cfg_sys_version_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    friend class lib_instance_slot_t<cfg_sys_version_t>;
    static void reset_instance();

public:
    // Driver hooks, the default serial, the software and driver version records; 1.
    int32 init_config_data();
    // The kind-1 record with "<build date>, <build time>" (empty when the text does not
    // fit, with two lines saying so).
    cfg_version_record_t set_soft_version();
    // The record of the text; too long a text leaves ver_name empty.
    static cfg_version_record_t make_record(int32 kind, const std::string &text);
    cfg_version_record_t set_version_field(int32 kind, int32 value);
    // Kinds 3, 5, 6 and 4, in this order.
    std::array<cfg_version_record_t, 4> set_driver_versions();
    // The default serial set-up alone, and the driver's two version hooks.
    void set_default_serial();
    void begin_sys_info();
    void end_sys_info();

    cfg_sys_version_t(const cfg_sys_version_t &) = delete;
    cfg_sys_version_t &operator=(const cfg_sys_version_t &) = delete;

private:
    cfg_sys_version_t() = default;
};
