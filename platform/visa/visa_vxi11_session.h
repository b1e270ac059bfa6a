#pragma once
#include "visa_rpc_client.h"
#include "visa_session.h"

#include <cstdint>
#include <memory>
#include <string>

// A VISA session over a VXI-11 link: writes go out as device_write calls in chunks of at
// most the server's maxRecvSize, reads as device_read calls until the message ends or
// the capacity is full. Each call waits the session's time-out on the instrument
// (io_timeout) and that plus a margin on the socket. A transport failure or a malformed
// reply ends the link; every later call then reports VI_ERROR_CONN_LOST.
class visa_vxi11_session_t : public visa_session_t
{
public:
    // How much longer than the instrument's own time-out the socket waits.
    static constexpr std::uint32_t k_margin_ms = 1000;

    // Creates the link to the device `lan_device` over a connected core channel.
    static ViStatus create(std::unique_ptr<visa_rpc_client_t> client, const std::string &lan_device,
                           std::uint32_t wait_ms, std::unique_ptr<visa_session_t> &session);
    ~visa_vxi11_session_t() override;

    ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms) override;
    ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms) override;
    ViStatus clear(ViUInt32 timeout_ms) override;

private:
    visa_vxi11_session_t(std::unique_ptr<visa_rpc_client_t> client, std::uint32_t link, std::uint32_t max_chunk);
    // Ends the link when `status` says the connection can no longer be trusted.
    ViStatus transport_failed(ViStatus status);
    // The status of a VXI-11 error reply.
    ViStatus device_error(std::uint32_t error);
    // One device_read of at most `request` bytes into `buf`.
    ViStatus read_once(ViByte *buf, std::uint32_t request, std::uint32_t io_timeout, std::uint32_t &got,
                       std::uint32_t &error, std::uint32_t &reason);

    std::unique_ptr<visa_rpc_client_t> m_client;
    std::uint32_t m_link;
    std::uint32_t m_max_chunk;
};
