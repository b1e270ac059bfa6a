#pragma once
// usbtmc_emulated_device_t: an emulated USB-TMC device. It takes DEV_DEP_MSG_OUT
// messages on its bulk OUT endpoint, hands each complete message to handle_message and
// sends the reply (if any) as DEV_DEP_MSG_IN transfers when the host asks with
// REQUEST_DEV_DEP_MSG_IN. A request with no reply waiting gets no answer, so the
// host's read times out. GET_CAPABILITIES answers a configurable 24-byte block.
// The abort and clear requests (INITIATE_ABORT_BULK_OUT/IN, INITIATE_CLEAR and their
// CHECK_..._STATUS) succeed and drop the message being received and the reply being sent.
//
// A device model plugs in by deriving and implementing handle_message; it runs on
// umockdev's worker thread with the device's lock held.
#include "usb_emulated_device.h"
#include "usbtmc_frame.h"

#include <cstdint>
#include <functional>
#include <vector>

// Where the USB-TMC interface sits and what it offers.
struct usbtmc_emulated_config_t
{
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial;
    // Interfaces of another class placed before the USB-TMC interface.
    int interfaces_before = 0;
    std::uint8_t protocol = USBTMC_PROTOCOL_USB488;
    std::uint8_t bulk_out_endpoint = 0x02;
    std::uint8_t bulk_in_endpoint = 0x81;
    std::uint8_t interrupt_endpoint = 0x83; // 0 for none
    int bus = 1;
    int address = 2;
};

// One bulk header the host sent, as decoded.
struct usbtmc_emulated_header_t
{
    usbtmc_header_t header;
    std::vector<std::uint8_t> payload; // DEV_DEP_MSG_OUT only
};

class usbtmc_emulated_device_t : public usb_emulated_device_t
{
public:
    usbtmc_emulated_device_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config);
    // A device configuration with the USB-TMC interface laid out as given.
    static usb_device_config_t device_config(const usbtmc_emulated_config_t &config);

    std::uint8_t tmc_interface_number() const { return _tmc_interface; }

    // The GET_CAPABILITIES block (status byte 1 and USB488 bits by default).
    void set_capabilities(const std::vector<std::uint8_t> &block);
    void set_capabilities_fail(bool on);
    // Replies go out in transfers of at most this many payload bytes (0: one transfer).
    void set_reply_chunk(std::size_t bytes);
    // No transfer of a reply carries EOM.
    void set_never_eom(bool on);
    // After this many more reply transfers, requests get no answer.
    void set_reply_transfers_left(int count);
    // The next reply transfer (header, payload and padding) passes through `edit` before
    // it goes out: wrong ids, false lengths, extra bytes.
    void set_reply_edit_once(std::function<void(std::vector<std::uint8_t> &transfer)> edit);
    // The next that many CHECK_..._STATUS requests answer STATUS_PENDING.
    void set_status_pending(int count);

    // Every header the host sent, in order.
    std::vector<usbtmc_emulated_header_t> headers() const;
    // The complete messages handed to the model.
    std::vector<std::vector<std::uint8_t>> messages() const;
    void clear_records() override;

protected:
    // One complete message from the host. Returns true with *reply filled to answer it.
    virtual bool handle_message(const std::vector<std::uint8_t> &message, std::vector<std::uint8_t> *reply) = 0;

    bool on_control(const usb_setup_t &setup, const std::vector<std::uint8_t> &out,
                    std::vector<std::uint8_t> *in) override;
    void on_bulk_out(std::uint8_t endpoint, const std::vector<std::uint8_t> &data) override;

private:
    void answer_request(const usbtmc_header_t &request);
    bool abort_or_clear(const usb_setup_t &setup, std::vector<std::uint8_t> *in);
    std::uint8_t check_status();

    std::uint8_t _tmc_interface = 0;
    std::uint8_t _bulk_in_endpoint = 0x81;
    std::vector<std::uint8_t> _capabilities;
    bool _capabilities_fail = false;
    std::size_t _reply_chunk = 0;
    bool _never_eom = false;
    int _reply_transfers_left = -1;
    std::function<void(std::vector<std::uint8_t> &)> _reply_edit;
    int _status_pending = 0;
    std::vector<std::uint8_t> _partial;
    std::vector<std::uint8_t> _reply;
    bool _reply_waiting = false;
    std::size_t _reply_sent = 0;
    std::vector<usbtmc_emulated_header_t> _headers;
    std::vector<std::vector<std::uint8_t>> _messages;
};
