#pragma once
// usb_emulated_device_t: one USB device in a umockdev testbed, served at the usbfs
// level so that an unmodified libusb enumerates, opens, claims and transfers to it.
//
// The base class builds the sysfs entry (descriptors, ids, a device node) and answers
// the usbfs ioctls libusb makes: capabilities, kernel-driver query and disconnect,
// interface claim and release, control transfers (standard descriptors; class and
// vendor requests go to on_control), and bulk URB submit, reap and discard. Bulk OUT
// data goes to on_bulk_out; bulk IN URBs wait until the device pushes data with
// push_bulk_in (or are discarded by libusb's time-out).
//
// Bus faults: a stalled endpoint, a device that stops taking OUT data part-way through a
// transfer, and a device that drops off the bus after a number of transfers.
//
// The ioctls are served on umockdev's worker thread. Everything here takes the
// object's lock, and the virtual hooks run with it held; the test thread may change
// faults and read the records at any time.
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class usb_testbed_t;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

struct usb_endpoint_config_t
{
    std::uint8_t address = 0;    // bit 7 set for IN
    std::uint8_t attributes = 2; // 2 bulk, 3 interrupt
    std::uint16_t max_packet = 512;
};

struct usb_interface_config_t
{
    std::uint8_t number = 0;
    std::uint8_t alternate = 0;
    std::uint8_t interface_class = 0xFF;
    std::uint8_t interface_subclass = 0;
    std::uint8_t interface_protocol = 0;
    std::vector<usb_endpoint_config_t> endpoints;
};

struct usb_device_config_t
{
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string manufacturer = "Ondrix test";
    std::string product = "Emulated device";
    std::string serial; // no serial string descriptor when empty
    // In configuration order; alternate settings of one interface follow each other.
    std::vector<usb_interface_config_t> interfaces;
    int bus = 1;
    int address = 2;
};

// The setup packet of a control transfer.
struct usb_setup_t
{
    std::uint8_t request_type = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

// One bulk OUT transfer as it arrived.
struct usb_bulk_record_t
{
    std::uint8_t endpoint = 0;
    std::vector<std::uint8_t> data;
};

class usb_emulated_device_t
{
public:
    usb_emulated_device_t(usb_testbed_t &testbed, const usb_device_config_t &config);
    virtual ~usb_emulated_device_t();
    usb_emulated_device_t(const usb_emulated_device_t &) = delete;
    usb_emulated_device_t &operator=(const usb_emulated_device_t &) = delete;

    // The device node libusb opens, "/dev/bus/usb/BBB/DDD".
    std::string device_node() const;

    // Puts the device on the bus (sysfs entry, node, "add" uevent).
    void plug();
    // Pulls it: transfers in flight end with ESHUTDOWN, every handle opened before fails
    // from now on with ENODEV, and the device leaves the bus.
    void unplug();
    // Takes the device off the bus listing only; open handles keep working.
    void hide();
    bool is_plugged() const;

    // Faults.
    // Every claim fails with EBUSY. (Two handles may claim one interface: a closed
    // handle's claim ends a moment after its close, which the emulation cannot order
    // against the next claim.)
    void set_claim_busy(bool busy);
    // A kernel driver bound to the interface; detachable or not.
    void set_kernel_driver(std::uint8_t interface_number, const std::string &driver, bool detachable);
    // The device sends nothing on its IN endpoints (the host's transfers time out).
    void set_no_in_reply(bool on);
    // The next bulk IN transfer delivers at most that many bytes.
    void set_short_in_once(std::size_t bytes);
    // Raw bytes answered for a string descriptor index, in place of the text.
    void set_string_descriptor_raw(std::uint8_t index, const std::vector<std::uint8_t> &bytes);
    // String descriptor requests stall.
    void set_string_requests_fail(bool on);
    // The next bulk transfer on the endpoint (address with bit 7 for IN) stalls; it stays
    // halted for nothing else, a CLEAR_HALT is only recorded.
    void set_stall_once(std::uint8_t endpoint);
    // Bulk OUT takes that many more bytes, then stops: the transfer that crosses the
    // limit keeps what fit and hangs until the host gives up on it (its part is recorded
    // but not handed to on_bulk_out). The limit applies to one such transfer.
    void set_out_stops_after(std::size_t bytes);
    // After that many more completed bulk transfers on the endpoint the device is gone
    // as if pulled, but stays in the bus listing until unplug().
    void set_gone_after(std::uint8_t endpoint, int transfers);

