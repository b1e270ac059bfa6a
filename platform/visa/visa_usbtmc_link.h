#pragma once
#include "plat_visa.h"
#include "visa_usbtmc_io.h"
#include "visa_usbtmc_port.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

// Where a USB-TMC interface sits on its device.
struct visa_usbtmc_iface_t
{
    std::uint8_t number = 0;
    std::uint8_t bulk_out = 0; // endpoint addresses
    std::uint8_t bulk_in = 0;
    std::size_t in_packet = 512;
};

// One claimed USB-TMC interface: the open libusb handle, the message layer with its
// tag, and the abort and clear sequences that put the device back in step after a
// failure. Every session to the instrument shares it, and its lock keeps their
// transfers from interleaving. Destroying it releases the interface and gives a
// detached kernel driver its interface back.
class visa_usbtmc_link_t : public visa_usbtmc_port_t
{
    // Only open makes links.
    struct key_t
    {
        explicit key_t() = default;
    };

public:
    // Opens the device, detaches a kernel driver that holds the interface, claims it,
    // reads the capabilities and clears both endpoints' halts. `resource` names the
    // instrument in the log line a refused open writes.
    static ViStatus open(std::shared_ptr<libusb_context> context, libusb_device *device,
                         const visa_usbtmc_iface_t &iface, const std::string &resource,
                         std::shared_ptr<visa_usbtmc_link_t> &link);
    visa_usbtmc_link_t(key_t, std::shared_ptr<libusb_context> context, libusb_device_handle *handle,
                       const visa_usbtmc_iface_t &iface);
    ~visa_usbtmc_link_t() override;
    visa_usbtmc_link_t(const visa_usbtmc_link_t &) = delete;
    visa_usbtmc_link_t &operator=(const visa_usbtmc_link_t &) = delete;

    // The operations of a VISA session (visa_session.h). A time-out applies to each
    // bulk transfer; after one the transfer is aborted on the device as well.
    ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms);
    ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms);
    ViStatus clear(ViUInt32 timeout_ms);

    // True once the device has left the bus: nothing on this link works any more.
    bool lost() const { return m_lost; }

    visa_usb_xfer_t bulk_out(const std::uint8_t *data, std::size_t size, std::size_t &taken,
                             std::uint32_t timeout_ms) override;
    visa_usb_xfer_t bulk_in(std::uint8_t *data, std::size_t size, std::size_t &got,
                            std::uint32_t timeout_ms) override;
    std::size_t in_packet_size() const override { return m_iface.in_packet; }

private:
    ViStatus finish(visa_usbtmc_end_t end);
    bool class_request(std::uint8_t request_type, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t *in, std::uint16_t length);
    // Polls a CHECK_..._STATUS request while the device answers STATUS_PENDING, reading
    // and dropping its queued IN data when it says there is some. False when the device
    // did not settle with STATUS_SUCCESS.
    bool poll_status(std::uint8_t request_type, std::uint8_t request, std::uint16_t index, std::uint16_t length);
    void abort_bulk_out(std::uint8_t tag);
    void abort_bulk_in(std::uint8_t tag);
    ViStatus device_clear();
    void clear_halt(std::uint8_t endpoint);
    void drain_in();

    std::shared_ptr<libusb_context> m_context;
    libusb_device_handle *m_handle = nullptr;
    visa_usbtmc_iface_t m_iface;
    bool m_claimed = false;
    bool m_detached = false;
    std::array<std::uint8_t, USBTMC_CAPABILITIES_SIZE> m_capabilities{};
    std::atomic<bool> m_lost{false};
    std::mutex m_mutex;
    visa_usbtmc_io_t m_io;
};
