#include "visa_usbtmc_backend.h"

#include "usbtmc_frame.h"
#include "visa_usb_sysfs.h"
#include "visa_usbtmc_link.h"
#include "visa_usbtmc_session.h"

#include <libusb.h>

#include <cstdio>

namespace {

constexpr std::uint8_t k_endpoint_in = 0x80;
constexpr std::uint8_t k_transfer_type_mask = 0x03;
constexpr std::uint8_t k_transfer_type_bulk = 0x02;
constexpr std::size_t k_default_packet = 512;

// A serial string as it may stand in a resource name: printable, and never a "::"
// that would split the name.
std::string name_safe(const std::string &serial)
{
    std::string out;
    for (char c : serial) {
        unsigned char u = static_cast<unsigned char>(c);
        out.push_back(u > 0x20 && u < 0x7F && c != ':' ? c : '_');
    }
    return out;
}

std::string placeholder_serial(libusb_device *device)
{
    char text[40];
    std::snprintf(text, sizeof text, "NOSERIAL-BUS%03u-ADDR%03u", libusb_get_bus_number(device),
                  libusb_get_device_address(device));
    return text;
}

// The serial as the resource name shows it: from sysfs, or from the device itself where
// there is no sysfs; the placeholder when there is none or it cannot be read.
std::string device_serial(libusb_device *device, const libusb_device_descriptor &descriptor)
{
    std::string serial;
    switch (visa_usb_sysfs_serial(libusb_get_bus_number(device), libusb_get_device_address(device), serial)) {
    case visa_usb_sysfs_t::FOUND:
        break;
    case visa_usb_sysfs_t::NONE:
        serial.clear();
        break;
    case visa_usb_sysfs_t::UNKNOWN: {
        libusb_device_handle *handle = nullptr;
        if (descriptor.iSerialNumber && libusb_open(device, &handle) == LIBUSB_SUCCESS) {
            unsigned char text[256];
            int n = libusb_get_string_descriptor_ascii(handle, descriptor.iSerialNumber, text, sizeof text);
            if (n > 0)
                serial.assign(reinterpret_cast<const char *>(text), static_cast<std::size_t>(n));
            libusb_close(handle);
        }
        break;
    }
    }
    serial = name_safe(serial);
    return serial.empty() ? placeholder_serial(device) : serial;
}

bool find_endpoints(const libusb_interface_descriptor &alt, visa_usbtmc_iface_t &iface)
{
    bool out = false, in = false;
    for (int e = 0; e < alt.bNumEndpoints; ++e) {
        const libusb_endpoint_descriptor &ep = alt.endpoint[e];
        if ((ep.bmAttributes & k_transfer_type_mask) != k_transfer_type_bulk)
            continue;
        if ((ep.bEndpointAddress & k_endpoint_in) && !in) {
            iface.bulk_in = ep.bEndpointAddress;
            std::size_t packet = ep.wMaxPacketSize & 0x7FF;
            iface.in_packet = packet ? packet : k_default_packet;
            in = true;
        } else if (!(ep.bEndpointAddress & k_endpoint_in) && !out) {
            iface.bulk_out = ep.bEndpointAddress;
            out = true;
        }
    }
    return out && in;
}

} // namespace

struct visa_usbtmc_backend_t::found_t
{
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial;
    visa_usbtmc_iface_t iface;
    bool has_endpoints = false;
    bool first = false; // the device's first USB-TMC interface
    std::string name;
};

visa_usbtmc_backend_t::visa_usbtmc_backend_t()
{
    libusb_context *context = nullptr;
    // No USB stack (a container, a machine without usbfs) is no error: nothing is found.
    if (libusb_init(&context) == LIBUSB_SUCCESS)
        m_context.reset(context, [](libusb_context *c) { libusb_exit(c); });
}

visa_usbtmc_backend_t::~visa_usbtmc_backend_t() = default;

