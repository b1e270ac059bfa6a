#pragma once
// usbtmc_t: the USB-TMC client of one device. It owns a usbtmc_device_t and turns
// byte strings into DEV_DEP_MSG_OUT messages (one bulk transfer each, EOM set) and
// replies back into byte strings (REQUEST_DEV_DEP_MSG_IN, then DEV_DEP_MSG_IN
// transfers until EOM or 1 MiB). Reply tags are not compared with the request, and a
// reply's alignment bytes stay in it.
#include "lib_types.h"
#include "usbtmc_device.h"
#include "usbtmc_rx_buffer.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class usbtmc_t
{
public:
    // Any USB-TMC device (ids 0, empty serial).
    usbtmc_t();
    usbtmc_t(uint16 vendor_id, uint16 product_id, const std::string &serial);
    // Closes the device when it is open.
    ~usbtmc_t();
    usbtmc_t(const usbtmc_t &) = delete;
    usbtmc_t &operator=(const usbtmc_t &) = delete;

    // Opens and claims the device and reads its capabilities; true at once when open.
    bool open();
    // Closes the device when open; the client is closed afterwards in every case.
    void close();
    // A fresh scan for the device, open or not; nothing is opened.
    bool detect();
    // Marks the client closed and keeps the handle; the next open scans again.
    void set_closed();
    bool is_open() const;

    // Sends the bytes as one message: the bytes transferred (header and alignment
    // included), 0 for an empty message, -1 when closed or the transfer failed.
    int64 write(const uint8 *message, std::size_t size);
    // One reply, empty on any failure. length has no effect. The result stays valid
    // until the next read or query.
    const std::vector<uint8> &read(int64 length);
    // write, then read; empty when the write failed.
    const std::vector<uint8> &query(const uint8 *command, std::size_t size);

    int32 get_usb488() const;
    bool is_talk_only() const;
    bool is_listen_only() const;

    const usbtmc_device_t &get_device() const { return *_device; }

private:
    std::unique_ptr<usbtmc_device_t> _device;
    std::vector<uint8> _message;
    usbtmc_rx_buffer_t _rx;
    std::vector<uint8> _reply;
};
