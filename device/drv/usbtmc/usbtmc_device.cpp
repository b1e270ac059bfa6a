#include "usbtmc_device.h"

#include "gos.h"

#include <libusb.h>

namespace {

// Standard GET_DESCRIPTOR request for a string, English (United States).
constexpr uint8 USB_REQUEST_TYPE_STANDARD_IN = 0x80;
constexpr uint8 USB_REQUEST_GET_DESCRIPTOR = 6;
constexpr uint16 USB_DESCRIPTOR_STRING = 0x0300;
constexpr uint16 USB_LANGID_EN_US = 0x0409;
constexpr int USB_STRING_BUFFER_SIZE = 128;

constexpr uint8 USB_TRANSFER_TYPE_MASK = 0x03;
constexpr uint8 USB_TRANSFER_TYPE_BULK = 2;
constexpr uint8 USB_TRANSFER_TYPE_INTERRUPT = 3;
constexpr uint8 USB_ENDPOINT_DIR_IN = 0x80;
constexpr uint8 USB_ENDPOINT_NUMBER_MASK = 0x0F;

// The bulk length as libusb takes it: its low 32 bits.
int usbtmc_libusb_length(int64 length)
{
    return static_cast<int>(static_cast<uint32>(length));
}

} // namespace

usbtmc_device_t::usbtmc_device_t(uint16 vendor_id, uint16 product_id, const std::string &serial)
    : _vendor_id(vendor_id), _product_id(product_id), _serial(serial)
{
    init_usb();
}

usbtmc_device_t::~usbtmc_device_t()
{
    exit_usb();
}

void usbtmc_device_t::init_usb()
{
    _context = nullptr;
    _handle = nullptr;
    if (libusb_init(&_context) != 0) {
        _context = nullptr;
        gos_printf("libusb init failed.\n");
    }
}

void usbtmc_device_t::exit_usb()
{
    if (_context)
        libusb_exit(_context);
    _context = nullptr;
}

bool usbtmc_device_t::find_device()
{
    return scan(false);
}

bool usbtmc_device_t::open_device()
{
    // A handle kept from an earlier open would keep its claim and make this claim busy.
    close_device();
    return scan(true);
}

void usbtmc_device_t::close_device()
{
    if (!_handle)
        return;
    if (_interface_number >= 0)
        libusb_release_interface(_handle, _interface_number);
    libusb_close(_handle);
    _handle = nullptr;
}

bool usbtmc_device_t::scan(bool open)
{
    if (!_context)
        return false;
    if (!_handle)
        commit(scan_match_t());

    libusb_device **list = nullptr;
    ssize_t count = libusb_get_device_list(_context, &list);
    if (count <= 0) {
        if (list)
            libusb_free_device_list(list, 1);
        return false;
    }
    bool found = false;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device *device = list[i];
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(device, &descriptor) != 0)
            break;
        if (_vendor_id != 0 && _vendor_id != descriptor.idVendor)
            continue;
        if (_product_id != 0 && _product_id != descriptor.idProduct)
            continue;
        if (!_serial.empty() && !serial_matches(device, descriptor.iSerialNumber))
            continue;
        libusb_config_descriptor *config = nullptr;
        if (libusb_get_config_descriptor(device, 0, &config) != 0)
            break;
        scan_match_t match;
        bool tmc = find_tmc_interface(config, &match);
        libusb_free_config_descriptor(config);
        if (!tmc)
            continue;
        if (!_handle || libusb_get_device(_handle) == device)
            commit(match);
        found = true;
        if (open)
            open_found(device);
        break;
    }
    libusb_free_device_list(list, 1);
    return open ? _handle != nullptr : found;
}

bool usbtmc_device_t::serial_matches(libusb_device *device, uint8 serial_index)
{
    libusb_device_handle *probe = nullptr;
    // A device that cannot be opened for the check stays a candidate.
    if (libusb_open(device, &probe) != 0)
        return true;
    std::string text = get_string_descriptor(probe, serial_index);
    libusb_close(probe);
    return text == _serial;
}

