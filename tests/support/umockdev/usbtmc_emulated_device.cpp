#include "usbtmc_emulated_device.h"

#include <algorithm>

namespace {

constexpr std::uint8_t USB_REQUEST_TYPE_CLASS_INTERFACE_IN = 0xA1;
constexpr std::uint8_t USB_REQUEST_TYPE_CLASS_ENDPOINT_IN = 0xA2;

// USB-TMC control requests and status values.
constexpr std::uint8_t TMC_INITIATE_ABORT_BULK_OUT = 1;
constexpr std::uint8_t TMC_CHECK_ABORT_BULK_OUT_STATUS = 2;
constexpr std::uint8_t TMC_INITIATE_ABORT_BULK_IN = 3;
constexpr std::uint8_t TMC_CHECK_ABORT_BULK_IN_STATUS = 4;
constexpr std::uint8_t TMC_INITIATE_CLEAR = 5;
constexpr std::uint8_t TMC_CHECK_CLEAR_STATUS = 6;
constexpr std::uint8_t TMC_STATUS_SUCCESS = 0x01;
constexpr std::uint8_t TMC_STATUS_PENDING = 0x02;

} // namespace

usb_device_config_t usbtmc_emulated_device_t::device_config(const usbtmc_emulated_config_t &config)
{
    usb_device_config_t device;
    device.vendor_id = config.vendor_id;
    device.product_id = config.product_id;
    device.serial = config.serial;
    device.bus = config.bus;
    device.address = config.address;
    std::uint8_t number = 0;
    for (; number < config.interfaces_before; ++number) {
        usb_interface_config_t other;
        other.number = number;
        other.interface_class = 0xFF;
        other.endpoints = {{static_cast<std::uint8_t>(0x84 + number), 2, 512}};
        device.interfaces.push_back(other);
    }
    usb_interface_config_t tmc;
    tmc.number = number;
    tmc.interface_class = USBTMC_INTERFACE_CLASS;
    tmc.interface_subclass = USBTMC_INTERFACE_SUBCLASS;
    tmc.interface_protocol = config.protocol;
    tmc.endpoints = {{config.bulk_out_endpoint, 2, 512}, {config.bulk_in_endpoint, 2, 512}};
    if (config.interrupt_endpoint)
        tmc.endpoints.push_back({config.interrupt_endpoint, 3, 8});
    device.interfaces.push_back(tmc);
    return device;
}

usbtmc_emulated_device_t::usbtmc_emulated_device_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config)
    : usb_emulated_device_t(testbed, device_config(config)),
      _tmc_interface(static_cast<std::uint8_t>(config.interfaces_before)), _bulk_in_endpoint(config.bulk_in_endpoint)
{
    _capabilities.assign(USBTMC_CAPABILITIES_SIZE, 0);
    _capabilities[0] = 1;  // STATUS_SUCCESS
    _capabilities[14] = 0x07;
    _capabilities[15] = 0x0F;
}

void usbtmc_emulated_device_t::set_capabilities(const std::vector<std::uint8_t> &block)
{
    std::lock_guard<std::mutex> guard(_lock);
    _capabilities = block;
    _capabilities.resize(USBTMC_CAPABILITIES_SIZE, 0);
}

void usbtmc_emulated_device_t::set_capabilities_fail(bool on)
{
    locked_set(_capabilities_fail, on);
}

void usbtmc_emulated_device_t::set_reply_chunk(std::size_t bytes)
{
    locked_set(_reply_chunk, bytes);
}

void usbtmc_emulated_device_t::set_never_eom(bool on)
{
    locked_set(_never_eom, on);
}

void usbtmc_emulated_device_t::set_reply_transfers_left(int count)
{
    locked_set(_reply_transfers_left, count);
}

void usbtmc_emulated_device_t::set_reply_edit_once(std::function<void(std::vector<std::uint8_t> &)> edit)
{
    locked_set(_reply_edit, std::move(edit));
}

void usbtmc_emulated_device_t::set_status_pending(int count)
{
    locked_set(_status_pending, count);
}

std::vector<usbtmc_emulated_header_t> usbtmc_emulated_device_t::headers() const
{
    return locked_get(_headers);
}

std::vector<std::vector<std::uint8_t>> usbtmc_emulated_device_t::messages() const
{
    return locked_get(_messages);
}

void usbtmc_emulated_device_t::clear_records()
{
    usb_emulated_device_t::clear_records();
    std::lock_guard<std::mutex> guard(_lock);
    _headers.clear();
    _messages.clear();
}

bool usbtmc_emulated_device_t::on_control(const usb_setup_t &setup, const std::vector<std::uint8_t> &,
                                          std::vector<std::uint8_t> *in)
{
    if (setup.request != USBTMC_REQ_GET_CAPABILITIES)
        return abort_or_clear(setup, in);
    if (setup.request_type != USB_REQUEST_TYPE_CLASS_INTERFACE_IN || setup.index != _tmc_interface ||
        _capabilities_fail)
        return false;
    *in = _capabilities;
    return true;
}

