#include "visa_usbtmc_link.h"

#include "visa_log.h"

#include <libusb.h>

#include <chrono>
#include <cstdio>
#include <new>
#include <thread>
#include <utility>

namespace {

// Class requests of USB-TMC and the status byte their replies start with.
constexpr std::uint8_t k_type_interface_in = 0xA1;
constexpr std::uint8_t k_type_endpoint_in = 0xA2;
constexpr std::uint8_t k_initiate_abort_bulk_out = 1;
constexpr std::uint8_t k_check_abort_bulk_out_status = 2;
constexpr std::uint8_t k_initiate_abort_bulk_in = 3;
constexpr std::uint8_t k_check_abort_bulk_in_status = 4;
constexpr std::uint8_t k_initiate_clear = 5;
constexpr std::uint8_t k_check_clear_status = 6;
constexpr std::uint8_t k_status_success = 0x01;
constexpr std::uint8_t k_status_pending = 0x02;

// A device busy with an abort or clear gets this long per request and for its polling,
// whatever the session's time-out, so recovery never hangs the caller for long.
constexpr unsigned k_recovery_ms = 500;
constexpr auto k_poll_interval = std::chrono::milliseconds(5);

unsigned libusb_timeout(std::uint32_t ms)
{
    if (ms == VI_TMO_INFINITE)
        return 0; // libusb waits for ever
    return ms == 0 ? 1 : ms;
}

visa_usb_xfer_t xfer_result(int code)
{
    switch (code) {
    case LIBUSB_SUCCESS:
        return visa_usb_xfer_t::OK;
    case LIBUSB_ERROR_TIMEOUT:
        return visa_usb_xfer_t::TIMEOUT;
    case LIBUSB_ERROR_PIPE:
        return visa_usb_xfer_t::STALL;
    case LIBUSB_ERROR_NO_DEVICE:
        return visa_usb_xfer_t::GONE;
    default:
        return visa_usb_xfer_t::FAILED;
    }
}

std::string device_node(libusb_device *device)
{
    char node[40];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", libusb_get_bus_number(device),
                  libusb_get_device_address(device));
    return node;
}

} // namespace

visa_usbtmc_link_t::visa_usbtmc_link_t(key_t, std::shared_ptr<libusb_context> context,
                                       libusb_device_handle *handle, const visa_usbtmc_iface_t &iface)
    : m_context(std::move(context)), m_handle(handle), m_iface(iface)
{
}

visa_usbtmc_link_t::~visa_usbtmc_link_t()
{
    if (m_claimed)
        libusb_release_interface(m_handle, m_iface.number);
    if (m_detached)
        libusb_attach_kernel_driver(m_handle, m_iface.number);
    libusb_close(m_handle);
}