    // Records.
    std::vector<usb_bulk_record_t> bulk_out_log() const;
    std::vector<usb_setup_t> control_log() const;
    // Interfaces currently claimed, over all open handles.
    std::multiset<std::uint8_t> claimed_interfaces();
    std::vector<std::uint8_t> claim_log() const;
    std::vector<std::uint8_t> release_log() const;
    std::vector<std::uint8_t> kernel_driver_queries() const;
    std::vector<std::uint8_t> detach_log() const;
    // Interfaces whose detached kernel driver was bound again.
    std::vector<std::uint8_t> attach_log() const;
    // Endpoints whose halt the host cleared.
    std::vector<std::uint8_t> clear_halt_log() const;
    // Handles open on the device. A handle's close reaches the device a moment after
    // libusb_close returns; wait_open_handles waits up to two seconds for the count.
    // A closed handle's claims end with it.
    int open_handles();
    bool wait_open_handles(int count);
    virtual void clear_records();

protected:
    // Called with the lock held. Class and vendor control requests: fill *in for a
    // device-to-host request; return false to stall.
    virtual bool on_control(const usb_setup_t &setup, const std::vector<std::uint8_t> &out,
                            std::vector<std::uint8_t> *in);
    // Called with the lock held for each bulk OUT transfer.
    virtual void on_bulk_out(std::uint8_t endpoint, const std::vector<std::uint8_t> &data);
    // Queues one IN transfer's worth of data for the endpoint (address with bit 7).
    void push_bulk_in(std::uint8_t endpoint, std::vector<std::uint8_t> data);
    // Forgets the IN data queued for the endpoint and not yet delivered.
    void drop_bulk_in(std::uint8_t endpoint);

    const usb_device_config_t &config() const { return _config; }

    // A copy of a member, or a new value for it, under the lock.
    template <class T> T locked_get(const T &member) const
    {
        std::lock_guard<std::mutex> guard(_lock);
        return member;
    }
    template <class T, class V> void locked_set(T &member, V value)
    {
        std::lock_guard<std::mutex> guard(_lock);
        member = std::move(value);
    }

    mutable std::mutex _lock;

private:
    struct urb_t;
    struct client_t;

    static int on_ioctl_cb(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, void *self);
    static void on_connected_cb(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, void *self);
    void handle_ioctl(UMockdevIoctlClient *client);
    void submit_urb(UMockdevIoctlClient *client, client_t &state, UMockdevIoctlData *arg);
    void reap_urb(UMockdevIoctlClient *client, client_t &state, UMockdevIoctlData *arg);
    void discard_urb(UMockdevIoctlClient *client, client_t &state, unsigned long address);
    bool standard_control(const usb_setup_t &setup, std::vector<std::uint8_t> *in);
    void serve_pending_in();
    void count_transfer(std::uint8_t endpoint);
    void fail_pending_urbs();
    void prune_closed_clients();
    void add_to_testbed();
    void remove_from_testbed();
    std::string sysfs_path() const;
    std::string testbed_text() const;
    std::vector<std::uint8_t> descriptors() const;
    std::vector<std::uint8_t> config_descriptor() const;

    usb_testbed_t &_testbed;
    usb_device_config_t _config;
    UMockdevIoctlBase *_handler = nullptr;
    bool _plugged = false;
    bool _in_testbed = false;
    int _generation = 0;
    std::map<UMockdevIoctlClient *, client_t> _clients;
    std::map<std::uint8_t, std::deque<std::vector<std::uint8_t>>> _in_data;

    bool _claim_busy = false;
    struct kernel_driver_t
    {
        std::string name;
        bool detachable = true;
    };
    std::map<std::uint8_t, kernel_driver_t> _kernel_drivers;
    std::map<std::uint8_t, kernel_driver_t> _detached_drivers;
    bool _no_in_reply = false;
    std::optional<std::size_t> _short_in;
    std::set<std::uint8_t> _stall_once;
    std::optional<std::size_t> _out_left;
    std::map<std::uint8_t, int> _gone_after;
    std::map<std::uint8_t, std::vector<std::uint8_t>> _raw_strings;
    bool _string_requests_fail = false;

    std::vector<usb_bulk_record_t> _bulk_out_log;
    std::vector<usb_setup_t> _control_log;
    std::vector<std::uint8_t> _claim_log;
    std::vector<std::uint8_t> _release_log;
    std::vector<std::uint8_t> _kernel_driver_queries;
    std::vector<std::uint8_t> _detach_log;
    std::vector<std::uint8_t> _attach_log;
    std::vector<std::uint8_t> _clear_halt_log;
};