std::uint8_t usbtmc_emulated_device_t::check_status()
{
    if (_status_pending == 0)
        return TMC_STATUS_SUCCESS;
    --_status_pending;
    return TMC_STATUS_PENDING;
}

bool usbtmc_emulated_device_t::abort_or_clear(const usb_setup_t &setup, std::vector<std::uint8_t> *in)
{
    const bool to_endpoint = setup.request_type == USB_REQUEST_TYPE_CLASS_ENDPOINT_IN;
    const bool to_interface = setup.request_type == USB_REQUEST_TYPE_CLASS_INTERFACE_IN && setup.index == _tmc_interface;
    const std::uint8_t tag = static_cast<std::uint8_t>(setup.value);
    switch (setup.request) {
    case TMC_INITIATE_ABORT_BULK_OUT:
        if (!to_endpoint)
            return false;
        _partial.clear();
        *in = {TMC_STATUS_SUCCESS, tag};
        return true;
    case TMC_INITIATE_ABORT_BULK_IN:
        if (!to_endpoint)
            return false;
        _reply_waiting = false;
        drop_bulk_in(_bulk_in_endpoint);
        *in = {TMC_STATUS_SUCCESS, tag};
        return true;
    case TMC_CHECK_ABORT_BULK_OUT_STATUS:
    case TMC_CHECK_ABORT_BULK_IN_STATUS:
        if (!to_endpoint)
            return false;
        *in = {check_status(), 0, 0, 0, 0, 0, 0, 0};
        return true;
    case TMC_INITIATE_CLEAR:
        if (!to_interface)
            return false;
        _partial.clear();
        _reply_waiting = false;
        drop_bulk_in(_bulk_in_endpoint);
        *in = {TMC_STATUS_SUCCESS};
        return true;
    case TMC_CHECK_CLEAR_STATUS:
        if (!to_interface)
            return false;
        *in = {check_status(), 0};
        return true;
    default:
        return false;
    }
}

void usbtmc_emulated_device_t::on_bulk_out(std::uint8_t, const std::vector<std::uint8_t> &data)
{
    usbtmc_emulated_header_t record;
    if (!usbtmc_frame_parse_header(data.data(), data.size(), &record.header))
        return;
    const usbtmc_header_t &header = record.header;
    if (header.msg_id == USBTMC_DEV_DEP_MSG_OUT) {
        std::size_t available = data.size() - USBTMC_HEADER_SIZE;
        std::size_t size = std::min<std::size_t>(header.transfer_size, available);
        record.payload.assign(data.begin() + USBTMC_HEADER_SIZE, data.begin() + USBTMC_HEADER_SIZE + size);
        _partial.insert(_partial.end(), record.payload.begin(), record.payload.end());
        _headers.push_back(record);
        if (!(header.attributes & USBTMC_ATTR_EOM))
            return;
        std::vector<std::uint8_t> message;
        message.swap(_partial);
        _messages.push_back(message);
        std::vector<std::uint8_t> reply;
        if (handle_message(message, &reply)) {
            _reply = std::move(reply);
            _reply_waiting = true;
            _reply_sent = 0;
        }
    } else if (header.msg_id == USBTMC_REQUEST_DEV_DEP_MSG_IN) {
        _headers.push_back(record);
        answer_request(header);
    }
}

void usbtmc_emulated_device_t::answer_request(const usbtmc_header_t &request)
{
    if (!_reply_waiting || _reply_transfers_left == 0)
        return;
    if (_reply_transfers_left > 0)
        --_reply_transfers_left;
    std::size_t left = _reply.size() - _reply_sent;
    std::size_t count = std::min<std::size_t>(left, request.transfer_size);
    if (_reply_chunk)
        count = std::min(count, _reply_chunk);
    bool last = _reply_sent + count == _reply.size();
    std::vector<std::uint8_t> transfer(USBTMC_HEADER_SIZE);
    usbtmc_frame_write_header(transfer.data(), USBTMC_DEV_DEP_MSG_IN, request.tag, static_cast<std::uint32_t>(count),
                              last && !_never_eom ? USBTMC_ATTR_EOM : 0, 0);
    transfer.insert(transfer.end(), _reply.begin() + static_cast<std::ptrdiff_t>(_reply_sent),
                    _reply.begin() + static_cast<std::ptrdiff_t>(_reply_sent + count));
    transfer.insert(transfer.end(), usbtmc_frame_padding(count), 0);
    _reply_sent += count;
    if (_reply_edit) {
        _reply_edit(transfer);
        _reply_edit = nullptr;
    }
    if (last && !_never_eom)
        _reply_waiting = false;
    else if (last)
        _reply_sent = 0; // a device that never ends its message keeps sending it
    push_bulk_in(_bulk_in_endpoint, std::move(transfer));
}
