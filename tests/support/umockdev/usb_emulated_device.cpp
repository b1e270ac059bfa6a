#include "usb_emulated_device.h"

#include "usb_testbed.h"

#include <umockdev.h>

#include <sys/ioctl.h>

#include <linux/usbdevice_fs.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// What a host controller with scatter-gather offers: libusb then sends each transfer
// as one URB.
constexpr std::uint32_t USB_EMULATED_CAPABILITIES = USBDEVFS_CAP_BULK_SCATTER_GATHER | USBDEVFS_CAP_BULK_CONTINUATION |
                                                    USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_ZERO_PACKET;
constexpr std::size_t USB_SETUP_SIZE = 8;

// The object a handler's callbacks reach the device through. It outlives the device
// (a callback may already wait for the lock while the device goes away), so these
// stay in one list until the process ends.
struct usb_emulated_link_t
{
    std::mutex lock;
    usb_emulated_device_t *device = nullptr;
};

std::vector<std::unique_ptr<usb_emulated_link_t>> &usb_emulated_links()
{
    static std::vector<std::unique_ptr<usb_emulated_link_t>> links;
    return links;
}

std::mutex &usb_emulated_links_lock()
{
    static std::mutex lock;
    return lock;
}

// Client memory at offset of data, len bytes long, or null.
UMockdevIoctlData *usb_resolve(UMockdevIoctlData *data, std::size_t offset, std::size_t len)
{
    GError *error = nullptr;
    UMockdevIoctlData *child = umockdev_ioctl_data_resolve(data, offset, len, &error);
    if (error)
        g_error_free(error);
    return child;
}

void usb_unref(UMockdevIoctlData *data)
{
    if (data)
        g_object_unref(data);
}

usbdevfs_urb *usb_urb(UMockdevIoctlData *data)
{
    return reinterpret_cast<usbdevfs_urb *>(data->data);
}

void usb_put_u16le(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::string usb_hex(const std::vector<std::uint8_t> &bytes)
{
    std::string text;
    char digits[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        text += digits;
    }
    return text;
}

} // namespace

struct usb_emulated_device_t::urb_t
{
    UMockdevIoctlData *urb = nullptr;
    UMockdevIoctlData *buffer = nullptr;
    unsigned long address = 0;
    std::uint8_t endpoint = 0;

    void release()
    {
        usb_unref(buffer);
        usb_unref(urb);
        buffer = urb = nullptr;
    }
};

struct usb_emulated_device_t::client_t
{
    int generation = 0;
    std::set<std::uint8_t> claims;
    // IN URBs waiting for data, and OUT URBs the device stopped taking.
    std::deque<urb_t> pending_in;
    std::deque<urb_t> done;
};

usb_emulated_device_t::usb_emulated_device_t(usb_testbed_t &testbed, const usb_device_config_t &config)
    : _testbed(testbed), _config(config)
{
    usb_emulated_link_t *link = nullptr;
    {
        std::lock_guard<std::mutex> guard(usb_emulated_links_lock());
        usb_emulated_links().push_back(std::make_unique<usb_emulated_link_t>());
        link = usb_emulated_links().back().get();
    }
    link->device = this;
    _handler = umockdev_ioctl_base_new();
    g_signal_connect(_handler, "handle-ioctl", G_CALLBACK(on_ioctl_cb), link);
    g_signal_connect(_handler, "client-connected", G_CALLBACK(on_connected_cb), link);
    GError *error = nullptr;
    umockdev_testbed_attach_ioctl(_testbed.get(), device_node().c_str(), _handler, &error);
    if (error) {
        std::fprintf(stderr, "usb_emulated_device_t: cannot attach to %s: %s\n", device_node().c_str(), error->message);
        g_error_free(error);
    }
}