bool usbtmc_device_t::find_tmc_interface(const libusb_config_descriptor *config, scan_match_t *match)
{
    for (int i = 0; i < config->bNumInterfaces; ++i) {
        const libusb_interface &iface = config->interface[i];
        if (iface.num_altsetting < 1)
            continue;
        const libusb_interface_descriptor &alt = iface.altsetting[0];
        if (alt.bInterfaceClass != USBTMC_INTERFACE_CLASS || alt.bInterfaceSubClass != USBTMC_INTERFACE_SUBCLASS)
            continue;
        match->usb488 = alt.bInterfaceProtocol == USBTMC_PROTOCOL_USB488;
        match->interface_number = i;
        for (int e = 0; e < alt.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor &ep = alt.endpoint[e];
            int32 number = ep.bEndpointAddress & USB_ENDPOINT_NUMBER_MASK;
            uint8 type = ep.bmAttributes & USB_TRANSFER_TYPE_MASK;
            if (type == USB_TRANSFER_TYPE_BULK) {
                if (ep.bEndpointAddress & USB_ENDPOINT_DIR_IN)
                    match->bulk_in_endpoint = number;
                else
                    match->bulk_out_endpoint = number;
            } else if (type == USB_TRANSFER_TYPE_INTERRUPT) {
                match->interrupt_endpoint = number;
            }
        }
        return true;
    }
    return false;
}

void usbtmc_device_t::commit(const scan_match_t &match)
{
    _interface_number = match.interface_number;
    _bulk_in_endpoint = match.bulk_in_endpoint;
    _bulk_out_endpoint = match.bulk_out_endpoint;
    _interrupt_endpoint = match.interrupt_endpoint;
    if (match.usb488)
        _usb488 = 1;
}

void usbtmc_device_t::open_found(libusb_device *device)
{
    if (libusb_open(device, &_handle) != 0) {
        _handle = nullptr;
        gos_printf("Can not open the device.\n");
        return;
    }
    detach_kernel_driver(0);
    // The kernel's USB-TMC driver binds the USB-TMC interface itself.
    if (_interface_number != 0)
        detach_kernel_driver(_interface_number);
    if (libusb_claim_interface(_handle, _interface_number) != 0) {
        gos_printf("Can not claim the interface.\n");
        libusb_close(_handle);
        _handle = nullptr;
    }
}

void usbtmc_device_t::detach_kernel_driver(int32 interface_number)
{
    if (libusb_kernel_driver_active(_handle, interface_number) == 1)
        libusb_detach_kernel_driver(_handle, interface_number);
}

std::string usbtmc_device_t::get_string_descriptor(libusb_device_handle *handle, uint8 index)
{
    uint8 buffer[USB_STRING_BUFFER_SIZE] = {};
    int got = libusb_control_transfer(handle, USB_REQUEST_TYPE_STANDARD_IN, USB_REQUEST_GET_DESCRIPTOR,
                                      static_cast<uint16>(USB_DESCRIPTOR_STRING | index), USB_LANGID_EN_US, buffer,
                                      sizeof buffer, static_cast<unsigned>(_timeout_ms));
    if (got > 3) {
        if (buffer[0] > got || buffer[1] != 3)
            return std::string();
        std::string text;
        for (int i = 0; i < (got - 2) / 2; ++i)
            text.push_back(static_cast<char>(buffer[2 + 2 * i]));
        return text;
    }
    got = libusb_get_string_descriptor_ascii(handle, index, buffer, sizeof buffer);
    if (got <= 0)
        return std::string();
    return std::string(reinterpret_cast<const char *>(buffer), static_cast<std::size_t>(got));
}

int64 usbtmc_device_t::bulk_write(const uint8 *data, int64 length)
{
    int moved = 0;
    if (!_handle)
        return -1;
    int result = libusb_bulk_transfer(_handle, static_cast<unsigned char>(_bulk_out_endpoint), const_cast<uint8 *>(data),
                                      usbtmc_libusb_length(length), &moved, static_cast<unsigned>(_timeout_ms));
    return result == 0 ? moved : -1;
}

int64 usbtmc_device_t::bulk_read(uint8 *buffer, int64 length, int64 *moved)
{
    int count = 0;
    if (moved)
        *moved = 0;
    if (!_handle)
        return -1;
    int result = libusb_bulk_transfer(_handle, static_cast<unsigned char>(_bulk_in_endpoint | USB_ENDPOINT_DIR_IN), buffer,
                                      usbtmc_libusb_length(length), &count, static_cast<unsigned>(_timeout_ms));
    if (moved)
        *moved = count;
    return result == 0 ? count : -1;
}

int64 usbtmc_device_t::control_transfer(uint8 request_type, uint8 request, uint16 value, uint16 index, uint8 *buffer,
                                        uint16 length)
{
    if (!_handle)
        return -1;
    int result = libusb_control_transfer(_handle, request_type, request, value, index, buffer, length,
                                         static_cast<unsigned>(_timeout_ms));
    return result < 0 ? -1 : length;
}