ViStatus visa_usbtmc_link_t::open(std::shared_ptr<libusb_context> context, libusb_device *device,
                                  const visa_usbtmc_iface_t &iface, const std::string &resource,
                                  std::shared_ptr<visa_usbtmc_link_t> &link)
{
    link.reset();
    libusb_device_handle *handle = nullptr;
    int code = libusb_open(device, &handle);
    if (code == LIBUSB_ERROR_ACCESS) {
        visa_log(resource + ": no permission to open " + device_node(device) +
                 "; install the udev rule 60-ondrix-usbtmc.rules (run.sh does) and plug the instrument in again");
        return VI_ERROR_NPERMISSION;
    }
    if (code == LIBUSB_ERROR_NO_DEVICE || code == LIBUSB_ERROR_NOT_FOUND)
        return VI_ERROR_RSRC_NFOUND;
    if (code != LIBUSB_SUCCESS)
        return VI_ERROR_SYSTEM_ERROR;

    std::shared_ptr<visa_usbtmc_link_t> opened;
    try {
        opened = std::make_shared<visa_usbtmc_link_t>(key_t(), std::move(context), handle, iface);
    } catch (const std::bad_alloc &) {
        libusb_close(handle);
        return VI_ERROR_SYSTEM_ERROR;
    }

    // The kernel's own USB-TMC driver binds such interfaces; it gets them back at close.
    if (libusb_kernel_driver_active(handle, iface.number) == 1) {
        code = libusb_detach_kernel_driver(handle, iface.number);
        if (code != LIBUSB_SUCCESS) {
            visa_log(resource + ": a kernel driver holds the interface and cannot be detached (" +
                     libusb_error_name(code) + ")");
            return code == LIBUSB_ERROR_NO_DEVICE ? VI_ERROR_RSRC_NFOUND : VI_ERROR_RSRC_BUSY;
        }
        opened->m_detached = true;
    }
    code = libusb_claim_interface(handle, iface.number);
    if (code == LIBUSB_ERROR_BUSY)
        return VI_ERROR_RSRC_BUSY;
    if (code == LIBUSB_ERROR_NO_DEVICE || code == LIBUSB_ERROR_NOT_FOUND)
        return VI_ERROR_RSRC_NFOUND;
    if (code == LIBUSB_ERROR_ACCESS)
        return VI_ERROR_NPERMISSION;
    if (code != LIBUSB_SUCCESS)
        return VI_ERROR_SYSTEM_ERROR;
    opened->m_claimed = true;

    // Some instruments refuse the capability request; they are still usable.
    opened->class_request(k_type_interface_in, USBTMC_REQ_GET_CAPABILITIES, 0, iface.number,
                          opened->m_capabilities.data(), USBTMC_CAPABILITIES_SIZE);
    opened->clear_halt(iface.bulk_out);
    opened->clear_halt(iface.bulk_in);
    if (opened->m_lost)
        return VI_ERROR_RSRC_NFOUND;
    link = std::move(opened);
    return VI_SUCCESS;
}

ViStatus visa_usbtmc_link_t::write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms)
{
    written = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lost)
        return VI_ERROR_CONN_LOST;
    try {
        return finish(m_io.write(*this, buf, count, written, timeout_ms));
    } catch (const std::bad_alloc &) {
        return VI_ERROR_SYSTEM_ERROR;
    }
}

ViStatus visa_usbtmc_link_t::read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms)
{
    got = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lost)
        return VI_ERROR_CONN_LOST;
    try {
        return finish(m_io.read(*this, buf, capacity, got, timeout_ms));
    } catch (const std::bad_alloc &) {
        return VI_ERROR_SYSTEM_ERROR;
    }
}

ViStatus visa_usbtmc_link_t::clear(ViUInt32)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lost)
        return VI_ERROR_CONN_LOST;
    return device_clear();
}

ViStatus visa_usbtmc_link_t::finish(visa_usbtmc_end_t end)
{
    ViStatus status = VI_ERROR_IO;
    switch (end) {
    case visa_usbtmc_end_t::DONE:
        return VI_SUCCESS;
    case visa_usbtmc_end_t::FULL:
        return VI_SUCCESS_MAX_CNT;
    case visa_usbtmc_end_t::OUT_TIMEOUT:
        abort_bulk_out(m_io.last_tag());
        status = VI_ERROR_TMO;
        break;
    case visa_usbtmc_end_t::IN_TIMEOUT:
        abort_bulk_in(m_io.last_tag());
        status = VI_ERROR_TMO;
        break;
    // After a halt the device may still hold the rest of the message: the abort drops it.
    case visa_usbtmc_end_t::OUT_STALL:
        clear_halt(m_iface.bulk_out);
        abort_bulk_out(m_io.last_tag());
        break;
    case visa_usbtmc_end_t::IN_STALL:
        clear_halt(m_iface.bulk_in);
        abort_bulk_in(m_io.last_tag());
        break;
    case visa_usbtmc_end_t::GONE:
        m_lost = true;
        break;
    case visa_usbtmc_end_t::BAD_REPLY:
        // The rest of the broken reply must not be taken for the next one.
        device_clear();
        break;
    case visa_usbtmc_end_t::FAILED:
        break;
    }
    return m_lost ? VI_ERROR_CONN_LOST : status;
}

