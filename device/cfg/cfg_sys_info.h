#pragma once
// cfg_sys_info_t: the serial-number set-up. A serial travels in a key-value item keyed
// "Serial Num" and in a version record of kind 7; both are filled in the operation's
// scope, and the only outside effect is one line with the serial's length. A serial
// longer than a record's field is cut to fit it.
#include "cfg_sys_version.h"
#include "lib_types.h"

#include <string>

struct cfg_serial_item_t
{
    char key[20] = {};
    char value[100] = {};
};

template <typename T>
class lib_instance_slot_t;

class cfg_sys_info_t
{
public:
    static cfg_sys_info_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    friend class lib_instance_slot_t<cfg_sys_info_t>;
    static void reset_instance();

public:
    // The item of a serial: at most 99 characters, always terminated.
    static cfg_serial_item_t make_serial_item(const std::string &serial);
    // The kind-7 record of a serial: at most 299 characters, always terminated.
    static cfg_version_record_t make_serial_version(const std::string &serial);
    // Fills the item and prints the serial's length; 0.
    int32 put_serial_item(std::string serial);
    int32 put_serial_version(std::string serial);
    // Both with "0123456789".
    void set_default_serial();
    int32 set_serial(const std::string &serial);
    // "0123456789" into serial, then both; 0.
    int32 reset_serial(std::string &serial);

    cfg_sys_info_t(const cfg_sys_info_t &) = delete;
    cfg_sys_info_t &operator=(const cfg_sys_info_t &) = delete;

private:
    cfg_sys_info_t() = default;
};