usb_emulated_device_t::~usb_emulated_device_t()
{
    {
        std::lock_guard<std::mutex> guard(usb_emulated_links_lock());
        for (auto &link : usb_emulated_links()) {
            std::lock_guard<std::mutex> link_guard(link->lock);
            if (link->device == this)
                link->device = nullptr;
        }
    }
    if (_in_testbed)
        remove_from_testbed();
    GError *error = nullptr;
    umockdev_testbed_detach_ioctl(_testbed.get(), device_node().c_str(), &error);
    if (error)
        g_error_free(error);
    g_object_unref(_handler);
    for (auto &entry : _clients) {
        for (urb_t &urb : entry.second.pending_in)
            urb.release();
        for (urb_t &urb : entry.second.done)
            urb.release();
        g_object_unref(entry.first);
    }
}

std::string usb_emulated_device_t::device_node() const
{
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", _config.bus, _config.address);
    return node;
}

std::string usb_emulated_device_t::sysfs_path() const
{
    char path[96];
    std::snprintf(path, sizeof path, "/devices/pci0000:00/0000:00:14.0/usb%d/%d-%d", _config.bus, _config.bus,
                  _config.address - 1);
    return path;
}

void usb_emulated_device_t::plug()
{
    std::lock_guard<std::mutex> guard(_lock);
    _plugged = true;
    if (!_in_testbed)
        add_to_testbed();
}

void usb_emulated_device_t::unplug()
{
    std::lock_guard<std::mutex> guard(_lock);
    _plugged = false;
    ++_generation;
    fail_pending_urbs();
    if (_in_testbed)
        remove_from_testbed();
}

void usb_emulated_device_t::hide()
{
    std::lock_guard<std::mutex> guard(_lock);
    if (_in_testbed)
        remove_from_testbed();
}

bool usb_emulated_device_t::is_plugged() const
{
    std::lock_guard<std::mutex> guard(_lock);
    return _plugged;
}

void usb_emulated_device_t::add_to_testbed()
{
    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(_testbed.get(), testbed_text().c_str(), &error)) {
        std::fprintf(stderr, "usb_emulated_device_t: cannot add the device: %s\n", error ? error->message : "?");
        if (error)
            g_error_free(error);
        return;
    }
    _in_testbed = true;
    umockdev_testbed_uevent(_testbed.get(), ("/sys" + sysfs_path()).c_str(), "add");
}

void usb_emulated_device_t::remove_from_testbed()
{
    std::string syspath = "/sys" + sysfs_path();
    umockdev_testbed_uevent(_testbed.get(), syspath.c_str(), "remove");
    umockdev_testbed_remove_device(_testbed.get(), syspath.c_str());
    _in_testbed = false;
}

std::string usb_emulated_device_t::testbed_text() const
{
    char ids[64];
    std::string node = device_node();
    std::string text = "P: " + sysfs_path() + "\n";
    text += "N: " + node.substr(5) + "\n";
    text += "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=" + node + "\n";
    std::snprintf(ids, sizeof ids, "E: BUSNUM=%03d\nE: DEVNUM=%03d\n", _config.bus, _config.address);
    text += ids;
    std::snprintf(ids, sizeof ids, "E: ID_VENDOR_ID=%04x\nE: ID_MODEL_ID=%04x\n", _config.vendor_id, _config.product_id);
    text += ids;
    std::snprintf(ids, sizeof ids, "A: busnum=%d\nA: devnum=%d\nA: dev=189:%d\n", _config.bus, _config.address,
                  (_config.bus - 1) * 128 + _config.address - 1);
    text += ids;
    text += "A: speed=480\nA: bConfigurationValue=1\nA: bNumConfigurations=1\n";
    // The kernel shows the serial string here, so it can be read without opening the device.
    if (!_config.serial.empty())
        text += "A: serial=" + _config.serial + "\n";
    std::snprintf(ids, sizeof ids, "A: idVendor=%04x\nA: idProduct=%04x\n", _config.vendor_id, _config.product_id);
    text += ids;
    text += "H: descriptors=" + usb_hex(descriptors()) + "\n";
    return text;
}

