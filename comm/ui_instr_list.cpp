#include "ui_instr_list.h"

#include "drv_device_comm.h"

ui_instr_list_t::ui_instr_list_t() : usb_count(0) {}

void ui_instr_list_t::refresh_instr_list(int type)
{
    if (type != 2)
        refresh_usb();
    if (type != 1)
        refresh_tcpip();
    awg_list = usb_awg_list;
    awg_list.insert(awg_list.end(), tcpip_awg_list.begin(), tcpip_awg_list.end());
    scope_list = usb_scope_list;
    scope_list.insert(scope_list.end(), tcpip_scope_list.begin(), tcpip_scope_list.end());
}

// Every USB resource is probed twice: once as a generator, once as an oscilloscope.
void ui_instr_list_t::refresh_usb()
{
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    std::vector<awg_prod_info_t> awgs;
    comm->identify_awgs_from_list(awgs, usb_resources);
    usb_awg_list = std::move(awgs);
    std::vector<scope_prod_info_t> scopes;
    comm->identify_scopes_from_list(scopes, usb_resources);
    usb_scope_list = std::move(scopes);
}

// The flags are recomputed from scratch: each probe sets the flag of what it found.
void ui_instr_list_t::refresh_tcpip()
{
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    reset_tcpip_flags();
    std::vector<awg_prod_info_t> awgs;
    comm->identify_awgs(tcpip_resources, awgs);
    tcpip_awg_list = std::move(awgs);
    std::vector<scope_prod_info_t> scopes;
    comm->identify_scopes(tcpip_resources, scopes);
    tcpip_scope_list = std::move(scopes);
}

void ui_instr_list_t::reset_tcpip_flags()
{
    for (auto &entry : tcpip_resources)
        entry.second = false;
}
