#include "usbtmc.h"

usbtmc_t::usbtmc_t() : usbtmc_t(0, 0, std::string()) {}

usbtmc_t::usbtmc_t(uint16 vendor_id, uint16 product_id, const std::string &serial)
    : _device(std::make_unique<usbtmc_device_t>(vendor_id, product_id, serial))
{
}

usbtmc_t::~usbtmc_t()
{
    if (_device->is_open()) {
        _device->close_device();
        _device->set_open(false);
    }
}

bool usbtmc_t::open()
{
    if (_device->is_open())
        return true;
    if (!_device->open_device()) {
        _device->set_open(false);
        return false;
    }
    _device->get_capabilities();
    _device->set_open(true);
    return true;
}

void usbtmc_t::close()
{
    if (_device->is_open())
        _device->close_device();
    _device->set_open(false);
}

bool usbtmc_t::detect()
{
    return _device->find_device();
}

void usbtmc_t::set_closed()
{
    _device->set_open(false);
}

bool usbtmc_t::is_open() const
{
    return _device->is_open();
}

int64 usbtmc_t::write(const uint8 *message, std::size_t size)
{
    if (!_device->is_open())
        return -1;
    if (size == 0)
        return 0;
    _device->build_msg_out(message, size, USBTMC_ATTR_EOM, &_message);
    return _device->bulk_write(_message.data(), static_cast<int64>(_message.size()));
}

const std::vector<uint8> &usbtmc_t::read(int64)
{
    _reply.clear();
    if (!_device->is_open())
        return _reply;
    std::size_t remaining = usbtmc_rx_buffer_t::MAX_PAYLOAD;
    bool eom = false;
    do {
        uint8 request[USBTMC_HEADER_SIZE];
        _device->build_msg_in_request(static_cast<uint32>(remaining), -1, request);
        if (_device->bulk_write(request, sizeof request) <= 0) {
            _reply.clear();
            return _reply;
        }
        uint8 *received = _rx.prepare();
        int64 moved = 0;
        int64 got = _device->bulk_read(received, static_cast<int64>(remaining + USBTMC_HEADER_SIZE), &moved);
        _rx.reached(static_cast<std::size_t>(moved));
        if (got < static_cast<int64>(USBTMC_HEADER_SIZE)) {
            _reply.clear();
            return _reply;
        }
        usbtmc_header_t header;
        std::size_t payload = _device->parse_msg_in(received, static_cast<std::size_t>(got), &header);
        _reply.insert(_reply.end(), received + USBTMC_HEADER_SIZE, received + USBTMC_HEADER_SIZE + payload);
        eom = header.attributes & USBTMC_ATTR_EOM;
        remaining = usbtmc_rx_buffer_t::MAX_PAYLOAD - _reply.size();
    } while (!eom && remaining > 0);
    return _reply;
}

const std::vector<uint8> &usbtmc_t::query(const uint8 *command, std::size_t size)
{
    if (write(command, size) < 0) {
        _reply.clear();
        return _reply;
    }
    return read(-1);
}

int32 usbtmc_t::get_usb488() const
{
    return _device->get_usb488();
}

bool usbtmc_t::is_talk_only() const
{
    return _device->get_capability_flags().talk_only;
}

bool usbtmc_t::is_listen_only() const
{
    return _device->get_capability_flags().listen_only;
}
