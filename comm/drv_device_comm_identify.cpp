// Identification of the channel: the probes that turn resource names into identity
// records of generators and oscilloscopes.
#include "drv_device_comm.h"

#include "instr_model_class.h"
#include "instr_reply.h"

#include <cstring>

namespace {

constexpr uint32 k_idn_capacity = 256;
constexpr double k_probe_pause_ms = 100;

std::string manufacturer_of(const std::string &first_field)
{
    if (first_field.find('*') != std::string::npos || first_field.find("Korvane") != std::string::npos)
        return "Korvane";
    return first_field;
}

// Model, serial number and firmware: fields 2 to 4 of an identity answer.
template <typename R>
void take_model_fields(const std::vector<std::string> &fields, R &info)
{
    info.model = fields[1];
    info.serial_number = fields[2];
    info.firmware = fields[3];
}

// The fields of an identity answer from a resource whose product check passed, with
// the maker, model, serial number and firmware taken into the record; false when the
// check failed or the answer has fewer than four fields.
template <typename R>
bool take_checked_identity(bool product_ok, const std::string &idn, R &info, std::vector<std::string> &fields)
{
    if (!product_ok)
        return false;
    fields = instr_split_fields(idn);
    if (fields.size() < 4)
        return false;
    info.manufacturer = manufacturer_of(fields[0]);
    take_model_fields(fields, info);
    return true;
}

// Reads one reply of at most 256 bytes: the count (the reply holds exactly those bytes)
// or -1.
int32 read_reply(drv_device_comm_t *comm, ViSession session, std::string &reply)
{
    char buffer[k_idn_capacity];
    int32 n = comm->read_data(session, buffer, k_idn_capacity);
    reply.assign(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    return n;
}

// Probes every resource of the map in key order, appending a record and setting the
// flag of each one the probe accepts: the number of records afterwards.
template <typename R, typename Probe>
int32 identify_map(std::map<std::string, bool> &resources, std::vector<R> &records, Probe probe)
{
    for (auto &entry : resources) {
        R info;
        if (probe(entry.first, info)) {
            records.push_back(info);
            entry.second = true;
        }
    }
    return static_cast<int32>(records.size());
}

// The same over a list, without flags: -1 for an empty list.
template <typename R, typename Probe>
int32 identify_list(const std::vector<std::string> &resources, std::vector<R> &records, Probe probe)
{
    if (resources.empty())
        return -1;
    for (const std::string &resource : resources) {
        R info;
        if (probe(resource, info))
            records.push_back(info);
    }
    return static_cast<int32>(records.size());
}

} // namespace

bool drv_device_comm_t::probe_awg(const std::string &resource, awg_prod_info_t &info)
{
    ViSession session = 0;
    if (!open_for_probe(resource, session))
        return false;
    std::string first, priv;
    int32 n_first = probe_query(session, "*IDN?", first);
    int32 n_priv = probe_query(session, "IDN-KRVN-AWG?", priv);
    close_instr(session);
    sleep_ms(k_probe_pause_ms);

    if (n_first < 1 && n_priv < 1)
        return false;
    info = awg_prod_info_t();
    info.addr_res = resource;
    if (n_priv < 1)
        return parse_awg_idn(first, info) == 0;
    return parse_private_awg_idn(first, priv, info) == 0;
}

bool drv_device_comm_t::probe_scope(const std::string &resource, scope_prod_info_t &info)
{
    ViSession session = 0;
    if (!open_for_probe(resource, session))
        return false;
    std::string idn;
    int32 n = probe_query(session, "*IDN?", idn);
    close_instr(session);
    sleep_ms(k_probe_pause_ms);

    if (n < 1)
        return false;
    info = scope_prod_info_t();
    info.addr_res = resource;
    return parse_scope_idn(idn, info) == 0;
}

bool drv_device_comm_t::open_for_probe(const std::string &resource, ViSession &session)
{
    // A failed open leaves no session to talk to or close; the pauses stay the same.
    session = 0;
    ViStatus opened = open_instr(resource, session);
    sleep_ms(k_probe_pause_ms);
    if (opened >= 0)
        return true;
    sleep_ms(k_probe_pause_ms);
    return false;
}

int32 drv_device_comm_t::probe_query(ViSession session, const char *query, std::string &reply)
{
    write_cmd(session, query, static_cast<uint32>(std::strlen(query)));
    sleep_ms(k_probe_pause_ms);
    int32 n = read_reply(this, session, reply);
    sleep_ms(k_probe_pause_ms);
    return n;
}

bool drv_device_comm_t::check_product(const std::string &resource, std::string &product, bool scope)
{
    ViSession session = 0;
    ViStatus opened = open_instr(resource, session);
    sleep_ms(k_probe_pause_ms);
    std::string reply;
    if (opened < 0) {
        // The write's own pause, the pause after it and the one after the failed read.
        sleep_ms(k_probe_pause_ms);
        sleep_ms(k_probe_pause_ms);
        sleep_ms(k_probe_pause_ms);
        return false;
    }
    write_cmd(session, "PROD?", 5);
    sleep_ms(k_probe_pause_ms);
    int32 n = read_reply(this, session, reply);
    sleep_ms(k_probe_pause_ms);
    close_instr(session);
    if (n < 1)
        return false;

    std::vector<std::string> fields = instr_split_fields(reply);
    if (fields.size() < 2)
        return false;
    const std::string &name = fields[1];
    bool found = scope ? name.find("OVT") != std::string::npos || name.find("YMT") != std::string::npos
                       : name.find("ZQW") != std::string::npos;
    if (found)
        product = name;
    return found;
}

bool drv_device_comm_t::check_awg_product(const std::string &resource, std::string &product)
{
    return check_product(resource, product, false);
}

bool drv_device_comm_t::check_scope_product(const std::string &resource, std::string &product)
{
    return check_product(resource, product, true);
}

int32 drv_device_comm_t::parse_awg_idn(const std::string &idn, awg_prod_info_t &info)
{
    std::string product;
    std::vector<std::string> f;
    if (!take_checked_identity(check_awg_product(info.addr_res, product), idn, info, f))
        return -1;
    info.extra = f.size() >= 5 ? f[4] : std::string();
    if (!info.extra.empty() && (info.extra.back() == '\n' || info.extra.back() == ' '))
        info.extra.pop_back();
    info.model_class = get_awg_model_class(product);
    return 0;
}

int32 drv_device_comm_t::parse_private_awg_idn(const std::string &idn, const std::string &private_idn,
                                               awg_prod_info_t &info)
{
    std::vector<std::string> p = instr_split_fields(private_idn);
    if (p.size() < 4)
        return -1;
    info.manufacturer = manufacturer_of(p[0]);
    if (p[1] != " ") {
        take_model_fields(p, info);
    } else {
        std::vector<std::string> f = instr_split_fields(idn);
        if (f.size() < 4)
            return -1;
        take_model_fields(f, info);
    }
    info.extra.clear();
    int32 model_class = get_private_awg_model_class(info.model);
    if (model_class == 11)
        return -1;
    info.model_class = model_class;
    return 0;
}

int32 drv_device_comm_t::parse_scope_idn(const std::string &idn, scope_prod_info_t &info)
{
    std::string product;
    std::vector<std::string> f;
    if (!take_checked_identity(check_scope_product(info.addr_res, product), idn, info, f))
        return -1;
    info.model_class = scope_model_family(product);
    return 0;
}

int32 drv_device_comm_t::identify_awgs(std::map<std::string, bool> &resources, std::vector<awg_prod_info_t> &awgs)
{
    return identify_map(resources, awgs, [this](const std::string &r, awg_prod_info_t &i) { return probe_awg(r, i); });
}

int32 drv_device_comm_t::identify_scopes(std::map<std::string, bool> &resources,
                                         std::vector<scope_prod_info_t> &scopes)
{
    return identify_map(resources, scopes,
                        [this](const std::string &r, scope_prod_info_t &i) { return probe_scope(r, i); });
}

int32 drv_device_comm_t::identify_awgs_from_list(std::vector<awg_prod_info_t> &awgs,
                                                 std::vector<std::string> resources)
{
    return identify_list(resources, awgs, [this](const std::string &r, awg_prod_info_t &i) { return probe_awg(r, i); });
}

int32 drv_device_comm_t::identify_scopes_from_list(std::vector<scope_prod_info_t> &scopes,
                                                   std::vector<std::string> resources)
{
    return identify_list(resources, scopes,
                         [this](const std::string &r, scope_prod_info_t &i) { return probe_scope(r, i); });
}

int32 drv_device_comm_t::copy_awg_records(const std::vector<awg_prod_info_t> &src, std::vector<awg_prod_info_t> &dst)
{
    dst = src;
    return 0;
}

int32 drv_device_comm_t::find_and_identify_awgs(std::vector<awg_prod_info_t> &awgs)
{
    std::vector<std::string> resources;
    find_usb_resources(resources);
    return identify_awgs_from_list(awgs, resources);
}

int32 drv_device_comm_t::find_and_identify_scopes(std::vector<scope_prod_info_t> &scopes)
{
    std::vector<std::string> resources;
    find_usb_resources(resources);
    return identify_scopes_from_list(scopes, resources);
}

int32 drv_device_comm_t::find_and_identify_all(std::vector<awg_prod_info_t> &awgs,
                                               std::vector<scope_prod_info_t> &scopes)
{
    find_and_identify_awgs(awgs);
    find_and_identify_scopes(scopes);
    return 0;
}

int32 drv_device_comm_t::query_private_id(ViSession session, char *buffer)
{
    write_cmd(session, "IDN-KRVN-PRI?", 13);
    sleep_ms(k_probe_pause_ms);
    return read_data(session, buffer, 32);
}
