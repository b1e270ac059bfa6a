#pragma once
// A umockdev testbed: a private /sys and /dev that libusb sees instead of the real
// ones, for test processes running under umockdev-wrapper. Devices are added to it by
// usb_emulated_device_t.
//
// A test process enters the wrapper through usb_testbed_enter_wrapper, called first
// thing in main (ondrix_umockdev_test_main does this): the process runs itself again
// under umockdev-wrapper, and the re-run process carries an environment marker by
// which it knows it is wrapped. (umockdev_in_mock_environment() is no help for this: it
// caches its first answer, which is false until a testbed exists.)
#include <string>

typedef struct _UMockdevTestbed UMockdevTestbed;

// The environment variable that marks a process as running under the wrapper.
extern const char *const USB_TESTBED_WRAPPED_MARKER;

// Runs the process again under umockdev-wrapper unless it already carries the marker
// (or only lists its tests). Returns only in the wrapped process, or with an error
// text when the wrapper could not be started.
std::string usb_testbed_enter_wrapper(int argc, char **argv);
bool usb_testbed_is_wrapped();

class usb_testbed_t
{
public:
    usb_testbed_t();
    ~usb_testbed_t();
    usb_testbed_t(const usb_testbed_t &) = delete;
    usb_testbed_t &operator=(const usb_testbed_t &) = delete;

    UMockdevTestbed *get() const { return _testbed; }

private:
    UMockdevTestbed *_testbed = nullptr;
};
