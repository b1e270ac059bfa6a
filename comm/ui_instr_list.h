#pragma once
#include "awg_prod_info.h"
#include "scope_prod_info.h"

#include <map>
#include <string>
#include <vector>

// The instruments the program can reach: the USB resources of the last accepted scan,
// the TCP/IP resources the user added by hand (each with an identified flag), and the
// generators and oscilloscopes identified among both, USB ones first. It never scans:
// the instrument tree stores each scan here, and identification goes through the
// process-wide VISA channel.
class ui_instr_list_t
{
public:
    ui_instr_list_t();

    std::vector<std::string> &get_usb_resources() { return usb_resources; }
    std::vector<awg_prod_info_t> *get_awg_list() { return &awg_list; }
    std::vector<scope_prod_info_t> *get_scope_list() { return &scope_list; }
    std::vector<awg_prod_info_t> copy_awg_list() const { return awg_list; }
    std::map<std::string, bool> &get_tcpip_resources() { return tcpip_resources; }
    std::vector<awg_prod_info_t> *get_usb_awg_list() { return &usb_awg_list; }
    std::vector<awg_prod_info_t> *get_tcpip_awg_list() { return &tcpip_awg_list; }
    std::vector<scope_prod_info_t> *get_usb_scope_list() { return &usb_scope_list; }
    std::vector<scope_prod_info_t> *get_tcpip_scope_list() { return &tcpip_scope_list; }

    bool is_usb_count_changed(int n) const { return n != usb_count; }
    bool is_usb_count_greater(int n) const { return n > usb_count; }
    void set_usb_count(int n) { usb_count = n; }
    int get_usb_count() const { return usb_count; }

    // Type 1 identifies the USB resources, 2 the TCP/IP ones, 0 (and any other value)
    // both; a part that does not run keeps its previous records. Blocks for the probes.
    void refresh_instr_list(int type);

    void reset_tcpip_flags();
    void set_usb_resources(const std::vector<std::string> &resources) { usb_resources = resources; }
    void set_awg_list(const std::vector<awg_prod_info_t> &list) { awg_list = list; }
    void set_scope_list(const std::vector<scope_prod_info_t> &list) { scope_list = list; }

private:
    void refresh_usb();
    void refresh_tcpip();

    std::vector<std::string> usb_resources;
    std::vector<awg_prod_info_t> awg_list;
    std::vector<awg_prod_info_t> usb_awg_list;
    std::vector<awg_prod_info_t> tcpip_awg_list;
    std::vector<scope_prod_info_t> scope_list;
    std::vector<scope_prod_info_t> usb_scope_list;
    std::vector<scope_prod_info_t> tcpip_scope_list;
    std::map<std::string, bool> tcpip_resources;
    int usb_count;
};