std::vector<std::uint8_t> usb_emulated_device_t::descriptors() const
{
    std::vector<std::uint8_t> d = {18, 1, 0x00, 0x02, 0, 0, 0, 64};
    usb_put_u16le(d, _config.vendor_id);
    usb_put_u16le(d, _config.product_id);
    usb_put_u16le(d, 0x0100);
    d.push_back(1);
    d.push_back(2);
    d.push_back(_config.serial.empty() ? 0 : 3);
    d.push_back(1);
    std::vector<std::uint8_t> c = config_descriptor();
    d.insert(d.end(), c.begin(), c.end());
    return d;
}

std::vector<std::uint8_t> usb_emulated_device_t::config_descriptor() const
{
    std::set<std::uint8_t> numbers;
    std::vector<std::uint8_t> body;
    for (const usb_interface_config_t &iface : _config.interfaces) {
        numbers.insert(iface.number);
        body.insert(body.end(), {9, 4, iface.number, iface.alternate, static_cast<std::uint8_t>(iface.endpoints.size()),
                                 iface.interface_class, iface.interface_subclass, iface.interface_protocol, 0});
        for (const usb_endpoint_config_t &ep : iface.endpoints) {
            body.insert(body.end(), {7, 5, ep.address, ep.attributes});
            usb_put_u16le(body, ep.max_packet);
            body.push_back((ep.attributes & 3) == 3 ? 1 : 0);
        }
    }
    std::vector<std::uint8_t> c = {9, 2};
    usb_put_u16le(c, static_cast<std::uint16_t>(9 + body.size()));
    c.insert(c.end(), {static_cast<std::uint8_t>(numbers.size()), 1, 0, 0x80, 50});
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

void usb_emulated_device_t::set_claim_busy(bool busy)
{
    locked_set(_claim_busy, busy);
}

void usb_emulated_device_t::set_kernel_driver(std::uint8_t interface_number, const std::string &driver, bool detachable)
{
    std::lock_guard<std::mutex> guard(_lock);
    _kernel_drivers[interface_number] = kernel_driver_t{driver, detachable};
}

void usb_emulated_device_t::set_no_in_reply(bool on)
{
    locked_set(_no_in_reply, on);
}

void usb_emulated_device_t::set_short_in_once(std::size_t bytes)
{
    locked_set(_short_in, bytes);
}

void usb_emulated_device_t::set_string_descriptor_raw(std::uint8_t index, const std::vector<std::uint8_t> &bytes)
{
    std::lock_guard<std::mutex> guard(_lock);
    _raw_strings[index] = bytes;
}

void usb_emulated_device_t::set_string_requests_fail(bool on)
{
    locked_set(_string_requests_fail, on);
}

void usb_emulated_device_t::set_stall_once(std::uint8_t endpoint)
{
    std::lock_guard<std::mutex> guard(_lock);
    _stall_once.insert(endpoint);
}

void usb_emulated_device_t::set_out_stops_after(std::size_t bytes)
{
    locked_set(_out_left, bytes);
}

void usb_emulated_device_t::set_gone_after(std::uint8_t endpoint, int transfers)
{
    std::lock_guard<std::mutex> guard(_lock);
    _gone_after[endpoint] = transfers;
}

std::vector<usb_bulk_record_t> usb_emulated_device_t::bulk_out_log() const
{
    return locked_get(_bulk_out_log);
}

std::vector<usb_setup_t> usb_emulated_device_t::control_log() const
{
    return locked_get(_control_log);
}

std::multiset<std::uint8_t> usb_emulated_device_t::claimed_interfaces()
{
    std::lock_guard<std::mutex> guard(_lock);
    prune_closed_clients();
    std::multiset<std::uint8_t> claimed;
    for (const auto &entry : _clients)
        claimed.insert(entry.second.claims.begin(), entry.second.claims.end());
    return claimed;
}

std::vector<std::uint8_t> usb_emulated_device_t::claim_log() const
{
    return locked_get(_claim_log);
}

std::vector<std::uint8_t> usb_emulated_device_t::release_log() const
{
    return locked_get(_release_log);
}

std::vector<std::uint8_t> usb_emulated_device_t::kernel_driver_queries() const
{
    return locked_get(_kernel_driver_queries);
}

std::vector<std::uint8_t> usb_emulated_device_t::detach_log() const
{
    return locked_get(_detach_log);
}

std::vector<std::uint8_t> usb_emulated_device_t::attach_log() const
{
    return locked_get(_attach_log);
}

std::vector<std::uint8_t> usb_emulated_device_t::clear_halt_log() const
{
    return locked_get(_clear_halt_log);
}

int usb_emulated_device_t::open_handles()
{
    std::lock_guard<std::mutex> guard(_lock);
    prune_closed_clients();
    return static_cast<int>(_clients.size());
}

bool usb_emulated_device_t::wait_open_handles(int count)
{
    for (int i = 0; i < 200; ++i) {
        if (open_handles() == count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return open_handles() == count;
}

void usb_emulated_device_t::clear_records()
{
    std::lock_guard<std::mutex> guard(_lock);
    _bulk_out_log.clear();
    _control_log.clear();
    _claim_log.clear();
    _release_log.clear();
    _kernel_driver_queries.clear();
    _detach_log.clear();
    _attach_log.clear();
    _clear_halt_log.clear();
}

bool usb_emulated_device_t::on_control(const usb_setup_t &, const std::vector<std::uint8_t> &, std::vector<std::uint8_t> *)
{
    return false;
}

void usb_emulated_device_t::on_bulk_out(std::uint8_t, const std::vector<std::uint8_t> &) {}

void usb_emulated_device_t::push_bulk_in(std::uint8_t endpoint, std::vector<std::uint8_t> data)
{
    // A device that does not answer loses what it would have sent.
    if (_no_in_reply)
        return;
    _in_data[endpoint].push_back(std::move(data));
    serve_pending_in();
}

void usb_emulated_device_t::drop_bulk_in(std::uint8_t endpoint)
{
    _in_data.erase(endpoint);
}

void usb_emulated_device_t::count_transfer(std::uint8_t endpoint)
{
    auto left = _gone_after.find(endpoint);
    if (left == _gone_after.end() || --left->second > 0)
        return;
    _gone_after.erase(left);
    _plugged = false;
    ++_generation;
    fail_pending_urbs();
}

void usb_emulated_device_t::fail_pending_urbs()
{
    // As the kernel does when a device leaves: what waits completes with ESHUTDOWN.
    for (auto &entry : _clients) {
        for (urb_t &urb : entry.second.pending_in) {
            usb_urb(urb.urb)->status = -ESHUTDOWN;
            entry.second.done.push_back(urb);
        }
        entry.second.pending_in.clear();
    }
}

void usb_emulated_device_t::serve_pending_in()
{
    for (auto &entry : _clients) {
        client_t &state = entry.second;
        for (auto it = state.pending_in.begin(); it != state.pending_in.end();) {
            auto queue = _in_data.find(it->endpoint);
            if (queue == _in_data.end() || queue->second.empty()) {
                ++it;
                continue;
            }
            std::vector<std::uint8_t> data = std::move(queue->second.front());
            queue->second.pop_front();
            usbdevfs_urb *urb = usb_urb(it->urb);
            std::size_t room = static_cast<std::size_t>(std::max(urb->buffer_length, 0));
            std::size_t count = std::min(room, data.size());
            if (_short_in) {
                count = std::min(count, *_short_in);
                _short_in.reset();
            } else if (count < data.size()) {
                // What does not fit waits for the next URB, as on the bus.
                queue->second.emplace_front(data.begin() + static_cast<std::ptrdiff_t>(count), data.end());
            }
            if (count && it->buffer)
                std::memcpy(it->buffer->data, data.data(), count);
            urb->actual_length = static_cast<int>(count);
            urb->status = 0;
            state.done.push_back(*it);
            it = state.pending_in.erase(it);
            count_transfer(queue->first);
        }
    }
}

int usb_emulated_device_t::on_ioctl_cb(UMockdevIoctlBase *, UMockdevIoctlClient *client, void *self)
{
    auto *link = static_cast<usb_emulated_link_t *>(self);
    std::lock_guard<std::mutex> guard(link->lock);
    if (!link->device)
        umockdev_ioctl_client_complete(client, -1, ENODEV);
    else
        link->device->handle_ioctl(client);
    return TRUE;
}

void usb_emulated_device_t::on_connected_cb(UMockdevIoctlBase *, UMockdevIoctlClient *client, void *self)
{
    auto *link = static_cast<usb_emulated_link_t *>(self);
    std::lock_guard<std::mutex> guard(link->lock);
    if (!link->device)
        return;
    usb_emulated_device_t &device = *link->device;
    std::lock_guard<std::mutex> device_guard(device._lock);
    device._clients[client].generation = device._generation;
    // This umockdev signals no closed handle; the device looks at its clients instead.
    g_object_ref(client);
}

void usb_emulated_device_t::prune_closed_clients()
{
    for (auto it = _clients.begin(); it != _clients.end();) {
        if (umockdev_ioctl_client_get_connected(it->first)) {
            ++it;
            continue;
        }
        for (urb_t &urb : it->second.pending_in)
            urb.release();
        for (urb_t &urb : it->second.done)
            urb.release();
        g_object_unref(it->first);
        it = _clients.erase(it);
    }
}

void usb_emulated_device_t::handle_ioctl(UMockdevIoctlClient *client)
{
    std::lock_guard<std::mutex> guard(_lock);
    prune_closed_clients();
    auto known = _clients.find(client);
    if (known == _clients.end()) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return;
    }
    client_t &state = known->second;
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    const bool reap = request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY;
    if ((!_plugged || state.generation != _generation) && !(reap && !state.done.empty())) {
        // URBs that completed before the device left can still be reaped.
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return;
    }
    long result = 0;
    int error = 0;
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        UMockdevIoctlData *caps = usb_resolve(arg, 0, sizeof(std::uint32_t));
        if (caps)
            std::memcpy(caps->data, &USB_EMULATED_CAPABILITIES, sizeof USB_EMULATED_CAPABILITIES);
        usb_unref(caps);
        break;
    }
    case USBDEVFS_GETDRIVER: {
        UMockdevIoctlData *data = usb_resolve(arg, 0, sizeof(usbdevfs_getdriver));
        auto *query = data ? reinterpret_cast<usbdevfs_getdriver *>(data->data) : nullptr;
        if (query) {
            std::uint8_t iface = static_cast<std::uint8_t>(query->interface);
            _kernel_driver_queries.push_back(iface);
            auto bound = _kernel_drivers.find(iface);
            if (bound == _kernel_drivers.end()) {
                result = -1;
                error = ENODATA;
            } else {
                std::snprintf(query->driver, sizeof query->driver, "%s", bound->second.name.c_str());
            }
        }
        usb_unref(data);
        break;
    }
    case USBDEVFS_IOCTL: {
        UMockdevIoctlData *data = usb_resolve(arg, 0, sizeof(usbdevfs_ioctl));
        auto *command = data ? reinterpret_cast<usbdevfs_ioctl *>(data->data) : nullptr;
        if (command && command->ioctl_code == static_cast<int>(USBDEVFS_DISCONNECT)) {
            std::uint8_t iface = static_cast<std::uint8_t>(command->ifno);
            _detach_log.push_back(iface);
            auto bound = _kernel_drivers.find(iface);
            if (bound == _kernel_drivers.end()) {
                result = -1;
                error = ENODATA;
            } else if (!bound->second.detachable) {
                result = -1;
                error = EPERM;
            } else {
                _detached_drivers[iface] = bound->second;
                _kernel_drivers.erase(bound);
            }
        } else if (command && command->ioctl_code == static_cast<int>(USBDEVFS_CONNECT)) {
            std::uint8_t iface = static_cast<std::uint8_t>(command->ifno);
            _attach_log.push_back(iface);
            auto detached = _detached_drivers.find(iface);
            if (detached != _detached_drivers.end()) {
                _kernel_drivers[iface] = detached->second;
                _detached_drivers.erase(detached);
            }
        } else {
            result = -1;
            error = ENOTTY;
        }
        usb_unref(data);
        break;
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
        UMockdevIoctlData *data = usb_resolve(arg, 0, sizeof(unsigned int));
        std::uint8_t iface = data ? static_cast<std::uint8_t>(*reinterpret_cast<unsigned int *>(data->data)) : 0xFF;
        usb_unref(data);
        bool known = std::any_of(_config.interfaces.begin(), _config.interfaces.end(),
                                 [iface](const usb_interface_config_t &i) { return i.number == iface; });
        if (request == USBDEVFS_RELEASEINTERFACE) {
            _release_log.push_back(iface);
            if (state.claims.erase(iface) == 0) {
                result = -1;
                error = EINVAL;
            }
            break;
        }
        _claim_log.push_back(iface);
        if (!known) {
            result = -1;
            error = ENOENT;
        } else if (_claim_busy || _kernel_drivers.count(iface)) {
            result = -1;
            error = EBUSY;
        } else {
            state.claims.insert(iface);
        }
        break;
    }
    case USBDEVFS_SUBMITURB:
        submit_urb(client, state, arg);
        return;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        reap_urb(client, state, arg);
        return;
    case USBDEVFS_DISCARDURB:
        discard_urb(client, state, *reinterpret_cast<unsigned long *>(arg->data));
        return;
    case USBDEVFS_CLEAR_HALT: {
        UMockdevIoctlData *data = usb_resolve(arg, 0, sizeof(unsigned int));
        if (data)
            _clear_halt_log.push_back(static_cast<std::uint8_t>(*reinterpret_cast<unsigned int *>(data->data)));
        usb_unref(data);
        break;
    }
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_RESETEP:
    case USBDEVFS_RESET:
        break;
    default:
        result = -1;
        error = ENOTTY;
        break;
    }
    umockdev_ioctl_client_complete(client, result, error);
}