visa_usb_xfer_t visa_usbtmc_link_t::bulk_out(const std::uint8_t *data, std::size_t size, std::size_t &taken,
                                             std::uint32_t timeout_ms)
{
    int moved = 0;
    int code = libusb_bulk_transfer(m_handle, m_iface.bulk_out, const_cast<std::uint8_t *>(data), static_cast<int>(size),
                                    &moved, libusb_timeout(timeout_ms));
    taken = moved > 0 ? static_cast<std::size_t>(moved) : 0;
    return xfer_result(code);
}

visa_usb_xfer_t visa_usbtmc_link_t::bulk_in(std::uint8_t *data, std::size_t size, std::size_t &got,
                                            std::uint32_t timeout_ms)
{
    int moved = 0;
    int code = libusb_bulk_transfer(m_handle, m_iface.bulk_in, data, static_cast<int>(size), &moved,
                                    libusb_timeout(timeout_ms));
    got = moved > 0 ? static_cast<std::size_t>(moved) : 0;
    return xfer_result(code);
}

bool visa_usbtmc_link_t::class_request(std::uint8_t request_type, std::uint8_t request, std::uint16_t value,
                                       std::uint16_t index, std::uint8_t *in, std::uint16_t length)
{
    int code = libusb_control_transfer(m_handle, request_type, request, value, index, in, length, k_recovery_ms);
    if (code == LIBUSB_ERROR_NO_DEVICE)
        m_lost = true;
    return code == length;
}

bool visa_usbtmc_link_t::poll_status(std::uint8_t request_type, std::uint8_t request, std::uint16_t index,
                                     std::uint16_t length)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(k_recovery_ms);
    std::uint8_t reply[8] = {};
    for (;;) {
        if (!class_request(request_type, request, 0, index, reply, length))
            return false;
        if (reply[0] != k_status_pending)
            return reply[0] == k_status_success;
        // Byte 1 bit 0: the device still has IN data queued, which must be read away.
        if (reply[1] & 1)
            drain_in();
        if (m_lost || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(k_poll_interval);
    }
}

void visa_usbtmc_link_t::abort_bulk_out(std::uint8_t tag)
{
    std::uint8_t reply[2] = {};
    if (!class_request(k_type_endpoint_in, k_initiate_abort_bulk_out, tag, m_iface.bulk_out, reply, sizeof reply) ||
        reply[0] != k_status_success)
        return;
    if (poll_status(k_type_endpoint_in, k_check_abort_bulk_out_status, m_iface.bulk_out, 8))
        clear_halt(m_iface.bulk_out);
}

void visa_usbtmc_link_t::abort_bulk_in(std::uint8_t tag)
{
    std::uint8_t reply[2] = {};
    if (!class_request(k_type_endpoint_in, k_initiate_abort_bulk_in, tag, m_iface.bulk_in, reply, sizeof reply) ||
        reply[0] != k_status_success)
        return;
    poll_status(k_type_endpoint_in, k_check_abort_bulk_in_status, m_iface.bulk_in, 8);
}

ViStatus visa_usbtmc_link_t::device_clear()
{
    std::uint8_t reply[1] = {};
    bool cleared = class_request(k_type_interface_in, k_initiate_clear, 0, m_iface.number, reply, sizeof reply) &&
                   reply[0] == k_status_success &&
                   poll_status(k_type_interface_in, k_check_clear_status, m_iface.number, 2);
    if (cleared)
        clear_halt(m_iface.bulk_out);
    if (m_lost)
        return VI_ERROR_CONN_LOST;
    return cleared ? VI_SUCCESS : VI_ERROR_IO;
}

void visa_usbtmc_link_t::clear_halt(std::uint8_t endpoint)
{
    if (libusb_clear_halt(m_handle, endpoint) == LIBUSB_ERROR_NO_DEVICE)
        m_lost = true;
}

void visa_usbtmc_link_t::drain_in()
{
    std::uint8_t scrap[4096];
    const std::size_t length = sizeof scrap / m_iface.in_packet * m_iface.in_packet;
    std::size_t got = 0;
    if (length && bulk_in(scrap, length, got, k_recovery_ms) == visa_usb_xfer_t::GONE)
        m_lost = true;
}
