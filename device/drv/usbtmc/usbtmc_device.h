#pragma once
// usbtmc_device_t: one USB-TMC device reached over libusb-1.0. The object owns its
// own libusb context, finds a device by vendor id, product id and optional serial
// number together with its USB-TMC interface (class 0xFE, subclass 0x03), opens and
// claims that interface, and moves bytes with synchronous bulk and control transfers
// (1000 ms each). It also carries the USB-TMC message state (open flag, transfer tag,
// capability flags) and builds and parses the bulk headers; usbtmc_t drives it.
//
// The object never releases a held handle by itself: its owner calls close_device
// before destroying it.
#include "lib_types.h"
#include "usbtmc_frame.h"

#include <cstddef>
#include <string>
#include <vector>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;
struct libusb_config_descriptor;

// GET_CAPABILITIES results, in the order the capability block lists them.
struct usbtmc_capabilities_t
{
    bool indicator_pulse = false;
    bool talk_only = false;
    bool listen_only = false;
    bool term_char = false;
    bool usb488_2 = false;
    bool remote_local = false; // REN_CONTROL, GO_TO_LOCAL and LOCAL_LOCKOUT
    bool trigger = false;
    bool scpi = false;
    bool sr1 = false;
    bool rl1 = false;
    bool dt1 = false;
};

class usbtmc_device_t
{
public:
    // Time-out of every bulk and control transfer, in milliseconds.
    static constexpr int32 TIMEOUT_MS = 1000;

    // Ids of 0 and an empty serial match any device. Initialises the libusb context.
    usbtmc_device_t(uint16 vendor_id, uint16 product_id, const std::string &serial);
    ~usbtmc_device_t();
    usbtmc_device_t(const usbtmc_device_t &) = delete;
    usbtmc_device_t &operator=(const usbtmc_device_t &) = delete;

    // libusb_init into the object's context ("libusb init failed." when it cannot).
    void init_usb();
    void exit_usb();

    // Scans the bus for the device and its USB-TMC interface without opening it, and
    // records the interface and endpoint numbers. A scan never disturbs a held device:
    // it records only when no handle is held or when it found the held device.
    bool find_device();
    // Releases and closes a held handle, scans, then opens the device found and claims
    // its USB-TMC interface. True when a handle is held afterwards.
    bool open_device();
    // Releases the interface and closes the handle, when one is held.
    void close_device();

    // The string descriptor of that index, read as 8-bit text ("" when unreadable).
    std::string get_string_descriptor(libusb_device_handle *handle, uint8 index);

    // Transfers on the held handle. Bulk ones return the bytes moved, or -1 on any
    // error (a time-out included, whatever moved before it). moved, when given, gets
    // the bytes that reached the buffer either way. Only the low 32 bits of a length
    // reach libusb. The control transfer returns length on success and -1 otherwise.
    int64 bulk_write(const uint8 *data, int64 length);
    int64 bulk_read(uint8 *buffer, int64 length, int64 *moved = nullptr);
    int64 control_transfer(uint8 request_type, uint8 request, uint16 value, uint16 index, uint8 *buffer,
                           uint16 length);

    // Message layer. set_header_tag advances the tag and writes bytes 0-3 of a header
    // of at least 12 bytes.
    void set_header_tag(uint8 *header, uint8 msg_id);
    // A DEV_DEP_MSG_OUT carrying the payload, padded to 4 bytes, into *message (whose
    // storage is reused).
    void build_msg_out(const uint8 *payload, std::size_t size, uint8 attributes, std::vector<uint8> *message);
    // A REQUEST_DEV_DEP_MSG_IN into header[0..11]; term_char -1 means none.
    void build_msg_in_request(uint32 transfer_size, int32 term_char, uint8 *header);
    // Copies the reply header into *header (when given) and returns how many bytes
    // follow it (the payload starts at received + 12). Not shortened to TransferSize.
    std::size_t parse_msg_in(const uint8 *received, std::size_t size, usbtmc_header_t *header) const;
    // The GET_CAPABILITIES request ("Get Capabilities failed." when it fails).
    void get_capabilities();

    bool is_open() const { return _open; }
    void set_open(bool open) { _open = open; }
    bool has_handle() const { return _handle != nullptr; }
    int32 get_interface_number() const { return _interface_number; }
    int32 get_bulk_in_endpoint() const { return _bulk_in_endpoint; }
    int32 get_bulk_out_endpoint() const { return _bulk_out_endpoint; }
    int32 get_interrupt_endpoint() const { return _interrupt_endpoint; }
    int32 get_usb488() const { return _usb488; }
    const usbtmc_capabilities_t &get_capability_flags() const { return _capabilities; }
    uint8 get_last_tag() const { return _last_tag; }

private:
    // Interface and endpoint numbers of one scan's match.
    struct scan_match_t
    {
        int32 interface_number = -1;
        int32 bulk_in_endpoint = -1;
        int32 bulk_out_endpoint = -1;
        int32 interrupt_endpoint = -1;
        bool usb488 = false;
    };

    bool scan(bool open);
    bool serial_matches(libusb_device *device, uint8 serial_index);
    static bool find_tmc_interface(const libusb_config_descriptor *config, scan_match_t *match);
    void commit(const scan_match_t &match);
    void open_found(libusb_device *device);
    void detach_kernel_driver(int32 interface_number);

    libusb_context *_context = nullptr;
    libusb_device_handle *_handle = nullptr;
    bool _open = false;
    uint16 _vendor_id;
    uint16 _product_id;
    std::string _serial;
    int32 _interface_number = 0;
    int32 _bulk_in_endpoint = 0;
    int32 _bulk_out_endpoint = 0;
    int32 _interrupt_endpoint = -1;
    int32 _usb488 = 0;
    usbtmc_capabilities_t _capabilities;
    uint8 _last_tag = 0;
    int32 _timeout_ms = TIMEOUT_MS;
};
