#include "visa_vxi11_backend.h"

#include "visa_log.h"
#include "visa_rpc_client.h"
#include "visa_vxi11.h"
#include "visa_vxi11_session.h"
#include "visa_xdr.h"

#include <cstdlib>
#include <utility>

namespace {

// Asks the portmapper at host:pmap_port for the TCP port of the VXI-11 core channel.
ViStatus core_port(const std::string &host, std::uint16_t pmap_port, std::uint16_t &port)
{
    visa_rpc_client_t pmap;
    ViStatus st = pmap.connect(host, pmap_port, visa_vxi11_backend_t::k_connect_ms);
    if (st != VI_SUCCESS)
        return st;
    std::string args;
    for (std::uint32_t v : {VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VISA_IPPROTO_TCP, 0u})
        visa_xdr_put_u32(args, v);
    st = pmap.call(VISA_PMAP_PROG, VISA_PMAP_VERS, VISA_PMAP_GETPORT, args, nullptr, 0, 4,
                   visa_deadline_t::after_ms(visa_vxi11_backend_t::k_connect_ms));
    std::uint32_t value = 0;
    if (st == VI_SUCCESS && (st = pmap.stream().read_u32(value)) == VI_SUCCESS)
        st = pmap.finish();
    if (st != VI_SUCCESS)
        return st;
    // 0: the host runs no VXI-11 server.
    if (value == 0)
        return VI_ERROR_RSRC_NFOUND;
    if (value > 0xFFFF)
        return VI_ERROR_IO;
    port = static_cast<std::uint16_t>(value);
    return VI_SUCCESS;
}

} // namespace

bool visa_vxi11_portmapper_port(std::uint16_t &port)
{
    const char *text = std::getenv("ONDRIX_VXI11_PORTMAPPER_PORT");
    if (!text) {
        port = VISA_PMAP_DEFAULT_PORT;
        return true;
    }
    unsigned long value = 0;
    const char *p = text;
    for (; *p >= '0' && *p <= '9' && value <= 0xFFFF; ++p)
        value = value * 10 + static_cast<unsigned long>(*p - '0');
    if (p == text || *p != '\0' || value == 0 || value > 0xFFFF)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

void visa_vxi11_backend_t::list_resources(std::vector<std::string> &) {}

bool visa_vxi11_backend_t::claims(const visa_rsrc_name_t &name) { return name.kind == visa_rsrc_name_t::KIND_TCPIP; }

ViStatus visa_vxi11_backend_t::open(const visa_rsrc_name_t &name, ViUInt32, std::unique_ptr<visa_session_t> &session)
{
    std::uint16_t pmap_port = 0;
    if (!visa_vxi11_portmapper_port(pmap_port)) {
        // A wrong setting fails the open: falling back to 111 could reach a real instrument.
        visa_log(std::string("ONDRIX_VXI11_PORTMAPPER_PORT is not a port number from 1 to 65535: ") +
                 std::getenv("ONDRIX_VXI11_PORTMAPPER_PORT"));
        return VI_ERROR_RSRC_NFOUND;
    }
    std::uint16_t port = 0;
    ViStatus st = core_port(name.host, pmap_port, port);
    if (st != VI_SUCCESS)
        return st;
    auto core = std::make_unique<visa_rpc_client_t>();
    if ((st = core->connect(name.host, port, k_connect_ms)) != VI_SUCCESS)
        return st;
    return visa_vxi11_session_t::create(std::move(core), name.lan_device, k_connect_ms, session);
}