void usb_emulated_device_t::submit_urb(UMockdevIoctlClient *client, client_t &state, UMockdevIoctlData *arg)
{
    urb_t urb;
    urb.urb = usb_resolve(arg, 0, sizeof(usbdevfs_urb));
    if (!urb.urb) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    usbdevfs_urb *u = usb_urb(urb.urb);
    urb.address = urb.urb->client_addr;
    urb.endpoint = u->endpoint;
    std::size_t length = static_cast<std::size_t>(std::max(u->buffer_length, 0));
    if (length)
        urb.buffer = usb_resolve(urb.urb, offsetof(usbdevfs_urb, buffer), length);
    std::uint8_t *bytes = urb.buffer ? urb.buffer->data : nullptr;

    if (u->type == USBDEVFS_URB_TYPE_CONTROL && length >= USB_SETUP_SIZE && bytes) {
        usb_setup_t setup;
        setup.request_type = bytes[0];
        setup.request = bytes[1];
        setup.value = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
        setup.index = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
        setup.length = static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8);
        _control_log.push_back(setup);
        std::size_t room = std::min<std::size_t>(setup.length, length - USB_SETUP_SIZE);
        bool in = setup.request_type & 0x80;
        std::vector<std::uint8_t> out;
        if (!in)
            out.assign(bytes + USB_SETUP_SIZE, bytes + USB_SETUP_SIZE + room);
        std::vector<std::uint8_t> reply;
        bool ok = (setup.request_type & 0x60) == 0 ? standard_control(setup, &reply) : on_control(setup, out, &reply);
        std::size_t count = in ? std::min(room, reply.size()) : room;
        if (ok && in && count)
            std::memcpy(bytes + USB_SETUP_SIZE, reply.data(), count);
        u->status = ok ? 0 : -EPIPE;
        u->actual_length = ok ? static_cast<int>(count) : 0;
        state.done.push_back(urb);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK && _stall_once.erase(u->endpoint)) {
        u->status = -EPIPE;
        u->actual_length = 0;
        state.done.push_back(urb);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK && !(u->endpoint & 0x80) && _out_left && *_out_left < length) {
        // The device takes part of the transfer and then nothing more.
        std::size_t taken = *_out_left;
        _out_left.reset();
        _bulk_out_log.push_back(usb_bulk_record_t{u->endpoint, std::vector<std::uint8_t>(bytes, bytes + taken)});
        u->actual_length = static_cast<int>(taken);
        state.pending_in.push_back(urb);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK && !(u->endpoint & 0x80)) {
        std::vector<std::uint8_t> data(bytes, bytes + (bytes ? length : 0));
        if (_out_left)
            *_out_left -= length;
        _bulk_out_log.push_back(usb_bulk_record_t{u->endpoint, data});
        u->status = 0;
        u->actual_length = static_cast<int>(length);
        state.done.push_back(urb);
        on_bulk_out(u->endpoint, data);
        count_transfer(u->endpoint);
    } else if (u->type == USBDEVFS_URB_TYPE_BULK || u->type == USBDEVFS_URB_TYPE_INTERRUPT) {
        u->actual_length = 0;
        state.pending_in.push_back(urb);
        serve_pending_in();
    } else {
        urb.release();
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    umockdev_ioctl_client_complete(client, 0, 0);
}

