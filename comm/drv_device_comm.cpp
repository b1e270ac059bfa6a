#include "drv_device_comm.h"

#include "lib_sample_conv.h"
#include "plat_sleep.h"

drv_device_comm_t::drv_device_comm_t() { open_default_rm(); }

// The channel lives as long as the process and closes nothing at exit: each session is
// closed by the code that opened it.
drv_device_comm_t::~drv_device_comm_t() = default;

drv_device_comm_t *drv_device_comm_t::get_instance()
{
    static drv_device_comm_t instance;
    return &instance;
}

ViStatus drv_device_comm_t::open_instr(std::string resource, ViSession &session)
{
    return UsbTmc::open(resource, session);
}

ViStatus drv_device_comm_t::close_instr(ViSession session) { return UsbTmc::close(session); }

int32 drv_device_comm_t::write_cmd(ViSession session, const char *data, uint32 length)
{
    return UsbTmc::write(session, data, length);
}

int32 drv_device_comm_t::read_data(ViSession session, char *buffer, uint32 capacity)
{
    uint32 count = 0;
    if (UsbTmc::read(session, buffer, capacity, count) != 1)
        return -1;
    return static_cast<int32>(count);
}

ViStatus drv_device_comm_t::set_timeout(ViSession session, uint32 ms) { return UsbTmc::set_timeout(session, ms); }

uint32 drv_device_comm_t::get_timeout(ViSession session) { return UsbTmc::get_timeout(session); }

void drv_device_comm_t::sleep_ms(double ms)
{
    int whole = lib_to_int_sat(ms);
    plat_sleep_ms(whole > 0 ? static_cast<uint32>(whole) : 0);
}

int32 drv_device_comm_t::find_usb_resources(std::vector<std::string> &resources)
{
    last_status = find_first_usb();
    if (last_status != 0)
        return 101;
    for (ViUInt32 left = find_count; left > 0; --left) {
        resources.emplace_back(rsrc_desc);
        find_next();
    }
    return 1;
}

int32 drv_device_comm_t::reopen_rm() { return UsbTmc::reopen_rm(); }
