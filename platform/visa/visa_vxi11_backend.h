#pragma once
#include "visa_backend.h"

#include <cstdint>

// TCPIP INSTR resources over VXI-11: the open asks the host's portmapper for the core
// channel, connects to it and creates a link to the LAN device ("inst0" unless the name
// gives another). Network instruments cannot be searched for; they are opened by name.
class visa_vxi11_backend_t : public visa_backend_t
{
public:
    // How long the open waits for each connection and for each answer.
    static constexpr std::uint32_t k_connect_ms = 2000;

    void list_resources(std::vector<std::string> &out) override;
    bool claims(const visa_rsrc_name_t &name) override;
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 open_timeout_ms,
                  std::unique_ptr<visa_session_t> &session) override;
};

// The portmapper's port: 111, or the value of ONDRIX_VXI11_PORTMAPPER_PORT when it is
// set (a decimal number from 1 to 65535). False when the variable holds anything else.
bool visa_vxi11_portmapper_port(std::uint16_t &port);