void usb_emulated_device_t::reap_urb(UMockdevIoctlClient *client, client_t &state, UMockdevIoctlData *arg)
{
    if (state.done.empty()) {
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return;
    }
    urb_t urb = state.done.front();
    state.done.pop_front();
    UMockdevIoctlData *pointer = usb_resolve(arg, 0, sizeof(void *));
    if (pointer)
        umockdev_ioctl_data_set_ptr(pointer, 0, urb.urb);
    umockdev_ioctl_client_complete(client, pointer ? 0 : -1, pointer ? 0 : EFAULT);
    usb_unref(pointer);
    urb.release();
}

void usb_emulated_device_t::discard_urb(UMockdevIoctlClient *client, client_t &state, unsigned long address)
{
    auto found = std::find_if(state.pending_in.begin(), state.pending_in.end(),
                              [address](const urb_t &urb) { return urb.address == address; });
    if (found == state.pending_in.end()) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    // A cancelled OUT transfer keeps the count the device took before it stopped.
    usbdevfs_urb *urb = usb_urb(found->urb);
    urb->status = -ENOENT;
    state.done.push_back(*found);
    state.pending_in.erase(found);
    umockdev_ioctl_client_complete(client, 0, 0);
}

bool usb_emulated_device_t::standard_control(const usb_setup_t &setup, std::vector<std::uint8_t> *in)
{
    const std::uint8_t get_descriptor = 6;
    if (!(setup.request_type & 0x80))
        return true;
    if (setup.request != get_descriptor)
        return false;
    std::uint8_t type = static_cast<std::uint8_t>(setup.value >> 8);
    std::uint8_t index = static_cast<std::uint8_t>(setup.value);
    if (type == 1) {
        std::vector<std::uint8_t> all = descriptors();
        in->assign(all.begin(), all.begin() + 18);
        return true;
    }
    if (type == 2) {
        *in = config_descriptor();
        return true;
    }
    if (type != 3 || _string_requests_fail)
        return false;
    auto raw = _raw_strings.find(index);
    if (raw != _raw_strings.end()) {
        *in = raw->second;
        return true;
    }
    if (index == 0) {
        *in = {4, 3, 0x09, 0x04};
        return true;
    }
    const std::string *text = index == 1 ? &_config.manufacturer : index == 2 ? &_config.product
                              : index == 3 && !_config.serial.empty() ? &_config.serial
                                                                      : nullptr;
    if (!text)
        return false;
    in->assign({static_cast<std::uint8_t>(2 + 2 * text->size()), 3});
    for (char c : *text)
        in->insert(in->end(), {static_cast<std::uint8_t>(c), 0});
    return true;
}