void visa_usbtmc_backend_t::scan(const std::function<bool(libusb_device *, const found_t &)> &visit)
{
    if (!m_context)
        return;
    libusb_device **list = nullptr;
    ssize_t count = libusb_get_device_list(m_context.get(), &list);
    bool more = true;
    for (ssize_t i = 0; more && i < count; ++i) {
        libusb_device *device = list[i];
        libusb_device_descriptor descriptor{};
        libusb_config_descriptor *config = nullptr;
        if (libusb_get_device_descriptor(device, &descriptor) != LIBUSB_SUCCESS)
            continue;
        if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS &&
            libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS)
            continue;
        found_t found;
        found.vendor_id = descriptor.idVendor;
        found.product_id = descriptor.idProduct;
        bool first = true;
        for (int n = 0; more && n < config->bNumInterfaces; ++n) {
            const libusb_interface &itf = config->interface[n];
            if (itf.num_altsetting < 1)
                continue;
            const libusb_interface_descriptor &alt = itf.altsetting[0];
            if (alt.bInterfaceClass != USBTMC_INTERFACE_CLASS || alt.bInterfaceSubClass != USBTMC_INTERFACE_SUBCLASS)
                continue;
            if (first)
                found.serial = device_serial(device, descriptor);
            found.iface = visa_usbtmc_iface_t();
            found.iface.number = alt.bInterfaceNumber;
            found.has_endpoints = find_endpoints(alt, found.iface);
            found.first = first;
            first = false;
            char ids[48];
            std::snprintf(ids, sizeof ids, "USB0::0x%04X::0x%04X::", found.vendor_id, found.product_id);
            found.name = ids + found.serial;
            if (found.iface.number != 0)
                found.name += "::" + std::to_string(found.iface.number);
            found.name += "::INSTR";
            more = visit(device, found);
        }
        libusb_free_config_descriptor(config);
    }
    if (list)
        libusb_free_device_list(list, 1);
}

void visa_usbtmc_backend_t::list_resources(std::vector<std::string> &out)
{
    scan([&out](libusb_device *, const found_t &found) {
        out.push_back(found.name);
        return true;
    });
}

bool visa_usbtmc_backend_t::claims(const visa_rsrc_name_t &name)
{
    return name.kind == visa_rsrc_name_t::KIND_USB;
}

ViStatus visa_usbtmc_backend_t::open(const visa_rsrc_name_t &name, ViUInt32,
                                     std::unique_ptr<visa_session_t> &session)
{
    session.reset();
    if (name.kind != visa_rsrc_name_t::KIND_USB)
        return VI_ERROR_RSRC_NFOUND;
    std::lock_guard<std::mutex> lock(m_mutex);
    ViStatus status = VI_ERROR_RSRC_NFOUND;
    scan([&](libusb_device *device, const found_t &found) {
        if (found.vendor_id != name.vendor_id || found.product_id != name.product_id || found.serial != name.serial)
            return true;
        if (name.usb_interface >= 0 ? found.iface.number != name.usb_interface : !found.first)
            return true;
        if (!found.has_endpoints) {
            status = VI_ERROR_IO;
            return false;
        }
        const auto key = std::make_tuple(int(libusb_get_bus_number(device)), int(libusb_get_device_address(device)),
                                         int(found.iface.number));
        std::shared_ptr<visa_usbtmc_link_t> link = m_links[key].lock();
        if (!link || link->lost()) {
            status = visa_usbtmc_link_t::open(m_context, device, found.iface, name.canonical(), link);
            if (status < VI_SUCCESS)
                return false;
            m_links[key] = link;
        }
        status = VI_SUCCESS;
        session = std::make_unique<visa_usbtmc_session_t>(std::move(link));
        return false;
    });
    for (auto it = m_links.begin(); it != m_links.end();)
        it = it->second.expired() ? m_links.erase(it) : std::next(it);
    return status;
}
