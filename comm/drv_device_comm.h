#pragma once
#include "awg_prod_info.h"
#include "lib_types.h"
#include "scope_prod_info.h"
#include "usb_tmc.h"

#include <map>
#include <string>
#include <vector>

// The one VISA channel of the process. Callers open a session per instrument, pass it
// to every write, read and time-out call and close it themselves; every write is
// followed by a 100 ms pause. Identification turns resource names into identity records.
class drv_device_comm_t : public UsbTmc
{
public:
    // The process-wide channel; the first call opens the resource manager.
    static drv_device_comm_t *get_instance();
    ~drv_device_comm_t() override;

    ViStatus open_instr(std::string resource, ViSession &session);
    ViStatus close_instr(ViSession session);
    // 1 when written, 0 when the write failed; returns after the 100 ms pause.
    int32 write_cmd(ViSession session, const char *data, uint32 length);
    // The number of bytes received, or -1 unless the read ended with VI_SUCCESS (a
    // reply longer than the capacity fails too).
    int32 read_data(ViSession session, char *buffer, uint32 capacity);
    ViStatus set_timeout(ViSession session, uint32 ms);
    uint32 get_timeout(ViSession session);
    // Pauses for the value truncated to whole milliseconds.
    void sleep_ms(double ms);
    // Appends the USB resources found: 1, or 101 when the search failed.
    int32 find_usb_resources(std::vector<std::string> &resources);
    int32 reopen_rm();

    // Identification. The map goes from resource name to an identified flag.
    int32 identify_awgs(std::map<std::string, bool> &resources, std::vector<awg_prod_info_t> &awgs);
    int32 identify_scopes(std::map<std::string, bool> &resources, std::vector<scope_prod_info_t> &scopes);
    // -1 for an empty list, otherwise the number of records afterwards.
    int32 identify_awgs_from_list(std::vector<awg_prod_info_t> &awgs, std::vector<std::string> resources);
    int32 identify_scopes_from_list(std::vector<scope_prod_info_t> &scopes, std::vector<std::string> resources);
    int32 copy_awg_records(const std::vector<awg_prod_info_t> &src, std::vector<awg_prod_info_t> &dst);
    bool check_awg_product(const std::string &resource, std::string &product);
    bool check_scope_product(const std::string &resource, std::string &product);
    // 0 when the record is valid, -1 when rejected; `info.addr_res` is set beforehand.
    int32 parse_awg_idn(const std::string &idn, awg_prod_info_t &info);
    int32 parse_private_awg_idn(const std::string &idn, const std::string &private_idn, awg_prod_info_t &info);
    int32 parse_scope_idn(const std::string &idn, scope_prod_info_t &info);
    int32 find_and_identify_awgs(std::vector<awg_prod_info_t> &awgs);
    int32 find_and_identify_scopes(std::vector<scope_prod_info_t> &scopes);
    int32 find_and_identify_all(std::vector<awg_prod_info_t> &awgs, std::vector<scope_prod_info_t> &scopes);
    // Asks "IDN-KRVN-PRI?" and reads at most 32 bytes into `buffer`: the count or -1.
    int32 query_private_id(ViSession session, char *buffer);

private:
    drv_device_comm_t();
    drv_device_comm_t(const drv_device_comm_t &) = delete;
    drv_device_comm_t &operator=(const drv_device_comm_t &) = delete;

    bool probe_awg(const std::string &resource, awg_prod_info_t &info);
    bool probe_scope(const std::string &resource, scope_prod_info_t &info);
    bool check_product(const std::string &resource, std::string &product, bool scope);
    // Opens a resource to probe it, with the probe's pauses: false when it cannot be.
    bool open_for_probe(const std::string &resource, ViSession &session);
    // Writes a query and reads its reply (at most 256 bytes), with the probe's pauses:
    // the count received or -1.
    int32 probe_query(ViSession session, const char *query, std::string &reply);
};
